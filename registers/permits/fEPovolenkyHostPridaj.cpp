#include "registers/permits/fEPovolenkyHostPridaj.h"
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "db/ServerSql.h"
#include "platform/MessageDialogs.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitEntries.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/PermitRows.h"
#include "registers/permits/PermitRules.h"
#include "registers/permits/fCReviryJUX.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QVBoxLayout>

namespace {
const QString kGuestReceiptTag = QStringLiteral("74FBA026-8F7F-4A58");
} // namespace

TfrmEPovolenkyHostPridaj::TfrmEPovolenkyHostPridaj(QWidget* owner, const TGuestRegister& reg)
    : TDialogForm(owner), Register(reg) {
  // Two columns (the holder left, the permit right) and the note below both.
  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  grid->setContentsMargins(0, 0, 0, 0);
  TRegisterLayout left(*body);
  left.Label(QStringLiteral("Dátum:"));
  eDBDatum = left.Add<TIBDate>(QStringLiteral("eDBDatum"));
  if (Register.HasMember) {
    left.Label(QStringLiteral("Člen:"));
    eDBClen = AddPickerCombo(left, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
    SetupMemberEntry(*eDBClen);
    SetupPersonKeys(*eDBClen);
  }
  static_cast<QFormLayout*>(left.Widget()->layout())->addRow(BuildPerson(*left.Widget()));
  TRegisterLayout controls(*body);
  controls.Label(QStringLiteral("ZO:"));
  eDBZO = controls.Add<TIBComboBox>(QStringLiteral("eDBZO"));
  SetupOrganisationCombo(*eDBZO);
  eDBCisloZakladnejPovolenky =
      AddText(controls, QStringLiteral("Číslo ZP:"), QStringLiteral("eDBCisloZakladnejPovolenky"), 50);
  eDBCisloZakladnejPovolenky->setToolTip(QStringLiteral("číslo základnej povolenky"));
  controls.Label(QStringLiteral("Platnosť:"));
  eDBPlatnost = controls.Add<TIBComboBox>(QStringLiteral("eDBPlatnost"));
  SetupOptionCombo(*eDBPlatnost, QStringLiteral("platnost_povolenky"), QStringLiteral("poradie"));
  if (*Register.ValidityKinds)
    eDBPlatnost->SetSWhere(
        {QStringLiteral("zaradenie=:ZARADENIE and cislo in (%1)").arg(QString::fromLatin1(Register.ValidityKinds)),
         {{QStringLiteral("ZARADENIE"), QStringLiteral("platnost_povolenky")}}});
  controls.Label(QStringLiteral("od:"));
  std::tie(eDBPlatnostOd, eDBPlatnostDo) =
      controls.AddPair<TIBDate, TIBDate>(QStringLiteral("eDBPlatnostOd"), 0, QStringLiteral("eDBPlatnostDo"));
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  if (auto* row = qobject_cast<TPickerRow*>(eDBRevir->parentWidget())) row->OnPick = [this] { btnRevirClick(); };
  const char* const prices[] = {"sezonna", "denna", "tyzdenna", "sezonna_cudzi", "denna_cudzi", "tyzdenna_cudzi"};
  for (int i = 0; i < 6; ++i)
    eDBRevir->SetSKeyField(i + 1, QString::fromLatin1(prices[i]));
  controls.Label(QStringLiteral("Cenina:"));
  eDBCeniny = AddPickerCombo(controls, QStringLiteral("eDBCeniny"), btnCeniny, QStringLiteral("TfrmCCeniny"));
  SetupSoldItemCombo(*eDBCeniny);
  eDBCena = AddPermitAmount(controls, " Cena položky:\nPredajná cena:", "eDBCena");
  eDBOdvodJUX = AddPermitAmount(controls, "Odvod JUX:", "eDBOdvodJUX");
  eZO = AddPermitAmount(controls, "ZO:", "eZO");
  eZO->SetReadOnly(true);
  eZO->setFocusPolicy(Qt::NoFocus);
  eDBDoplnkovyUdaj = AddText(controls, QStringLiteral("Číslo HP:"), QStringLiteral("eDBDoplnkovyUdaj"), 50);
  eDBDoplnkovyUdaj->setToolTip(QStringLiteral("číslo hosťovacej povolenky"));
  kind_ = std::make_unique<TPermitDocumentKind>(controls, dlg, "Druh dokl.:");
  eDBDruhDokladu = kind_->Combo;
  btnDruhDokladu = kind_->Button;
  TRegisterLayout note(*body);
  eDBPoznamka = AddNoteMemo(note);
  grid->addWidget(left.Widget(), 0, 0, Qt::AlignTop);
  grid->addWidget(controls.Widget(), 0, 1, Qt::AlignTop);
  grid->addWidget(note.Widget(), 1, 0, 1, 2);

  DeclareFields();
  dlg.FormCreate(body, QSize(900, 520));

  if (eDBClen) connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmEPovolenkyHostPridaj::eDBClenChange);
  connect(eDBPlatnost, &TIBComboBox::OnExit, this, &TfrmEPovolenkyHostPridaj::eDBPlatnostExit);
  connect(eDBPlatnostOd, &TIBDate::OnExit, this, &TfrmEPovolenkyHostPridaj::eDBPlatnostOdExit);
  connect(eDBRevir, &TIBComboBox::OnExit, this, &TfrmEPovolenkyHostPridaj::eDBRevirExit);
  connect(eDBCeniny, &TIBComboBox::OnExit, this, &TfrmEPovolenkyHostPridaj::eDBCeninyExit);
  for (TIBCurrencyEdit* edit : {eDBCena, eDBOdvodJUX})
    connect(edit, &QLineEdit::textChanged, this, &TfrmEPovolenkyHostPridaj::eDBCenaChange);
}

TfrmEPovolenkyHostPridaj::~TfrmEPovolenkyHostPridaj() = default;

QWidget* TfrmEPovolenkyHostPridaj::BuildPerson(QWidget& parent) {
  auto* box = new QGroupBox(QStringLiteral(" Osoba na ktorú sa vydáva hosťovacia povolenka: "), &parent);
  box->setObjectName(QStringLiteral("gbxOsoba"));
  auto* layout = new QVBoxLayout(box);
  TRegisterLayout person(*box);
  eDBTitul = AddText(person, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = AddText(person, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = AddText(person, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  eDBUlica = AddText(person, QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25);
  eDBPSC = AddText(person, QStringLiteral("PSČ"), QStringLiteral("eDBPSC"), 5);
  eDBMesto = AddText(person, QStringLiteral("Mesto"), QStringLiteral("eDBMesto"), 25);
  person.Label(QStringLiteral("Dátum narodenia"));
  eDBDatumNarodenia = person.Add<TIBDate>(QStringLiteral("eDBDatumNarodenia"));
  layout->addWidget(person.Widget());
  return box;
}

void TfrmEPovolenkyHostPridaj::DeclareFields() {
  dlg.AddCaption = QString::fromUtf8(Register.AddCaption);
  dlg.EditCaption = QString::fromUtf8(Register.EditCaption);
  dlg.Table = QStringLiteral("E_POVOLENKY");
  dlg.PerYear = true;
  dlg.LoadSql = GuestPaymentLoadSql(eDBClen != nullptr);
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  // The number is never shown: taken inside the insert.
  dlg.Field(QStringLiteral("CISLO")).WrittenOnly().InsertOnly().InsertedAs(NextPaymentNumberExpression(Register.Kind));
  dlg.Field(QStringLiteral("TYP_POVOLENKY")).WrittenOnly().InsertOnly().Saves([this] { return Register.Kind; });
  // The member before the person: a loaded member locks the person's fields.
  if (eDBClen) dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  BindPersonFields(dlg, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  // The item's columns: loaded with the header, written by WriteSale.
  dlg.Field(QStringLiteral("C_ZO"), eDBZO).ShownOnly().Required();
  dlg.Field(QStringLiteral("CISLO_ZAKLADNEJ_POVOLENKY"), eDBCisloZakladnejPovolenky).ShownOnly().Required();
  dlg.Field(QStringLiteral("PLATNOST"), eDBPlatnost).ShownOnly().Required();
  dlg.Field(QStringLiteral("PLATNOST_OD"), eDBPlatnostOd).ShownOnly().Required();
  dlg.Field(QStringLiteral("PLATNOST_DO"), eDBPlatnostDo).ShownOnly();
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).ShownOnly().Required();
  dlg.Field(QStringLiteral("C_CENINY"), eDBCeniny).ShownOnly().Required();
  dlg.Field(QStringLiteral("CENA"), eDBCena).ShownOnly();
  dlg.Field(QStringLiteral("ODVOD_JUX"), eDBOdvodJUX).ShownOnly();
  dlg.Field(QStringLiteral("DOPLNKOVY_UDAJ"), eDBDoplnkovyUdaj).ShownOnly().Required();
  dlg.Field(QStringLiteral("DRUH_DOKLADU"), eDBDruhDokladu).ShownOnly().Loads([this](const TField& f) {
    kind_->Load(f.AsVariant());
  });
  dlg.AfterClear = [this] { ClearAll(); };
  dlg.RowWritten = [this](TIBQuery& q, int payment) { WriteSale(q, payment); };
}

bool TfrmEPovolenkyHostPridaj::GroundsOffered() const {
  return GroundOwner(Register, ProgramSettings.JUX_JEDIN, ProgramSettings.ZO_JEDIN).isValid();
}

void TfrmEPovolenkyHostPridaj::ClearAll() {
  if (Register.ProposesOwnBranch) eDBZO->FindIt(ProgramSettings.ZO_JEDIN);
  const QVariant owner = GroundOwner(Register, ProgramSettings.JUX_JEDIN, ProgramSettings.ZO_JEDIN);
  // Without the setting no ground is offered (the dialog names the setting when it shows).
  eDBRevir->SetSWhere(owner.isValid()
                          ? TSqlCondition{QStringLiteral("c_zo=:ZO and rok=:ROK"),
                                          {{QStringLiteral("ZO"), owner}, {QStringLiteral("ROK"), int(dlg.Rok)}}}
                          : TSqlCondition{QStringLiteral("1=0"), {}});
  eDBCeniny->SetSWhere(YearCondition(dlg.Rok));
  kind_->Clear();
  if (eDBClen) eDBClenChange();
  if (Register.NewValidityKind != 0) eDBPlatnost->FindIt(Register.NewValidityKind);
  const TValidityPeriod period = ValidityForKind(ValidityKind(), DateOf(*eDBDatum), dlg.Rok);
  if (period.Known) {
    SetDateOf(*eDBPlatnostOd, period.Od);
    SetDateOf(*eDBPlatnostDo, period.Do);
  }
  LockValidity(ValidityKind());
  eDBCenaChange();
}

void TfrmEPovolenkyHostPridaj::FormShow() {
  dlg.FormShow();
  if (eDBClen) eDBClenChange();
  LockValidity(ValidityKind());
  if (!GroundsOffered()) MessageDlg(MissingGroundOwnerText(Register), TMsgDlgType::Warning, TMsgDlgButtons(mbOK));
}

void TfrmEPovolenkyHostPridaj::FormClose(TCloseAction& action) {
  TDialogForm::FormClose(action);
  if (dlg.Mode() != TDialogMode::Add || !dlg.Saved()) return;
  kind_->Remember();
  if (TempSpracujClear(kGuestReceiptTag) && TempSpracujAdd(Jedin, kGuestReceiptTag)) PrintHostPermitPayment();
}

void TfrmEPovolenkyHostPridaj::eDBClenChange() {
  FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
}

int TfrmEPovolenkyHostPridaj::ValidityKind() const { return KeyParam(*eDBPlatnost).toInt(); }

QDate TfrmEPovolenkyHostPridaj::DateOf(const TIBDate& edit) const {
  const QVariant date = edit.Date();
  return date.isNull() || !date.isValid() ? QDate() : DateTime::ToDate(date.toDouble());
}

void TfrmEPovolenkyHostPridaj::SetDateOf(TIBDate& edit, const QDate& date) {
  edit.SetDate(date.isValid() ? QVariant(DateTime::FromDate(date)) : QVariant());
}

void TfrmEPovolenkyHostPridaj::LockValidity(int kind) {
  const TValidityPeriod period = ValidityForKind(kind, QDate(), dlg.Rok);
  eDBPlatnostOd->SetReadOnly(period.Known && !period.OdEditable);
  eDBPlatnostDo->SetReadOnly(period.Known);
}

void TfrmEPovolenkyHostPridaj::eDBPlatnostExit() {
  const int kind = ValidityKind();
  if (KeyParam(*eDBPlatnost) == eDBPlatnost->EntryKeyValue()) return;
  const TValidityPeriod period = ValidityForKind(kind, DateOf(*eDBDatum), dlg.Rok);
  if (!period.Known) return;
  SetDateOf(*eDBPlatnostOd, period.Od);
  SetDateOf(*eDBPlatnostDo, period.Do);
  LockValidity(kind);
}

void TfrmEPovolenkyHostPridaj::eDBPlatnostOdExit() {
  const QDate end = ValidityEnd(ValidityKind(), DateOf(*eDBPlatnostOd));
  if (end.isValid()) SetDateOf(*eDBPlatnostDo, end);
}

void TfrmEPovolenkyHostPridaj::eDBRevirExit() {
  if (KeyParam(*eDBRevir) == eDBRevir->EntryKeyValue()) return;
  const TGroundPrices prices{eDBRevir->GetKeyValue2(), eDBRevir->GetKeyValue3(), eDBRevir->GetKeyValue4(),
                             eDBRevir->GetKeyValue5(), eDBRevir->GetKeyValue6(), eDBRevir->GetKeyValue7()};
  const QVariant item = ProposedPriceItem(ValidityKind(), prices);
  if (!item.isNull() && item.isValid()) eDBCeniny->FindIt(item);
}

void TfrmEPovolenkyHostPridaj::btnRevirClick() {
  const QVariant owner = GroundOwner(Register, ProgramSettings.JUX_JEDIN, ProgramSettings.ZO_JEDIN);
  if (!owner.isValid()) {
    MessageDlg(MissingGroundOwnerText(Register), TMsgDlgType::Warning, TMsgDlgButtons(mbOK));
    return;
  }
  // The grounds list filtered to the council's or the own branch's grounds.
  PickFromFilteredList(*eDBRevir, QStringLiteral("TfrmCReviryJUX"), btnRevir, [&owner](TForm& list) {
    auto& grounds = dynamic_cast<TfrmCReviryJUX&>(list);
    grounds.eDBZO->FindIt(owner);
    grounds.list.btnFilterClick(&grounds);
  });
}

void TfrmEPovolenkyHostPridaj::eDBCeninyExit() {
  // Every passing: the ground's proposal reaches the price, a typed price is replaced.
  if (KeyParam(*eDBCeniny).isNull()) return;
  eDBCena->SetValue(eDBCeniny->GetKeyValue2().toDouble());
  eDBOdvodJUX->SetValue(eDBCeniny->GetKeyValue3().toDouble());
}

void TfrmEPovolenkyHostPridaj::eDBCenaChange() { eZO->SetValue(PermitShare(*eDBCena, *eDBOdvodJUX)); }

void TfrmEPovolenkyHostPridaj::WriteSale(TIBQuery& q, int payment) {
  QVariantMap values;
  for (const TDialogField& field : dlg.Fields())
    values.insert(field.Column(), field.Value());
  const int item = WriteGuestPermitItem(q, payment, Register.Kind, dlg.Rok, values);

  TPermitItemRows rows;
  rows.Item = item;
  rows.Payment = payment;
  rows.Rok = dlg.Rok;
  rows.Ceniny = KeyParam(*eDBCeniny);
  rows.Cena = PermitAmount(*eDBCena);
  rows.OdvodJux = PermitAmount(*eDBOdvodJUX);
  rows.Poznamka = eDBDoplnkovyUdaj->text();
  rows.Popis = eDBCeniny->RowText();
  rows.DruhDokladu = kind_->Skratka();
  rows.TypDokladu = kind_->Typ();
  WritePermitStockIssue(q, rows);
  WritePermitCashIncome(q, rows);
  StampPaymentRows(q, payment);
}

TfrmEPovolenkyJUXPridaj::TfrmEPovolenkyJUXPridaj(QWidget* owner)
    : TfrmEPovolenkyHostPridaj(owner, kUnionGuestPermits) {}

TfrmEPovolenkyZOPridaj::TfrmEPovolenkyZOPridaj(QWidget* owner) : TfrmEPovolenkyHostPridaj(owner, kBranchGuestPermits) {}
