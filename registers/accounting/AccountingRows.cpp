#include "registers/accounting/AccountingRows.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/RegisterLayout.h"
#include "registers/common/RegisterControls.h"
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

void SetupDirectionCombo(TIBComboBox& combo) { SetupOptionCombo(combo, QStringLiteral("smer_pohybu"), QStringLiteral("text")); }

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
