#include "registers/permits/fECeninyPridaj.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "platform/MessageDialogs.h"
#include "registers/common/DialogQueries.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitQueries.h"
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <cmath>

namespace {
// The edit's number; a text that is no number (half typed) counts as 0.
double StockAmount(const TIBCurrencyEdit& edit) {
  try {
    return edit.Value();
  } catch (const Exception&) {
    return 0;
  }
}

TIBCurrencyEdit* AddSignedMoney(TRegisterLayout& controls, const QString& label, const QString& name) {
  TIBCurrencyEdit* edit = AddAmount(controls, label, name, 2, 14);
  edit->SetAllowNegative(true);
  return edit;
}
} // namespace

void SetupValuablesCombo(TIBComboBox& combo, int rok) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("c_ceniny"));
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSKeyField(0, QStringLiteral("jedin"));
  combo.SetSKeyField(1, QStringLiteral("cena"));
  combo.SetSKeyField(2, QStringLiteral("odvod_jux"));
  combo.SetSOrderBy(QStringLiteral("nazov"));
  combo.SetSNotFoundErrorText(1019);
  combo.SetSWhere(YearCondition(rok));
}

TfrmECeninyPridaj::TfrmECeninyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBCislo = AddAmount(controls, QStringLiteral("Číslo:"), QStringLiteral("eDBCislo"), 0, 10);
  eDBCislo->SetAllowNegative(false);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Príjem/Výdaj:"));
  eDBSmerPohybu = controls.Add<TIBComboBox>(QStringLiteral("eDBSmerPohybu"));
  SetupOptionCombo(*eDBSmerPohybu, QStringLiteral("smer_pohybu"), QStringLiteral("text"));
  lblClen = controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  lblPartneri = controls.Label(QStringLiteral("Partner:"));
  eDBPartneri = AddPickerCombo(controls, QStringLiteral("eDBPartneri"), btnPartneri, QStringLiteral("TfrmCPartneri"));
  SetupPartnerCombo(*eDBPartneri);
  controls.Label(QStringLiteral("Cenina:"));
  eDBCenina = AddPickerCombo(controls, QStringLiteral("eDBCenina"), btnCenina, QStringLiteral("TfrmCCeniny"));
  SetupValuablesCombo(*eDBCenina, 0);
  eDBCena = AddSignedMoney(controls, QStringLiteral("Cena:"), QStringLiteral("eDBCena"));
  eDBOdvodJUX = AddSignedMoney(controls, QStringLiteral("Odvod JUX:"), QStringLiteral("eDBOdvodJUX"));
  eDBMnozstvo = AddAmount(controls, QStringLiteral("Množstvo:"), QStringLiteral("eDBMnozstvo"), 2, 14);
  eDBMnozstvo->SetAllowNegative(false);
  controls.Label(QStringLiteral("Spolu:"));
  eSpolu = controls.Add<QLineEdit>(QStringLiteral("eSpolu"));
  eSpolu->setReadOnly(true);
  eSpolu->setFocusPolicy(Qt::NoFocus);
  eSpolu->setAlignment(Qt::AlignRight);
  eDBPoznamka = AddNoteMemo(controls);

  DeclareFields();
  dlg.FormCreate(controls.Widget(), QSize(520, 420));

  for (TIBComboBox* combo : {eDBClen, eDBPartneri})
    connect(combo, &TIBComboBox::OnChange, this, &TfrmECeninyPridaj::FollowCounterparty);
  connect(eDBClen, &TIBComboBox::OnEnter, this, &TfrmECeninyPridaj::FollowCounterparty);
  connect(eDBPartneri, &TIBComboBox::OnEnter, this, &TfrmECeninyPridaj::eDBPartneriEnter);
  connect(eDBCenina, &TIBComboBox::OnExit, this, &TfrmECeninyPridaj::eDBCeninaExit);
  for (TIBCurrencyEdit* edit : {eDBCena, eDBMnozstvo})
    connect(edit, &QLineEdit::textChanged, this, &TfrmECeninyPridaj::UpdateTotal);
}

TfrmECeninyPridaj::~TfrmECeninyPridaj() = default;

void TfrmECeninyPridaj::DeclareFields() {
  dlg.AddCaption = QStringLiteral("Pridanie pohybu ceniny");
  dlg.EditCaption = QStringLiteral("Oprava pohybu ceniny");
  dlg.Table = QStringLiteral("E_CENINY");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("CISLO"), eDBCislo).Required();
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("SMER_POHYBU"), eDBSmerPohybu).Required().Default(1);
  dlg.Field(QStringLiteral("C_CENINY"), eDBCenina).Required();
  dlg.Field(QStringLiteral("CENA"), eDBCena);
  dlg.Field(QStringLiteral("ODVOD_JUX"), eDBOdvodJUX);
  // Typed without sign; an issue keeps it negative (the direction loads first).
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo)
      .Required()
      .Loads([this](const TField& f) { eDBMnozstvo->SetValue(std::abs(f.AsFloat())); })
      .Saves([this] { return Issue() ? -StockAmount(*eDBMnozstvo) : StockAmount(*eDBMnozstvo); });
  // Only the counterparty shown is stored; a chosen member hides the partner.
  dlg.Field(QStringLiteral("C_PARTNERI"), eDBPartneri).Saves([this] {
    return KeyParam(*eDBClen).isNull() ? KeyParam(*eDBPartneri) : QVariant();
  });
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("E_POVOLENKY2")).ShownOnly().Loads([this](const TField& f) { fromPermit_ = !f.IsNull(); });
  dlg.Field(QStringLiteral("NAZOV_UPLNY")).ShownOnly().Loads([this](const TField& f) { storedName_ = f.AsString(); });
  dlg.AfterClear = [this] {
    fromPermit_ = false;
    storedName_.clear();
    guestShown_ = false;
    lblPartneri->setText(QStringLiteral("Partner:"));
    FollowCounterparty();
    UpdateTotal();
  };
  dlg.CheckEntries = [this] { return CheckNumberFree(); };
}

bool TfrmECeninyPridaj::Issue() const { return KeyParam(*eDBSmerPohybu).toInt() == -1; }

void TfrmECeninyPridaj::FormShow() {
  eDBCenina->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
  if (dlg.Mode() == TDialogMode::Add) ProposeNumber();
  FollowCounterparty();
  if (dlg.Mode() != TDialogMode::Add && KeyParam(*eDBClen).isNull() && KeyParam(*eDBPartneri).isNull()) ShowGuest();
  if (fromPermit_) {
    // Written by a permit item: shown, never changed here.
    dlg.SetMode(TDialogMode::View);
    SetFormReadOnly(*this);
    dlg.btnDalsi->hide();
  }
  UpdateTotal();
}

void TfrmECeninyPridaj::ProposeNumber() {
  const std::optional<qint64> next =
      SelectNumber(dlg, NextStockMovementNumberSql(), {{QStringLiteral("ROK"), int(dlg.Rok)}});
  if (next) eDBCislo->SetValue(double(*next));
}

bool TfrmECeninyPridaj::CheckNumberFree() {
  const qint64 cislo = qint64(std::trunc(StockAmount(*eDBCislo)));
  const std::optional<qint64> taken =
      CountOtherRows(dlg, QStringLiteral("e_ceniny"), QStringLiteral("rok=:ROK and cislo=:CISLO"),
                     {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("CISLO"), cislo}});
  if (!taken) return false;
  if (*taken == 0) return true;
  // Numbers are proposed when the dialog opens: another workstation may have saved this one since.
  ProposeNumber();
  MessageDlg(QStringLiteral("Číslo pohybu %1 už v tomto roku má iný pohyb.\nNavrhnuté je ďalšie voľné číslo %2.")
                 .arg(cislo)
                 .arg(qint64(std::trunc(StockAmount(*eDBCislo)))),
             TMsgDlgType::Warning, mbOK, mrOk);
  eDBCislo->setFocus();
  return false;
}

void TfrmECeninyPridaj::FollowCounterparty() {
  ShowOneCounterparty({lblClen, eDBClen, btnClen}, {lblPartneri, eDBPartneri, btnPartneri});
  // Read-only: no pickers.
  if (dlg.Mode() == TDialogMode::View) {
    btnClen->hide();
    btnPartneri->hide();
  }
}

void TfrmECeninyPridaj::ShowGuest() {
  // A row with neither member nor partner (a guest's permit) names its buyer as stored.
  lblPartneri->setText(QStringLiteral("Hosť:"));
  eDBPartneri->setEditText(storedName_);
  guestShown_ = true;
}

void TfrmECeninyPridaj::eDBPartneriEnter() {
  FollowCounterparty();
  if (!guestShown_ || dlg.Mode() == TDialogMode::View) return;
  // The guest's name is no partner: entered, the combo offers the partners (the stored name stays).
  guestShown_ = false;
  lblPartneri->setText(QStringLiteral("Partner:"));
  eDBPartneri->ClearValue();
}

void TfrmECeninyPridaj::eDBCeninaExit() {
  if (dlg.Mode() == TDialogMode::View || KeyParam(*eDBCenina) == eDBCenina->EntryKeyValue() ||
      KeyParam(*eDBCenina).isNull())
    return;
  eDBCena->SetValue(eDBCenina->GetKeyValue2().toDouble());
  eDBOdvodJUX->SetValue(eDBCenina->GetKeyValue3().toDouble());
}

void TfrmECeninyPridaj::UpdateTotal() {
  eSpolu->setText(QLocale().toString(StockAmount(*eDBCena) * StockAmount(*eDBMnozstvo), 'f', 2));
}
