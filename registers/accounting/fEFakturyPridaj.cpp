#include "registers/accounting/fEFakturyPridaj.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/UxPlacemnt.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "platform/MessageDialogs.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "registers/common/DialogQueries.h"
#include "registers/common/ListPattern.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "util/MoneyArithmetic.h"
#include "util/MoneyFormat.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace {
struct TInvoiceCaptions {
  int typOd;
  const char *add, *edit;
};
constexpr TInvoiceCaptions kInvoiceCaptions[] = {
    {11, "Pridanie vystavenej faktúry", "Oprava vystavenej faktúry"},
    {21, "Pridanie prijatej faktúry", "Oprava prijatej faktúry"},
    {31, "Pridanie prijatého dodacieho listu", "Oprava prijatého dodacieho listu"},
    {41, "Pridanie vystaveného dodacieho listu", "Oprava vystaveného dodacieho listu"},
};

TIBMemo* AddTextBox(QWidget& parent, QBoxLayout& row, const QString& caption, const QString& name) {
  auto* box = new QGroupBox(caption, &parent);
  auto* memo = new TIBMemo(box);
  memo->setObjectName(name);
  memo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  (new QVBoxLayout(box))->addWidget(memo);
  row.addWidget(box, 1);
  return memo;
}
} // namespace

TfrmEFakturyPridaj::TfrmEFakturyPridaj(QWidget* owner, int typOd, int typDo)
    : TDialogForm(owner), TypOd(typOd), TypDo(typDo) {
  items_ = std::make_unique<TChildGrid>(
      childOwner_, QStringLiteral("e_faktury_polozky"), InvoiceItemsSql(),
      [] { return std::make_unique<TfrmEFakturyPolozkyPridaj>(); },
      [](TForm& dialog, int faktura) { dynamic_cast<TfrmEFakturyPolozkyPridaj&>(dialog).Faktura = faktura; });
  items = items_.get();

  // Header beside the partner, the items below, the texts at the bottom:
  // the reading order, which is also the tab order.
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  auto* head = new QHBoxLayout;
  column->addLayout(head);
  head->addWidget(BuildHeader(*body), 1);
  head->addWidget(BuildPartner(*body), 1);
  QGroupBox* itemsBox = items_->Build(*body, QStringLiteral(" &Položky dokladu: "), QStringLiteral("gbxPolozky"),
                                      QStringLiteral("tb1"), QStringLiteral("2"));
  sb = items_->AddStatusBar(QStringLiteral("sb"), sbPanels);
  column->addWidget(itemsBox, 1);
  column->addWidget(BuildTexts(*body));
  const QList<TQPLColumn*> shown =
      AddListColumns(*items_->grid, {{"NAZOV", "Názov položky", 300, "a.nazov"},
                                     {"MJ_ZAKLAD", "Jed. cena bez DPH", 110, "a.mj_zaklad"},
                                     {"MNOZSTVO", "Množstvo", 80, "a.mnozstvo"},
                                     {"MJ", "", 45, "a.mj"},
                                     {"ZAKLAD", "Spolu bez DPH", 110, "1"},
                                     {"DPH", "Spolu DPH", 100, "2"}});
  for (int i : {1, 4, 5})
    shown[i]->DisplayFormat = QStringLiteral("#,##0.00");
  shown[2]->DisplayFormat = QStringLiteral(",0.000");
  TDbGridQPL* grid = items_->grid;
  grid->SetActiveTitleIndex(0);
  grid->Loaded();
  grid->setMinimumHeight(4 * grid->verticalHeader()->defaultSectionSize() +
                         grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth());
  items_->AfterOpen = [this] { ShowItemTotals(); };

  DeclareFields();
  dlg.FormCreate(body, QSize(900, 700));
  connect(eDBDruhDokladu, &TIBComboBox::OnExit, this, &TfrmEFakturyPridaj::eDBDruhDokladuExit);
  connect(eDBP1, &TIBCurrencyEdit::OnEnter, this, [this] { numberOnEntry_ = AmountOf(*eDBP1); });
  connect(eDBP1, &TIBCurrencyEdit::OnExit, this, &TfrmEFakturyPridaj::eDBP1Exit);
  connect(eDBPartneri, &TIBComboBox::OnExit, this, &TfrmEFakturyPridaj::eDBPartneriExit);
  connect(btnUdajeZO, &QPushButton::clicked, this, &TfrmEFakturyPridaj::btnUdajeZOClick);
}

TfrmEFakturyPridaj::~TfrmEFakturyPridaj() = default;

QWidget* TfrmEFakturyPridaj::BuildHeader(QWidget& parent) {
  TRegisterLayout controls(parent);
  controls.Label(QStringLiteral("Druh dokladu:"));
  eDBDruhDokladu =
      AddPickerCombo(controls, QStringLiteral("eDBDruhDokladu"), btnDruhDokladu, QStringLiteral("TfrmCDruhyDokladov"));
  SetupDocumentKindCombo(*eDBDruhDokladu);
  eDBP1 = AddAmount(controls, QStringLiteral("Číslo dokladu:"), QStringLiteral("eDBP1"), 0, 10);
  eDBP1->SetAllowZero(false);
  eDBP1->SetAllowNegative(false);
  lDBDatum = controls.Label(QStringLiteral("Dátum vystavenia:"));
  lDBDatum->setObjectName(QStringLiteral("lDBDatum"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Dátum splatnosti:"));
  eDBDatumSplatnosti = controls.Add<TIBDate>(QStringLiteral("eDBDatumSplatnosti"));
  eDBVariabilnySymbol =
      AddDigits(controls, QStringLiteral("Variabilný symbol:"), QStringLiteral("eDBVariabilnySymbol"), 10);
  eDBSpecifickySymbol =
      AddDigits(controls, QStringLiteral("Špecifický symbol:"), QStringLiteral("eDBSpecifickySymbol"), 10);
  eDBKonstatnySymbol =
      AddDigits(controls, QStringLiteral("Konštantný symbol:"), QStringLiteral("eDBKonstatnySymbol"), 4);
  controls.Label(QStringLiteral("Forma úhrady:"));
  eDBFormaUhrady = controls.Add<TIBComboBox>(QStringLiteral("eDBFormaUhrady"));
  SetupTextCombo(*eDBFormaUhrady, QStringLiteral("e_faktury"), QStringLiteral("forma_uhrady"), 15, 0);
  return controls.Widget();
}

QWidget* TfrmEFakturyPridaj::BuildPartner(QWidget& parent) {
  auto* box = new QGroupBox(QStringLiteral(" Identifikačné údaje partnera: "), &parent);
  box->setObjectName(QStringLiteral("gbxPartner"));
  TRegisterLayout controls(*box);
  controls.Label(QStringLiteral("Partner:"));
  eDBPartneri = AddPickerCombo(controls, QStringLiteral("eDBPartneri"), btnPartneri, QStringLiteral("TfrmCPartneri"));
  SetupPartnerCombo(*eDBPartneri);
  AddIdentityRows(controls, partner);
  (new QVBoxLayout(box))->addWidget(controls.Widget());
  return box;
}

QWidget* TfrmEFakturyPridaj::BuildTexts(QWidget& parent) {
  auto* texts = new QWidget(&parent);
  auto* row = new QHBoxLayout(texts);
  row->setContentsMargins(0, 0, 0, 0);
  eDBText1 = AddTextBox(*texts, *row, QStringLiteral(" Úvodný text dokladu: "), QStringLiteral("eDBText1"));
  eDBText2 = AddTextBox(*texts, *row, QStringLiteral(" Záverečný text dokladu: "), QStringLiteral("eDBText2"));
  eDBPoznamka = AddTextBox(*texts, *row, QStringLiteral(" Poznámka:            (netlačí sa na doklade) "),
                           QStringLiteral("eDBPoznamka"));
  btnUdajeZO = new QPushButton(QStringLiteral("Údaje ZO"), texts);
  btnUdajeZO->setObjectName(QStringLiteral("btnUdajeZO"));
  btnUdajeZO->setFocusPolicy(Qt::ClickFocus);
  row->addWidget(btnUdajeZO, 0, Qt::AlignBottom);
  texts->setMinimumHeight(110);
  return texts;
}

void TfrmEFakturyPridaj::DeclareFields() {
  for (const TInvoiceCaptions& captions : kInvoiceCaptions)
    if (TypOd >= captions.typOd && TypOd <= captions.typOd + 8) {
      dlg.AddCaption = QString::fromUtf8(captions.add);
      dlg.EditCaption = QString::fromUtf8(captions.edit);
    }
  const bool received = !InvoicePartnerIsCustomer(TypOd);
  lDBDatum->setText(received ? QStringLiteral("Dátum prijatia:") : QStringLiteral("Dátum vystavenia:"));
  dlg.Table = QStringLiteral("E_FAKTURY");
  // The row exists from the show, so that items can be entered at once; it
  // gets its year and type at the first save and is listed from then on.
  dlg.PerYear = true;
  dlg.HasPlaceholder = true;
  dlg.Field(QStringLiteral("P2")).ShownOnly().WrittenOnly().Placeholder(0);
  dlg.Field(QStringLiteral("UHRADENE")).ShownOnly().WrittenOnly().Placeholder(0);
  // The kind is stored by its abbreviation (key 2); its type (key 3) places the document.
  dlg.Field(QStringLiteral("DRUH_DOKLADU"), eDBDruhDokladu)
      .Required()
      .Loads([this](const TField& f) { eDBDruhDokladu->FindIt3(f.AsVariant()); })
      .Saves([this] { return eDBDruhDokladu->GetKeyValue2(); });
  dlg.Field(QStringLiteral("TYP")).WrittenOnly().Saves([this] { return eDBDruhDokladu->GetKeyValue3(); });
  dlg.Field(QStringLiteral("P1"), eDBP1).Required();
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required();
  dlg.Field(QStringLiteral("DATUM_SPLATNOSTI"), eDBDatumSplatnosti).Required();
  dlg.Field(QStringLiteral("VARIABILNY_SYMBOL"), eDBVariabilnySymbol).Required();
  dlg.Field(QStringLiteral("SPECIFICKY_SYMBOL"), eDBSpecifickySymbol);
  dlg.Field(QStringLiteral("KONSTANTNY_SYMBOL"), eDBKonstatnySymbol).Required();
  dlg.Field(QStringLiteral("FORMA_UHRADY"), eDBFormaUhrady).Required();
  dlg.Field(QStringLiteral("TEXT1"), eDBText1);
  dlg.Field(QStringLiteral("TEXT2"), eDBText2);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  // The partner's block on its side, the branch's own on the other, with no partner key.
  const QString partnerSide = received ? QStringLiteral("DOD_") : QStringLiteral("ODB_");
  const QString ownSide = received ? QStringLiteral("ODB_") : QStringLiteral("DOD_");
  dlg.Field(partnerSide + QStringLiteral("JEDIN"), eDBPartneri);
  const std::array<TIBEdit*, 11> partnerEdits = partner.All();
  for (size_t i = 0; i < kIdentityColumns.size(); ++i) {
    TDialogField& field = dlg.Field(partnerSide + QString::fromLatin1(kIdentityColumns[i]), partnerEdits[i]);
    if (partnerEdits[i] == partner.Nazov || partnerEdits[i] == partner.Mesto) field.Required();
  }
  dlg.Field(ownSide + QStringLiteral("JEDIN")).WrittenOnly().Saves([] { return QVariant(); });
  for (size_t i = 0; i < kIdentityColumns.size(); ++i)
    dlg.Field(ownSide + QString::fromLatin1(kIdentityColumns[i]))
        .Loads([this, i](const TField& f) { *NasaZO.Parts()[i] = f.AsString(); })
        .Saves([this, i] { return QVariant(*NasaZO.Parts()[i]); });
  dlg.AfterClear = [this] { ClearAll(); };
  dlg.CheckEntries = [this] { return CheckNumberFree(); };
}

bool TfrmEFakturyPridaj::CheckNumberFree() {
  const qint64 p1 = qint64(std::trunc(AmountOf(*eDBP1)));
  const std::optional<qint64> taken =
      CountOtherRows(dlg, QStringLiteral("e_faktury"), QStringLiteral("rok=:ROK and druh_dokladu=:DD and p1=:P1"),
                     {{QStringLiteral("ROK"), int(dlg.Rok)},
                      {QStringLiteral("DD"), eDBDruhDokladu->GetKeyValue2()},
                      {QStringLiteral("P1"), p1}});
  if (!taken) return false;
  if (*taken == 0) return true;
  // The database would refuse it too; the user gets to correct it here.
  MessageDlg(
      QStringLiteral("Doklad %1 číslo %2 už v evidencii je.").arg(eDBDruhDokladu->GetKeyValue2().toString()).arg(p1),
      TMsgDlgType::Warning, mbOK, mrOk);
  eDBP1->setFocus();
  return false;
}

QString TfrmEFakturyPridaj::KindMemoryName() const { return QStringLiteral("Druh_Dokladu_Typ%1").arg(TypOd); }

void TfrmEFakturyPridaj::ClearAll() {
  eDBDruhDokladu->SetSWhere(
      {QStringLiteral("rok=:ROK and typ between :TYP_OD and :TYP_DO"),
       {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("TYP_OD"), TypOd}, {QStringLiteral("TYP_DO"), TypDo}}});
  eDBDruhDokladu->FindIt(dlg.fp->ReadInteger(KindMemoryName(), 0));
  if (KeyParam(*eDBDruhDokladu).isNull()) eDBDruhDokladu->FindFirst();
  eDBDatum->SetDate(DateTime::Today());
  ProposeDueDate();
}

void TfrmEFakturyPridaj::ProposeDueDate() {
  const QVariant day = eDBDatum->Date();
  if (day.isNull() || !day.isValid()) return;
  eDBDatumSplatnosti->SetDate(day.toDouble() + 14);
}

void TfrmEFakturyPridaj::FormShow() {
  // Each show takes the own identity anew: the settings' for a new invoice,
  // the invoice's own (loaded with the row) for an edit.
  if (dlg.Mode() == TDialogMode::Add) NasaZO = TNasaZO::FromOrganizacia();
  dlg.FormShow();
  // Without its row a new invoice can keep neither itself nor its items.
  if (dlg.Mode() == TDialogMode::Add && Jedin == 0) {
    QMetaObject::invokeMethod(
        this, [this] { SetModalResult(mrCancel); }, Qt::QueuedConnection);
    return;
  }
  if (dlg.Mode() == TDialogMode::Add) PriradCisloDokladu();
  numberOnEntry_ = AmountOf(*eDBP1);
  items_->grid->DisplayGrid();
}

void TfrmEFakturyPridaj::FormClose(TCloseAction& action) {
  TDialogForm::FormClose(action);
  if (dlg.Mode() == TDialogMode::Add && dlg.Saved())
    dlg.fp->WriteInteger(KindMemoryName(), KeyParam(*eDBDruhDokladu).toInt());
}

void TfrmEFakturyPridaj::PriradCisloDokladu() {
  const QVariant druh = eDBDruhDokladu->GetKeyValue2();
  if (druh.isNull() || !druh.isValid()) return;
  const std::optional<qint64> p1 =
      SelectNumber(dlg, NextInvoiceNumberSql(), {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("DD"), druh}});
  if (!p1) return;
  eDBP1->SetValue(double(*p1));
  // A proposed number is not the variable symbol; only a typed one is.
  numberOnEntry_ = double(*p1);
}

void TfrmEFakturyPridaj::eDBDruhDokladuExit() {
  if (KeyParam(*eDBDruhDokladu) == eDBDruhDokladu->EntryKeyValue()) return;
  PriradCisloDokladu();
}

void TfrmEFakturyPridaj::eDBP1Exit() {
  const double number = AmountOf(*eDBP1);
  if (TypOd < 11 || TypOd > 19 || number == numberOnEntry_) return;
  numberOnEntry_ = number;
  eDBVariabilnySymbol->setText(QString::number(qint64(std::trunc(number))));
}

void TfrmEFakturyPridaj::eDBPartneriExit() {
  const QVariant key = KeyParam(*eDBPartneri);
  if (key.isNull() || key == eDBPartneri->EntryKeyValue()) return;
  const std::optional<QVariantMap> row = SelectRow(dlg, PartnerIdentitySql(), {{QStringLiteral("JEDIN"), key}});
  if (!row || row->isEmpty()) return;
  const std::array<TIBEdit*, 11> edits = partner.All();
  for (size_t i = 0; i < kIdentityColumns.size(); ++i)
    edits[i]->setText(row->value(QString::fromLatin1(kIdentityColumns[i])).toString());
  eDBSpecifickySymbol->setText(row->value(QStringLiteral("UCET_SS")).toString());
}

void TfrmEFakturyPridaj::btnUdajeZOClick() {
  // Made for each use: its required edits are no part of this dialog's checks.
  TfrmEFakturyNasaZO own(this);
  own.SetEntries(NasaZO);
  if (own.ShowModal() == mrOk) NasaZO = own.Entries();
}

void TfrmEFakturyPridaj::ShowItemTotals() {
  TIBQuery& q = *items_->query;
  q.DisableControls();
  // In cents: the sums of the lines as the grid shows them, as the invoice's totals are.
  qint64 zaklad = 0, dph = 0;
  const TField& lineBase = q.FieldByName(QStringLiteral("ZAKLAD"));
  const TField& lineVat = q.FieldByName(QStringLiteral("DPH"));
  for (q.First(); !q.Eof(); q.Next()) {
    zaklad += ToCents(lineBase.AsFloat());
    dph += ToCents(lineVat.AsFloat());
  }
  q.EnableControls();
  sbPanels[0]->setText(FormatIntegers(QStringLiteral("Počet záznamov: %d"), {q.RecordCount()}));
  sbPanels[1]->setText(QStringLiteral("Spolu bez DPH: ") + FormatMoney(FromCents(zaklad)));
  sbPanels[2]->setText(QStringLiteral("Spolu DPH: ") + FormatMoney(FromCents(dph)));
  sbPanels[3]->setText(QStringLiteral("Spolu s DPH: ") + FormatMoney(FromCents(zaklad + dph)));
  FitStatusBarPanels(*sb);
}
