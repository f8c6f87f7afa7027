#include "registers/members/fEVyznamenaniaPridaj.h"
#include "app/ToolBar.h"
#include "util/RtDateUtils.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBMemo.h"
#include "controls/KitMessages.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"

TfrmEVyznamenaniaPridaj::TfrmEVyznamenaniaPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, [this] { btnClenClick(); });
  SetupMemberCombo(*eDBClen, true);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));
  controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBComboBox>(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_vyznamenania"), QStringLiteral("nazov"), 50, 0);
  eDBNazov->SetRequired(true);
  controls.Label(QStringLiteral("Rok:"));
  eDBRok = controls.Add<TIBCurrencyEdit>(QStringLiteral("eDBRok"));
  eDBRok->SetDecimals(0);
  eDBRok->SetMaxLength(4);
  eDBRok->SetAllowZero(false);
  eDBRok->SetAllowNegative(false);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie vyznamenania");
  dlg.EditCaption = QStringLiteral("Oprava vyznamenania");
  dlg.Generator = QStringLiteral("e_vyznamenania_id");
  dlg.ClearAll = [this] { ClearAll(); };
  // The edit lets a blank field pass as 0; an award still needs its year.
  dlg.CheckEntries = [this] {
    if (int(eDBRok->Value()) != 0) return true;
    ShowKitNumberedError(1043);
    eDBRok->setFocus();
    return false;
  };
  dlg.LoadSql =
      QStringLiteral("SELECT C_CLENOV,NAZOV,ROK_VYZNAMENANIA,POZNAMKA\nFROM E_VYZNAMENANIA where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) {
    eDBClen->FindIt(q.FieldByName(QStringLiteral("C_CLENOV")).AsVariant());
    eDBNazov->FindIt(q.FieldByName(QStringLiteral("NAZOV")).AsVariant());
    eDBRok->SetValue(q.FieldByName(QStringLiteral("ROK_VYZNAMENANIA")).AsInteger());
    eDBPoznamka->setPlainText(q.FieldByName(QStringLiteral("POZNAMKA")).AsString());
  };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    q.SetSQL(adding ? QStringLiteral("INSERT INTO E_VYZNAMENANIA (JEDIN,C_CLENOV,NAZOV,\n"
                                     "ROK_VYZNAMENANIA,POZNAMKA)VALUES (:JEDIN,:C_CLENOV,\n"
                                     ":NAZOV,:ROK_VYZNAMENANIA,:POZNAMKA)")
                    : QStringLiteral("UPDATE E_VYZNAMENANIA SET C_CLENOV=:C_CLENOV,\n"
                                     "NAZOV=:NAZOV,ROK_VYZNAMENANIA=:ROK_VYZNAMENANIA,\n"
                                     "POZNAMKA=:POZNAMKA\nWHERE JEDIN=:JEDIN"));
    q.ParamByName(QStringLiteral("C_CLENOV")).SetValue(KeyParam(*eDBClen));
    q.ParamByName(QStringLiteral("NAZOV")).SetValue(eDBNazov->currentText());
    q.ParamByName(QStringLiteral("ROK_VYZNAMENANIA")).SetValue(int(eDBRok->Value()));
    q.ParamByName(QStringLiteral("POZNAMKA")).SetValue(eDBPoznamka->toPlainText());
  };
  dlg.FormCreate(controls.Widget(), QSize(685, 213));
}

TfrmEVyznamenaniaPridaj::~TfrmEVyznamenaniaPridaj() = default;

void TfrmEVyznamenaniaPridaj::ClearAll() {
  eDBClen->ClearValue();
  eDBNazov->ClearValue();
  eDBRok->SetValue(YearOfDate(DateTime::Now()) - 1);
  eDBPoznamka->clear();
}

void TfrmEVyznamenaniaPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
