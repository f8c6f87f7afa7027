#include "registers/permits/fEPovolenkyPridaj.h"
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "platform/MessageDialogs.h"
#include "registers/common/ChildGrid.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/fEBrigady.h"
#include "registers/members/fEPriestupky.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/PermitRows.h"
#include "registers/permits/fEPovolenkyPolozkyPridaj.h"
#include "util/MoneyFormat.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <cmath>

namespace {
const QString kBasicReceiptTag = QStringLiteral("FB1E244F-A9DE-4FD8");

TIBCurrencyEdit* AddShownAmount(TRegisterLayout& controls, const QString& label, const QString& name, int decimals) {
  TIBCurrencyEdit* edit = AddAmount(controls, label, name, decimals, 14);
  edit->SetAllowNegative(true);
  edit->SetReadOnly(true);
  return edit;
}

// Red with a white font for a warning, the read-only look otherwise.
void ShowWarning(TDataEntryControl& control, bool warning) {
  control.SetColor(warning ? TDataEntryControl::ErrorColor
                           : control.StateColor(TDataEntryControl::TColorOrder::ReadOnlyFirst));
  control.SetFontColor(warning ? TDataEntryControl::ErrorFontColor : clWindowText);
}
} // namespace

TfrmEPovolenkyPridaj::TfrmEPovolenkyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBCislo = AddAmount(controls, QStringLiteral("Číslo platby:"), QStringLiteral("eDBCislo"), 0, 14);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  const char* const memberKeys[] = {"skupina_1", "datum_narodenia", "cislo_legitimacie", "brigada_vyzadovat"};
  for (int i = 0; i < 4; ++i)
    eDBClen->SetSKeyField(i + 1, QString::fromLatin1(memberKeys[i]));
  eCisloLegimitacie =
      AddText(controls, QStringLiteral("Číslo člen. legitimácie:"), QStringLiteral("eCisloLegimitacie"), 20);
  eCisloLegimitacie->SetReadOnly(true);
  controls.Label(QStringLiteral("Dátum narodenia:"));
  eDatumNarodenia = controls.Add<TIBDate>(QStringLiteral("eDatumNarodenia"));
  eDatumNarodenia->SetReadOnly(true);
  ePokuta = AddShownAmount(controls, QStringLiteral("Neuhradená pokuta:"), QStringLiteral("ePokuta"), 2);
  eBrigada = AddShownAmount(controls, QStringLiteral("Brigáda:"), QStringLiteral("eBrigada"), 1);
  controls.Label(QStringLiteral("Povolenka vrátená:"));
  ePovolenkaVratena = controls.Add<TIBDate>(QStringLiteral("ePovolenkaVratena"));
  ePovolenkaVratena->SetReadOnly(true);

  auto* form = static_cast<QFormLayout*>(controls.Widget()->layout());
  auto* buttons = new QWidget(controls.Widget());
  auto* buttonRow = new QHBoxLayout(buttons);
  buttonRow->setContentsMargins(0, 0, 0, 0);
  btnBrigady = new TQPLBtn(QStringLiteral("&Brigády"), buttons);
  btnBrigady->setObjectName(QStringLiteral("btnBrigady"));
  btnPokuty = new TQPLBtn(QStringLiteral("&Pokuty"), buttons);
  btnPokuty->setObjectName(QStringLiteral("btnPokuty"));
  buttonRow->addWidget(btnBrigady);
  buttonRow->addWidget(btnPokuty);
  buttonRow->addStretch();
  form->addRow(QString(), buttons);

  childOwner_ = std::make_unique<TDialogChildOwner>(*this);
  items = std::make_unique<TChildGrid>(
      *childOwner_, QStringLiteral("e_povolenky2"), PaymentItemsSql(),
      [this] { return std::make_unique<TfrmEPovolenkyPolozkyPridaj>(this); },
      [](TForm& dialog, int payment) { static_cast<TfrmEPovolenkyPolozkyPridaj&>(dialog).EPovolenky = payment; });
  QGroupBox* box = items->Build(*controls.Widget(), QStringLiteral(" Položky platby: "), QStringLiteral("gbxPolozky"),
                                QStringLiteral("tb1"), QStringLiteral("2"));
  AddListColumns(*items->grid, {{"NAZOV", "Názov platby", 260, "b.nazov"},
                                {"DOPLNKOVY_UDAJ", "Doplnkový údaj", 150, "a.doplnkovy_udaj"},
                                {"CENA", "Cena", 80, "a.cena"}})
      .value(2)
      ->DisplayFormat = QStringLiteral("#,##0.00");
  sb = items->AddStatusBar(QStringLiteral("sb"), sbPanels);
  box->setMinimumHeight(200);
  form->addRow(box);
  connect(items->query, &TDataSet::DataSetChanged, this, &TfrmEPovolenkyPridaj::ItemsChanged);
  // A delete commits at once, as an item's save does: the payment's stored
  // total follows it there too, so a cancelled dialog leaves it right.
  items->AfterDelete = [this] { RunInOwnTransaction([this](TIBQuery& q) { StampPaymentRows(q, Jedin); }); };

  eDBPoznamka = AddNoteMemo(controls);
  LetNoteTakeTheRoomLeft(*eDBPoznamka);
  eSpolu = AddShownAmount(controls, QStringLiteral("Spolu k úhrade:"), QStringLiteral("eSpolu"), 2);

  dlg.AddCaption = QStringLiteral("Pridanie platby za základné povolenky");
  dlg.EditCaption = QStringLiteral("Oprava platby za základné povolenky");
  dlg.Table = QStringLiteral("E_POVOLENKY");
  dlg.PerYear = true;
  dlg.HasPlaceholder = true;
  dlg.PlaceholderHasYear = true;
  dlg.Field(QStringLiteral("CISLO"), eDBCislo).Required().InsertedAs(NextPaymentNumberExpression(0));
  dlg.Field(QStringLiteral("TYP_POVOLENKY")).WrittenOnly().InsertOnly().Placeholder(0).Saves([] { return 0; });
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen).Required();
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("SPOLU")).WrittenOnly().Saves([this] { return eSpolu->Value(); });
  dlg.PlaceholderMade = [this](TIBQuery& q) {
    // The number the insert took.
    eDBCislo->SetValue(PaymentNumber(q, q.ParamByName(QStringLiteral("JEDIN")).Value().toInt()));
  };
  dlg.AfterClear = [this] { ShowChecks(TMemberChecks{}); };
  dlg.RowWritten = [](TIBQuery& q, int key) { StampPaymentRows(q, key); };
  dlg.SaveFailed = [this](int handled) {
    if (handled == 2001) eDBCislo->setFocus();
  };
  dlg.FormCreate(controls.Widget(), QSize(640, 700));

  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmEPovolenkyPridaj::eDBClenChange);
  connect(eDBClen, &TIBComboBox::OnExit, this, &TfrmEPovolenkyPridaj::eDBClenExit);
  connect(btnBrigady, &QPushButton::clicked, this, &TfrmEPovolenkyPridaj::btnBrigadyClick);
  connect(btnPokuty, &QPushButton::clicked, this, &TfrmEPovolenkyPridaj::btnPokutyClick);
}

TfrmEPovolenkyPridaj::~TfrmEPovolenkyPridaj() = default;

void TfrmEPovolenkyPridaj::FormShow() {
  dlg.FormShow();
  // Another workstation may have taken the number between the select and
  // the insert: the next one is tried once more.
  if (dlg.Mode() == TDialogMode::Add && Jedin == 0) dlg.FormShow();
  if (dlg.Mode() == TDialogMode::Add && Jedin == 0) {
    MessageDlg(QStringLiteral("Platbu nie je možné pridať, lebo sa nepodarilo zapísať jej hlavičku."),
               TMsgDlgType::Error, TMsgDlgButtons(mbOK));
    QMetaObject::invokeMethod(
        this, [this] { SetModalResult(mrCancel); }, Qt::QueuedConnection);
    return;
  }
  eDBClenExit();
  items->grid->DisplayGrid();
}

void TfrmEPovolenkyPridaj::eDBClenChange() {
  const bool chosen = !KeyParam(*eDBClen).isNull();
  const QVariant born = chosen ? eDBClen->GetKeyValue3() : QVariant();
  eDatumNarodenia->SetDate(born.isNull() ? QVariant() : QVariant(DateTime::FromDate(born.toDate())));
  eCisloLegimitacie->setText(chosen ? eDBClen->GetKeyValue4().toString() : QString());
  if (!chosen) ShowChecks(TMemberChecks{});
}

void TfrmEPovolenkyPridaj::eDBClenExit() {
  const QVariant clen = KeyParam(*eDBClen);
  if (clen.isNull()) return;
  TIBQuery q;
  q.SetDatabase(MainDatabase());
  q.SetTransaction(dlg.ibt1);
  TMemberChecks checks;
  const TWorkOutcome outcome = RunUnitOfWork(*dlg.ibt1, [&] {
    checks = ReadMemberChecks(q, clen.toInt(), dlg.Rok, eDBClen->GetKeyValue5().toInt() == 1,
                              ProgramSettings.BRIGADA_PREDPISANA);
  });
  if (outcome) ShowChecks(checks);
}

void TfrmEPovolenkyPridaj::ShowChecks(const TMemberChecks& checks) {
  if (checks.Returned.Shown.isNull())
    ePovolenkaVratena->Clear();
  else
    ePovolenkaVratena->SetDate(DateTime::FromDate(checks.Returned.Shown.toDate()));
  ShowWarning(*ePovolenkaVratena, checks.Returned.Warning);
  // Without a member nothing is shown.
  if (!KeyParam(*eDBClen).isNull()) {
    eBrigada->SetValue(checks.Hours);
    ePokuta->SetValue(checks.Fines);
  } else {
    eBrigada->clear();
    ePokuta->clear();
  }
  ShowWarning(*eBrigada, checks.HoursShort);
  ShowWarning(*ePokuta, checks.FinesDue);
}

void TfrmEPovolenkyPridaj::btnBrigadyClick() {
  const QVariant clen = KeyParam(*eDBClen);
  if (clen.isNull()) return;
  TfrmEBrigady::OpenForMember(this, clen.toInt(), dlg.Rok - 1);
  eDBClenExit();
}

void TfrmEPovolenkyPridaj::btnPokutyClick() {
  const QVariant clen = KeyParam(*eDBClen);
  if (clen.isNull()) return;
  TfrmEPriestupky::OpenForMember(this, clen.toInt(), dlg.Rok);
  eDBClenExit();
}

void TfrmEPovolenkyPridaj::ItemsChanged() {
  TIBQuery& q = *items->query;
  // In cents: the sum of many amounts stays exact.
  qint64 cents = 0;
  int count = 0;
  if (q.Active()) {
    const int cena = q.FieldByName(QStringLiteral("CENA")).Index();
    count = q.RecordCount();
    for (int row = 0; row < count; ++row)
      cents += std::llround(q.ValueAt(row, cena).toDouble() * 100);
  }
  const double sum = double(cents) / 100;
  eSpolu->SetValue(sum);
  sbPanels[0]->setText(FormatIntegers(QStringLiteral("Počet záznamov: %d"), {count}));
  sbPanels[1]->setText(QStringLiteral("Spolu: ") + FormatMoney(sum));
  FitStatusBarPanels(*sb);
}

void TfrmEPovolenkyPridaj::FormClose(TCloseAction& action) {
  TDialogForm::FormClose(action);
  if (dlg.Mode() == TDialogMode::Add && dlg.Saved()) PrintReceipt();
}

void TfrmEPovolenkyPridaj::PrintReceipt() {
  if (TempSpracujClear(kBasicReceiptTag) && TempSpracujAdd(Jedin, kBasicReceiptTag)) PrintBasicPermitPayment();
}
