#include "registers/members/fEPredmetyPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "platform/MessageDialogs.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include <cmath>

TfrmEPredmetyPridaj::TfrmEPredmetyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, [this] { btnClenClick(); });
  SetupMemberCombo(*eDBClen, true);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));
  controls.Label(QStringLiteral("Zapožičané:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  eDBDatum->SetRequired(true);
  controls.Label(QStringLiteral("Názov predmetu:"));
  eDBNazov = controls.Add<TIBComboBox>(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_predmety"), QStringLiteral("nazov"), 0, 0);
  eDBNazov->SetRequired(true);
  eDBCena = AddAmount(controls, QStringLiteral("Cena predmetu:"), QStringLiteral("eDBCena"), 2, 14);
  eDBMnozstvo = AddAmount(controls, QStringLiteral("Požičané množstvo:"), QStringLiteral("eDBMnozstvo"), 2, 14);
  controls.Label(QStringLiteral("Dátum vrátenia:"));
  eDBDatumVratenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumVratenia"));
  eDBMnozstvoVratene =
      AddAmount(controls, QStringLiteral("Vrátené množstvo:"), QStringLiteral("eDBMnozstvoVratene"), 2, 14);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie zvereného predmetu");
  dlg.EditCaption = QStringLiteral("Oprava zvereného predmetu");
  dlg.Generator = QStringLiteral("e_predmety_id");
  dlg.ClearAll = [this] { ClearAll(); };
  dlg.CheckEntries = [this] { return CheckReturn(); };
  dlg.LoadSql = QStringLiteral("SELECT C_CLENOV,DATUM,NAZOV,CENA,MNOZSTVO,DATUM_VRATENIA,\n"
                               "MNOZSTVO_VRATENE,POZNAMKA FROM E_PREDMETY\nwhere jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) {
    eDBClen->FindIt(q.FieldByName(QStringLiteral("C_CLENOV")).AsVariant());
    LoadDate(*eDBDatum, q.FieldByName(QStringLiteral("DATUM")));
    eDBNazov->FindIt(q.FieldByName(QStringLiteral("NAZOV")).AsVariant());
    eDBCena->SetValue(q.FieldByName(QStringLiteral("CENA")).AsFloat());
    eDBMnozstvo->SetValue(q.FieldByName(QStringLiteral("MNOZSTVO")).AsFloat());
    LoadDate(*eDBDatumVratenia, q.FieldByName(QStringLiteral("DATUM_VRATENIA")));
    eDBMnozstvoVratene->SetValue(q.FieldByName(QStringLiteral("MNOZSTVO_VRATENE")).AsFloat());
    eDBPoznamka->setPlainText(q.FieldByName(QStringLiteral("POZNAMKA")).AsString());
  };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    q.SetSQL(adding ? QStringLiteral("INSERT INTO E_PREDMETY (JEDIN,C_CLENOV,DATUM,NAZOV,\n"
                                     "CENA,MNOZSTVO,DATUM_VRATENIA,MNOZSTVO_VRATENE,POZNAMKA)\n"
                                     "VALUES (:JEDIN,:C_CLENOV,:DATUM,:NAZOV,:CENA,:MNOZSTVO,\n"
                                     ":DATUM_VRATENIA,:MNOZSTVO_VRATENE,:POZNAMKA)")
                    : QStringLiteral("UPDATE E_PREDMETY SET C_CLENOV=:C_CLENOV,DATUM=:DATUM,\n"
                                     "NAZOV=:NAZOV,CENA=:CENA,MNOZSTVO=:MNOZSTVO,\n"
                                     "DATUM_VRATENIA=:DATUM_VRATENIA,\n"
                                     "MNOZSTVO_VRATENE=:MNOZSTVO_VRATENE,POZNAMKA=:POZNAMKA\n"
                                     "WHERE JEDIN=:JEDIN"));
    q.ParamByName(QStringLiteral("C_CLENOV")).SetValue(KeyParam(*eDBClen));
    q.ParamByName(QStringLiteral("DATUM")).SetValue(DateParam(*eDBDatum));
    q.ParamByName(QStringLiteral("NAZOV")).SetValue(eDBNazov->currentText());
    q.ParamByName(QStringLiteral("CENA")).SetValue(eDBCena->Value());
    q.ParamByName(QStringLiteral("MNOZSTVO")).SetValue(eDBMnozstvo->Value());
    q.ParamByName(QStringLiteral("DATUM_VRATENIA")).SetValue(DateParam(*eDBDatumVratenia));
    q.ParamByName(QStringLiteral("MNOZSTVO_VRATENE")).SetValue(eDBMnozstvoVratene->Value());
    q.ParamByName(QStringLiteral("POZNAMKA")).SetValue(eDBPoznamka->toPlainText());
  };
  dlg.FormCreate(controls.Widget(), QSize(729, 309));
}

TfrmEPredmetyPridaj::~TfrmEPredmetyPridaj() = default;

void TfrmEPredmetyPridaj::ClearAll() {
  eDBClen->ClearValue();
  eDBDatum->SetDate(DateTime::Today());
  eDBNazov->ClearValue();
  for (TIBCurrencyEdit* edit : {eDBCena, eDBMnozstvo, eDBMnozstvoVratene})
    edit->clear();
  eDBDatumVratenia->Clear();
  eDBPoznamka->clear();
}

bool TfrmEPredmetyPridaj::CheckReturn() {
  auto refuse = [](QWidget* control, const QString& text) {
    MessageDlg(text, TMsgDlgType::Warning, mbOK, mrOk);
    control->setFocus();
    return false;
  };
  if (eDBMnozstvoVratene->Value() > eDBMnozstvo->Value())
    return refuse(eDBMnozstvoVratene, QStringLiteral("Vrátené množstvo nemôže byť väčšie ako požičané množstvo!"));
  const QVariant lent = eDBDatum->Date(), back = eDBDatumVratenia->Date();
  if (!back.isNull() && back.toDouble() != 0 && std::floor(back.toDouble()) < std::floor(lent.toDouble()))
    return refuse(eDBDatumVratenia, QStringLiteral("Dátum vrátenia nemôže byť skôr ako dátum zapožičania!"));
  return true;
}

void TfrmEPredmetyPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
