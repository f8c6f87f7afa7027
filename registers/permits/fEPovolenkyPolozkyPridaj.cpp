#include "registers/permits/fEPovolenkyPolozkyPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "core/DataSet.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitEntries.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/PermitRows.h"
#include <QtWidgets/QLabel>

TfrmEPovolenkyPolozkyPridaj::TfrmEPovolenkyPolozkyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Platba:"));
  eDBCeniny = AddPickerCombo(controls, QStringLiteral("eDBCeniny"), btnCeniny, QStringLiteral("TfrmCCeniny"));
  SetupSoldItemCombo(*eDBCeniny);
  eDBCena = AddPermitAmount(controls, " Cena položky:\nPredajná cena:", "eDBCena");
  eDBOdvodJUX = AddPermitAmount(controls, "Odvod JUX:", "eDBOdvodJUX");
  eZO = AddPermitAmount(controls, "ZO:", "eZO");
  eZO->SetReadOnly(true);
  eZO->setFocusPolicy(Qt::NoFocus);
  lblDoplnkovyUdaj = controls.Label(QStringLiteral("Doplnkový údaj:"));
  eDBDoplnkovyUdaj = controls.Add<TIBEdit>(QStringLiteral("eDBDoplnkovyUdaj"), 50);
  kind_ = std::make_unique<TPermitDocumentKind>(controls, dlg, "Druh dokladu:");
  eDBDruhDokladu = kind_->Combo;
  btnDruhDokladu = kind_->Button;

  dlg.AddCaption = QStringLiteral("Pridanie položky platby");
  dlg.EditCaption = QStringLiteral("Oprava položky platby");
  dlg.Table = QStringLiteral("E_POVOLENKY2");
  dlg.PerYear = true;
  dlg.LoadSql = PaymentItemLoadSql();
  dlg.Field(QStringLiteral("C_CENINY"), eDBCeniny).Required().Loads([this](const TField& f) {
    eDBCeniny->FindIt(f.AsVariant());
    ShowExtraText(eDBCeniny->GetKeyValue4().toInt() == 1);
  });
  dlg.Field(QStringLiteral("CENA"), eDBCena);
  dlg.Field(QStringLiteral("ODVOD_JUX"), eDBOdvodJUX);
  // Written only while the item asks for it.
  dlg.Field(QStringLiteral("DOPLNKOVY_UDAJ"), eDBDoplnkovyUdaj).Saves([this] {
    return eDBDoplnkovyUdaj->isVisibleTo(this) ? eDBDoplnkovyUdaj->text() : QString();
  });
  dlg.Field(QStringLiteral("TYP_PLATBY")).WrittenOnly().Saves([this] { return eDBCeniny->GetKeyValue5(); });
  dlg.Field(QStringLiteral("E_POVOLENKY"))
      .WrittenOnly()
      .InsertOnly()
      .OwnerIn(QStringLiteral("E_POVOLENKY"))
      .Saves([this] { return EPovolenky; });
  dlg.Field(QStringLiteral("TYP_POVOLENKY")).WrittenOnly().InsertOnly().Saves([] { return 0; });
  dlg.Field(QStringLiteral("DRUH_DOKLADU"), eDBDruhDokladu).ShownOnly().Loads([this](const TField& f) {
    kind_->Load(f.AsVariant());
  });
  dlg.AfterClear = [this] { ClearAll(); };
  dlg.RowWritten = [this](TIBQuery& q, int key) { WriteItemRows(q, key); };
  dlg.FormCreate(controls.Widget(), QSize(520, 200));

  connect(eDBCeniny, &TIBComboBox::OnExit, this, &TfrmEPovolenkyPolozkyPridaj::eDBCeninyExit);
  for (TIBCurrencyEdit* edit : {eDBCena, eDBOdvodJUX})
    connect(edit, &QLineEdit::textChanged, this, &TfrmEPovolenkyPolozkyPridaj::eDBCenaChange);
}

TfrmEPovolenkyPolozkyPridaj::~TfrmEPovolenkyPolozkyPridaj() = default;

void TfrmEPovolenkyPolozkyPridaj::ClearAll() {
  eDBCeniny->SetSWhere(YearCondition(dlg.Rok));
  ShowExtraText(false);
  kind_->Clear();
  eDBCenaChange();
}

void TfrmEPovolenkyPolozkyPridaj::ShowExtraText(bool shown) {
  lblDoplnkovyUdaj->setVisible(shown);
  eDBDoplnkovyUdaj->setVisible(shown);
}

void TfrmEPovolenkyPolozkyPridaj::eDBCeninyExit() {
  // Passing the combo without another choice keeps a typed price.
  if (eDBCeniny->GetKeyValue() == eDBCeniny->EntryKeyValue()) return;
  eDBCena->SetValue(eDBCeniny->GetKeyValue2().toDouble());
  eDBOdvodJUX->SetValue(eDBCeniny->GetKeyValue3().toDouble());
  ShowExtraText(eDBCeniny->GetKeyValue4().toInt() == 1);
}

void TfrmEPovolenkyPolozkyPridaj::eDBCenaChange() { eZO->SetValue(PermitShare(*eDBCena, *eDBOdvodJUX)); }

void TfrmEPovolenkyPolozkyPridaj::WriteItemRows(TIBQuery& q, int key) {
  TPermitItemRows item;
  item.Item = key;
  item.Payment = EPovolenky;
  item.Rok = dlg.Rok;
  item.Ceniny = eDBCeniny->GetKeyValue();
  item.Cena = PermitAmount(*eDBCena);
  item.OdvodJux = PermitAmount(*eDBOdvodJUX);
  item.Poznamka = eDBDoplnkovyUdaj->isVisibleTo(this) ? eDBDoplnkovyUdaj->text() : QString();
  item.Popis = eDBCeniny->RowText();
  item.DruhDokladu = kind_->Skratka();
  item.TypDokladu = kind_->Typ();
  WritePermitStockIssue(q, item);
  WritePermitCashIncome(q, item);
  StampPaymentRows(q, EPovolenky);
}

void TfrmEPovolenkyPolozkyPridaj::FormClose(TCloseAction& action) {
  TDialogForm::FormClose(action);
  if (dlg.Mode() == TDialogMode::Add && dlg.Saved()) kind_->Remember();
}
