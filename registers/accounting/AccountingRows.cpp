#include "registers/accounting/AccountingRows.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "core/Exception.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

void SetupDocumentKindCombo(TIBComboBox& combo) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("v_c_druhy_dokladov"));
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSKeyField(0, QStringLiteral("jedin"));
  combo.SetSKeyField(1, QStringLiteral("skratka"));
  combo.SetSKeyField(2, QStringLiteral("typ"));
  // The abbreviation-first row of a kind comes first: a combo set from a key shows it.
  combo.SetSOrderBy(QStringLiteral("poradie,nazov"));
  combo.lineEdit()->setMaxLength(35);
  combo.SetSNotFoundErrorText(1019);
}

void SetupDirectionCombo(TIBComboBox& combo) {
  SetupOptionCombo(combo, QStringLiteral("smer_pohybu"), QStringLiteral("text"));
}

void AddAddressRows(TRegisterLayout& controls, TIBEdit*& nazov, TIBEdit*& ulica, TIBEdit*& psc, TIBEdit*& mesto,
                    TIBEdit*& ico, TIBEdit*& dic, TIBEdit*& icDph) {
  nazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 50);
  ulica = AddText(controls, QStringLiteral("Ulica:"), QStringLiteral("eDBUlica"), 50);
  controls.Label(QStringLiteral("PSČ a mesto:"));
  std::tie(psc, mesto) =
      controls.AddPair<TIBEdit, TIBEdit>(QStringLiteral("eDBPSC"), 5, QStringLiteral("eDBMesto"), 50);
  psc->setMaximumWidth(60);
  ico = AddText(controls, QStringLiteral("IČO:"), QStringLiteral("eDBICO"), 10);
  ico->SetOnlyNumbers(true);
  dic = AddText(controls, QStringLiteral("DIČ:"), QStringLiteral("eDBDIC"), 10);
  dic->SetOnlyNumbers(true);
  icDph = AddText(controls, QStringLiteral("IČ pre DPH:"), QStringLiteral("eDBICDPH"), 12);
}

void DeclareAddressFields(TDialogPattern& dlg, TIBEdit* nazov, TIBEdit* ulica, TIBEdit* psc, TIBEdit* mesto,
                          TIBEdit* ico, TIBEdit* dic, TIBEdit* icDph) {
  dlg.Field(QStringLiteral("NAZOV"), nazov).Required();
  dlg.Field(QStringLiteral("ULICA"), ulica);
  dlg.Field(QStringLiteral("MESTO"), mesto).Required();
  dlg.Field(QStringLiteral("PSC"), psc);
  dlg.Field(QStringLiteral("ICO"), ico);
  dlg.Field(QStringLiteral("DIC"), dic);
  dlg.Field(QStringLiteral("IC_DPH"), icDph);
}

TIBEdit* AddDigits(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength) {
  TIBEdit* edit = AddText(controls, label, name, maxLength);
  edit->SetOnlyNumbers(true);
  return edit;
}

void AddAccountRow(TRegisterLayout& controls, TIBEdit*& predcislie, TIBEdit*& cislo, TIBEdit*& kod) {
  controls.Label(QStringLiteral("Číslo účtu:"));
  auto* account = controls.Add<QWidget>(QStringLiteral("pnlUcet"));
  auto* line = new QHBoxLayout(account);
  line->setContentsMargins(0, 0, 0, 0);
  const auto part = [&](const QString& name, int maxLength) {
    auto* edit = new TIBEdit(account);
    edit->setObjectName(name);
    edit->setFont(TRegisterLayout::EntryFont());
    edit->setMaxLength(maxLength);
    edit->SetOnlyNumbers(true);
    line->addWidget(edit, maxLength);
    return edit;
  };
  predcislie = part(QStringLiteral("eDBUcetPredcislie"), 6);
  line->addWidget(new QLabel(QStringLiteral("-"), account));
  cislo = part(QStringLiteral("eDBUcetCislo"), 10);
  line->addWidget(new QLabel(QStringLiteral("/"), account));
  kod = part(QStringLiteral("eDBUcetKod"), 4);
}

const std::array<const char*, 11> kIdentityColumns = {
    "NAZOV", "ULICA", "PSC", "MESTO", "ICO", "DIC", "IC_DPH", "UCET_PREDCISLIE", "UCET_CISLO", "UCET_KOD", "UCET_IBAN"};

void AddIdentityRows(TRegisterLayout& controls, TIdentityEdits& edits) {
  AddAddressRows(controls, edits.Nazov, edits.Ulica, edits.PSC, edits.Mesto, edits.ICO, edits.DIC, edits.ICDPH);
  AddAccountRow(controls, edits.UcetPredcislie, edits.UcetCislo, edits.UcetKod);
  edits.UcetIBAN = AddText(controls, QStringLiteral("Číslo IBAN:"), QStringLiteral("eDBUcetIBAN"), 50);
  edits.Nazov->SetRequired(true);
  edits.Mesto->SetRequired(true);
}

double AmountOf(const TIBCurrencyEdit& edit) {
  try {
    return edit.Value();
  } catch (const Exception&) {
    return 0;
  }
}

void SetupMoneyEdit(TIBCurrencyEdit& edit, int decimals) {
  edit.SetDecimals(decimals);
  edit.SetAllowZero(true);
  edit.SetAllowNegative(true);
}
