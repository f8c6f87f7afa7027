#include "registers/accounting/fEPokladnaPridaj.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/accounting/fESaldokonto.h"
#include "registers/common/DialogQueries.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "util/MoneyArithmetic.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace {
TIBCurrencyEdit* AddWholeNumber(TRegisterLayout& controls, const QString& label, const QString& name, int digits) {
  TIBCurrencyEdit* edit = AddAmount(controls, label, name, 0, digits);
  edit->SetAllowZero(false);
  edit->SetAllowNegative(false);
  return edit;
}

TIBCurrencyEdit* AddMoney(TRegisterLayout& controls, const QString& label, const QString& name) {
  TIBCurrencyEdit* edit = AddAmount(controls, label, name, 2, 14);
  edit->SetAllowNegative(true);
  edit->SetMoneyColor(true);
  return edit;
}
} // namespace

TfrmEPokladnaPridaj::TfrmEPokladnaPridaj(QWidget* owner, int typ) : TDialogForm(owner), Typ(typ) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Druh dokladu:"));
  eDBDruhDokladu =
      AddPickerCombo(controls, QStringLiteral("eDBDruhDokladu"), btnDruhDokladu, QStringLiteral("TfrmCDruhyDokladov"));
  SetupDocumentKindCombo(*eDBDruhDokladu);
  eDBP1 = AddWholeNumber(controls, QStringLiteral("Číslo dokladu:"), QStringLiteral("eDBP1"), 10);
  eDBP2 = AddWholeNumber(controls, QStringLiteral("Položka:"), QStringLiteral("eDBP2"), 10);
  eDBP2->setToolTip(QStringLiteral("Položka bankového výpisu"));
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Príjem/Výdaj:"));
  eDBSmerPohybu = controls.Add<TIBComboBox>(QStringLiteral("eDBSmerPohybu"));
  SetupDirectionCombo(*eDBSmerPohybu);
  eDBPopis = AddText(controls, QStringLiteral("Popis:"), QStringLiteral("eDBPopis"), 50);
  lblClen = controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  const char* const memberKeys[] = {"priezvisko", "meno", "titul", "ulica", "psc", "mesto"};
  for (int i = 0; i < 6; ++i)
    eDBClen->SetSKeyField(i + 1, QString::fromLatin1(memberKeys[i]));
  lblPartneri = controls.Label(QStringLiteral("Partner:"));
  eDBPartneri = AddPickerCombo(controls, QStringLiteral("eDBPartneri"), btnPartneri, QStringLiteral("TfrmCPartneri"));
  SetupPartnerCombo(*eDBPartneri);
  const char* const partnerKeys[] = {"nazov", "ulica", "psc", "mesto", "ico", "dic", "ic_dph"};
  for (int i = 0; i < 7; ++i)
    eDBPartneri->SetSKeyField(i + 1, QString::fromLatin1(partnerKeys[i]));
  AddAddressRows(controls, eDBNazov, eDBUlica, eDBPSC, eDBMesto, eDBICO, eDBDIC, eDBICDPH);
  eDBZaklad = AddMoney(controls, QStringLiteral("Základ bez DPH"), QStringLiteral("eDBZaklad"));
  eDBSadzbaDPH = AddAmount(controls, QStringLiteral("DPH %"), QStringLiteral("eDBSadzbaDPH"), 0, 2);
  eDBDPH = AddMoney(controls, QStringLiteral("DPH"), QStringLiteral("eDBDPH"));
  eDBSpolu = AddMoney(controls, QStringLiteral("Spolu s DPH"), QStringLiteral("eDBSpolu"));
  eDBPoznamka = AddNoteMemo(controls);
  LetNoteTakeTheRoomLeft(*eDBPoznamka);
  // Its three lines held: the link buttons below must not be laid over it.
  eDBPoznamka->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  eDBPoznamka->setFixedHeight(eDBPoznamka->minimumHeight());
  auto* link = controls.Add<QWidget>(QStringLiteral("pnlFaktura"));
  link->setFont(font()); // the buttons' captions, not the entry font of the rows
  // One under the other: side by side their captions do not fit.
  auto* linkRow = new QVBoxLayout(link);
  linkRow->setContentsMargins(0, 0, 0, 0);
  btnFakturaUhrada = new TSpeedButton(link);
  btnFakturaUhrada->setObjectName(QStringLiteral("btnFakturaUhrada"));
  btnFakturaUhrada->setText(QStringLiteral("Úhrada dokladu zo saldokonta - F5"));
  btnFakturaZrus = new TSpeedButton(link);
  btnFakturaZrus->setObjectName(QStringLiteral("btnFakturaZrus"));
  btnFakturaZrus->setText(QStringLiteral("Zruš napojenie uhrádzania - F6"));
  // Its room is kept while it is hidden: the dialog is sized once, and the
  // button must not push the rows over the note when a link shows it.
  QSizePolicy keepRoom = btnFakturaZrus->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  btnFakturaZrus->setSizePolicy(keepRoom);
  btnFakturaZrus->hide();
  linkRow->addWidget(btnFakturaUhrada, 0, Qt::AlignLeft);
  linkRow->addWidget(btnFakturaZrus, 0, Qt::AlignLeft);
  connect(btnFakturaUhrada, &QToolButton::clicked, this, &TfrmEPokladnaPridaj::btnFakturaUhradaClick);
  connect(btnFakturaZrus, &QToolButton::clicked, this, &TfrmEPokladnaPridaj::btnFakturaZrusClick);

  DeclareFields();
  dlg.FormCreate(controls.Widget(), QSize(560, 560));

  connect(eDBDruhDokladu, &TIBComboBox::OnExit, this, &TfrmEPokladnaPridaj::eDBDruhDokladuExit);
  for (TIBComboBox* combo : {eDBClen, eDBPartneri})
    connect(combo, &TIBComboBox::OnChange, this, &TfrmEPokladnaPridaj::FollowCounterparty);
  connect(eDBClen, &TIBComboBox::OnExit, this, &TfrmEPokladnaPridaj::eDBClenExit);
  connect(eDBPartneri, &TIBComboBox::OnExit, this, &TfrmEPokladnaPridaj::eDBPartneriExit);
  // Typed values decide; values the dialog puts in (a loaded row, an invoice's amount) compute nothing.
  connect(eDBZaklad, &QLineEdit::textChanged, this, [this] {
    if (eDBZaklad->hasFocus()) ComputeVat();
  });
  connect(eDBDPH, &QLineEdit::textChanged, this, &TfrmEPokladnaPridaj::UpdateTotal);
  connect(eDBSadzbaDPH, &QLineEdit::textChanged, this, [this] {
    FollowRate();
    if (eDBSadzbaDPH->hasFocus()) ComputeVat();
  });
}

TfrmEPokladnaPridaj::~TfrmEPokladnaPridaj() = default;

void TfrmEPokladnaPridaj::DeclareFields() {
  dlg.AddCaption = Typ == 1 ? QStringLiteral("Pridanie pohybu pokladne") : QStringLiteral("Pridanie pohybu banky");
  dlg.EditCaption = Typ == 1 ? QStringLiteral("Oprava pohybu pokladne") : QStringLiteral("Oprava pohybu banky");
  dlg.Table = QStringLiteral("E_POKLADNA");
  dlg.PerYear = true;
  // The kind is stored by its abbreviation (key 2); its type (key 3) names the book.
  dlg.Field(QStringLiteral("DRUH_DOKLADU"), eDBDruhDokladu)
      .Required()
      .Loads([this](const TField& f) { eDBDruhDokladu->FindIt3(f.AsVariant()); })
      .Saves([this] { return eDBDruhDokladu->GetKeyValue2(); });
  dlg.Field(QStringLiteral("P1"), eDBP1).Required();
  dlg.Field(QStringLiteral("P2"), eDBP2).Required();
  dlg.Field(QStringLiteral("SMER_POHYBU"), eDBSmerPohybu).Required().Default(-1);
  dlg.Field(QStringLiteral("POPIS"), eDBPopis).Required();
  // The partner before the member: a loaded member then locks its address.
  dlg.Field(QStringLiteral("C_PARTNERI"), eDBPartneri);
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  DeclareAddressFields(dlg, eDBNazov, eDBUlica, eDBPSC, eDBMesto, eDBICO, eDBDIC, eDBICDPH);
  dlg.Field(QStringLiteral("SADZBA_DPH"), eDBSadzbaDPH);
  // The three amounts stand in the income columns or in the expense ones,
  // the other three hold zeros.
  const struct {
    const char *income, *expense;
    TIBCurrencyEdit* edit;
  } amounts[] = {
      {"PRIJEM_ZAKLAD", "VYDAJ_ZAKLAD", eDBZaklad}, {"PRIJEM_DPH", "VYDAJ_DPH", eDBDPH}, {"PRIJEM", "VYDAJ", eDBSpolu}};
  for (const auto& amount : amounts)
    for (const bool incomeColumn : {true, false}) {
      TIBCurrencyEdit* edit = amount.edit;
      dlg.Field(QString::fromLatin1(incomeColumn ? amount.income : amount.expense))
          .Loads([this, edit, incomeColumn](const TField& f) {
            if (Income() == incomeColumn) edit->SetValue(f.AsFloat());
          })
          .Saves([this, edit, incomeColumn] { return Income() == incomeColumn ? AmountOf(*edit) : 0.0; });
    }
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("TYP")).WrittenOnly().InsertOnly().Saves([this] { return eDBDruhDokladu->GetKeyValue3(); });
  dlg.Field(QStringLiteral("E_FAKTURY"))
      .Loads([this](const TField& f) { LinkedInvoice = f.AsVariant(); })
      .Saves([this] { return LinkedInvoice; });
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("E_POVOLENKY2")).ShownOnly().Loads([this](const TField& f) { fromPermit_ = !f.IsNull(); });
  dlg.AfterClear = [this] { ClearAll(); };
  dlg.CheckEntries = [this] { return CheckNumberFree(); };
}

bool TfrmEPokladnaPridaj::Income() const {
  // Only an expense fills the expense columns.
  return KeyParam(*eDBSmerPohybu).toInt() != -1;
}

QString TfrmEPokladnaPridaj::KindMemoryName() const { return QStringLiteral("Druh_Dokladu_Typ%1").arg(Typ); }

void TfrmEPokladnaPridaj::ClearAll() {
  eDBDruhDokladu->SetSWhere(
      {QStringLiteral("rok=:ROK and typ=:TYP"), {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("TYP"), Typ}}});
  eDBDruhDokladu->FindIt(dlg.fp->ReadInteger(KindMemoryName(), 0));
  if (KeyParam(*eDBDruhDokladu).isNull()) eDBDruhDokladu->FindFirst();
  for (TIBCurrencyEdit* amount : {eDBZaklad, eDBDPH, eDBSpolu})
    amount->clear();
  LinkedInvoice = QVariant();
  fromPermit_ = false;
  FollowLink();
  FollowCounterparty();
  FollowRate();
}

void TfrmEPokladnaPridaj::FormShow() {
  dlg.FormShow();
  if (dlg.Mode() == TDialogMode::Add) PriradCisloDokladu();
  FollowLink();
  if (Linked()) {
    // A payment of an invoice keeps the invoice's partner.
    if (!KeyParam(*eDBPartneri).isNull()) {
      eDBPartneri->SetReadOnly(true);
      btnPartneri->hide();
    }
  }
  if (fromPermit_) {
    // Written by a permit payment: shown, never changed here.
    dlg.SetMode(TDialogMode::View);
    SetFormReadOnly(*this);
    dlg.btnDalsi->hide();
    btnFakturaUhrada->hide();
    // Its room is kept while it is hidden: the dialog is sized once, and the
    // button must not push the rows over the note when a link shows it.
    QSizePolicy keepRoom = btnFakturaZrus->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    btnFakturaZrus->setSizePolicy(keepRoom);
    btnFakturaZrus->hide();
  }
}

void TfrmEPokladnaPridaj::FormClose(TCloseAction& action) {
  TDialogForm::FormClose(action);
  if (dlg.Mode() == TDialogMode::Add && dlg.Saved())
    dlg.fp->WriteInteger(KindMemoryName(), KeyParam(*eDBDruhDokladu).toInt());
}

void TfrmEPokladnaPridaj::PriradCisloDokladu() {
  const QVariant druh = eDBDruhDokladu->GetKeyValue2();
  if (druh.isNull() || !druh.isValid()) return;
  QVariantMap params{{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("DD"), druh}};
  // A bank movement continues the latest statement; a cash receipt takes the next number.
  const std::optional<qint64> p1 = SelectNumber(dlg, NextMovementNumberSql(Typ == 2), params);
  if (!p1) return;
  eDBP1->SetValue(double(*p1));
  params.insert(QStringLiteral("P1"), *p1);
  const std::optional<qint64> p2 = SelectNumber(dlg, NextMovementItemSql(), params);
  if (p2) eDBP2->SetValue(double(*p2));
}

bool TfrmEPokladnaPridaj::CheckNumberFree() {
  const qint64 p1 = qint64(std::trunc(AmountOf(*eDBP1))), p2 = qint64(std::trunc(AmountOf(*eDBP2)));
  const std::optional<qint64> taken = CountOtherRows(
      dlg, QStringLiteral("e_pokladna"), QStringLiteral("rok=:ROK and druh_dokladu=:DD and p1=:P1 and p2=:P2"),
      {{QStringLiteral("ROK"), int(dlg.Rok)},
       {QStringLiteral("DD"), eDBDruhDokladu->GetKeyValue2()},
       {QStringLiteral("P1"), p1},
       {QStringLiteral("P2"), p2}});
  if (!taken) return false;
  if (*taken == 0) return true;
  // The database would refuse the pair too; the user gets to correct it here.
  MessageDlg(QStringLiteral("Doklad %1 číslo %2, položka %3 už v evidencii je.")
                 .arg(eDBDruhDokladu->GetKeyValue2().toString())
                 .arg(p1)
                 .arg(p2),
             TMsgDlgType::Warning, mbOK, mrOk);
  eDBP1->setFocus();
  return false;
}

void TfrmEPokladnaPridaj::eDBDruhDokladuExit() {
  if (dlg.Mode() == TDialogMode::View || KeyParam(*eDBDruhDokladu) == eDBDruhDokladu->EntryKeyValue()) return;
  PriradCisloDokladu();
}

void TfrmEPokladnaPridaj::FollowCounterparty() {
  ShowOneCounterparty({lblClen, eDBClen, btnClen}, {lblPartneri, eDBPartneri, btnPartneri});
  if (dlg.Mode() == TDialogMode::View) return;
  const bool member = !KeyParam(*eDBClen).isNull();
  const bool partner = !KeyParam(*eDBPartneri).isNull();
  // The chosen member's or partner's record holds these; locked edits skip their checks.
  for (TIBEdit* edit : {eDBNazov, eDBUlica, eDBPSC, eDBMesto})
    edit->SetReadOnly(member || partner);
  for (TIBEdit* edit : {eDBICO, eDBDIC, eDBICDPH})
    edit->SetReadOnly(partner);
}

void TfrmEPokladnaPridaj::eDBClenExit() {
  FollowCounterparty();
  const QVariant member = KeyParam(*eDBClen);
  if (member.isNull() || member == eDBClen->EntryKeyValue()) return;
  const QString name = eDBClen->GetKeyValue2().toString() + QLatin1Char(' ') + eDBClen->GetKeyValue3().toString() +
                       QLatin1Char(' ') + eDBClen->GetKeyValue4().toString();
  eDBNazov->setText(name.trimmed());
  eDBUlica->setText(eDBClen->GetKeyValue5().toString());
  eDBPSC->setText(eDBClen->GetKeyValue6().toString());
  eDBMesto->setText(eDBClen->GetKeyValue7().toString());
  for (TIBEdit* edit : {eDBICO, eDBDIC, eDBICDPH})
    edit->clear();
}

void TfrmEPokladnaPridaj::eDBPartneriExit() {
  FollowCounterparty();
  const QVariant partner = KeyParam(*eDBPartneri);
  if (partner.isNull() || partner == eDBPartneri->EntryKeyValue()) return;
  eDBNazov->setText(eDBPartneri->GetKeyValue2().toString());
  eDBUlica->setText(eDBPartneri->GetKeyValue3().toString());
  eDBPSC->setText(eDBPartneri->GetKeyValue4().toString());
  eDBMesto->setText(eDBPartneri->GetKeyValue5().toString());
  eDBICO->setText(eDBPartneri->GetKeyValue6().toString());
  eDBDIC->setText(eDBPartneri->GetKeyValue7().toString());
  eDBICDPH->setText(eDBPartneri->GetKeyValue8().toString());
}

void TfrmEPokladnaPridaj::ComputeVat() {
  if (dlg.Mode() == TDialogMode::View) return;
  const int rate = int(std::trunc(AmountOf(*eDBSadzbaDPH)));
  if (rate == 0)
    eDBDPH->clear(); // no VAT, not a VAT of 0
  else
    eDBDPH->SetValue(FromCents(VatCents(ToCents(AmountOf(*eDBZaklad)), rate)));
  UpdateTotal();
}

void TfrmEPokladnaPridaj::FollowRate() {
  // Without a rate there is no VAT to type.
  eDBDPH->SetReadOnly(std::trunc(AmountOf(*eDBSadzbaDPH)) == 0 || dlg.Mode() == TDialogMode::View);
}

void TfrmEPokladnaPridaj::UpdateTotal() {
  if (dlg.Mode() == TDialogMode::View) return;
  eDBSpolu->SetValue(AmountOf(*eDBZaklad) + AmountOf(*eDBDPH));
}

bool TfrmEPokladnaPridaj::Linked() const { return !LinkedInvoice.isNull() && LinkedInvoice.isValid(); }

void TfrmEPokladnaPridaj::FollowLink() {
  const bool linked = Linked();
  btnFakturaZrus->setVisible(linked && dlg.Mode() != TDialogMode::View);
  eDBSmerPohybu->SetReadOnly(linked);
  eDBPopis->SetReadOnly(linked);
}

bool TfrmEPokladnaPridaj::FormKeyDown(QKeyEvent* event) {
  if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
    if (event->key() == Qt::Key_F5) {
      if (btnFakturaUhrada->isVisible()) btnFakturaUhradaClick();
      return true;
    }
    if (event->key() == Qt::Key_F6) {
      if (btnFakturaZrus->isVisible()) btnFakturaZrusClick();
      return true;
    }
  }
  return TDialogForm::FormKeyDown(event);
}

void TfrmEPokladnaPridaj::btnFakturaUhradaClick() {
  if (dlg.Mode() == TDialogMode::View) return;
  // Income pays receivables, expense liabilities.
  const int smer = KeyParam(*eDBSmerPohybu).toInt() == 1 ? 1 : -1;
  if (const std::optional<int> chosen = TfrmESaldokonto::PickInvoice(this, dlg.Rok, smer, LinkedInvoice))
    LinkedInvoice = *chosen;
  FollowLink();
  if (!Linked()) return;
  FollowInvoiceDirection();
  FillFromInvoice();
}

void TfrmEPokladnaPridaj::FollowInvoiceDirection() {
  // Whatever the picker listed: a payment never goes the wrong way.
  const std::optional<qint64> typ = SelectNumber(dlg, InvoiceTypeSql(), {{QStringLiteral("JEDIN"), LinkedInvoice}});
  if (!typ) return;
  const bool receivable = *typ == 11 || *typ == 12 || *typ == 23;
  eDBSmerPohybu->FindIt(receivable ? 1 : -1);
}

void TfrmEPokladnaPridaj::FillFromInvoice() {
  const std::optional<QVariantMap> ledger = SelectRow(
      dlg, LedgerItemSql(), {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("JEDIN"), LinkedInvoice}});
  // Not listed in the ledger of this year: the link stays as chosen, nothing is filled.
  if (!ledger || ledger->isEmpty()) return;
  eDBPopis->setText(QString(QStringLiteral("Úhrada ") + ledger->value(QStringLiteral("DOKLAD")).toString()).left(50));
  eDBSadzbaDPH->clear();
  eDBZaklad->SetValue(std::abs(ledger->value(QStringLiteral("UHRADA")).toDouble()));
  eDBDPH->clear();
  eDBSpolu->SetValue(AmountOf(*eDBZaklad));
  if (eDBPopis->hasFocus()) eDBZaklad->setFocus();
  eDBClen->ClearValue();
  eDBPartneri->ClearValue();
  // The side the ledger names as the partner: the supplier of received invoices and credit notes.
  const std::optional<QVariantMap> block = SelectRow(
      dlg, InvoicePartnerSql(ledger->value(QStringLiteral("TYP")).toInt()), {{QStringLiteral("JEDIN"), LinkedInvoice}});
  if (block && !block->isEmpty()) {
    const QVariant partner = block->value(QStringLiteral("JEDIN"));
    if (!partner.isNull()) eDBPartneri->FindIt(partner);
    const struct {
      TIBEdit* edit;
      const char* column;
    } parts[] = {{eDBNazov, "NAZOV"}, {eDBUlica, "ULICA"}, {eDBMesto, "MESTO"}, {eDBPSC, "PSC"},
                 {eDBICO, "ICO"},     {eDBDIC, "DIC"},     {eDBICDPH, "IC_DPH"}};
    for (const auto& part : parts)
      part.edit->setText(block->value(QString::fromLatin1(part.column)).toString());
  }
  FollowCounterparty();
}

void TfrmEPokladnaPridaj::btnFakturaZrusClick() {
  if (dlg.Mode() == TDialogMode::View) return;
  LinkedInvoice = QVariant();
  eDBPopis->clear();
  FollowLink();
  eDBPartneri->SetReadOnly(false);
  btnPartneri->show();
}
