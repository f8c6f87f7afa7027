#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"
#include <cmath>

TfrmCDruzstvaPretekarovPridaj::TfrmCDruzstvaPretekarovPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBNazov = AddText(controls, QStringLiteral("Názov družstva:"), QStringLiteral("eDBNazov"), 50);
  eDBCislo = AddAmount(controls, QStringLiteral("Štartovné číslo v roku:"), QStringLiteral("eDBCislo"), 0, 4);
  eDBCislo->SetAllowZero(true);
  eDBCislo->SetAllowNegative(true);
  controls.Label(QStringLiteral("Súťaž v roku:"));
  eDBLiga = AddPickerCombo(controls, QStringLiteral("eDBLiga"), btnLiga, QStringLiteral("TfrmCLig"));
  SetupLeagueCombo(*eDBLiga);

  dlg.AddCaption = QStringLiteral("Pridanie družstva pretekárov");
  dlg.EditCaption = QStringLiteral("Oprava družstva pretekárov");
  dlg.Table = QStringLiteral("C_DRUZSTVA_PRETEKAROV");
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
  dlg.AfterClear = [this] {
    eDBCislo->Clear();
    eDBLiga->ClearValue();
  };
  dlg.RowLoaded = [this](TIBQuery& q) { LoadYearRow(q); };
  dlg.RowWritten = [this](TIBQuery& q, int team) { SaveYearRow(q, team); };
  dlg.FormCreate(controls.Widget(), QSize(456, 100));
}

TfrmCDruzstvaPretekarovPridaj::~TfrmCDruzstvaPretekarovPridaj() = default;

void TfrmCDruzstvaPretekarovPridaj::LoadYearRow(TIBQuery& q) {
  q.SetSQL(QStringLiteral("select cislo,c_lig from c_druzstva_pretekarov_pc\n"
                          "where c_druzstva_pretekarov=:JEDIN and rok=:ROK"));
  q.ParamByName(QStringLiteral("JEDIN")).SetValue(Jedin);
  q.ParamByName(QStringLiteral("ROK")).SetValue(int(dlg.Rok));
  q.Open();
  eDBCislo->SetValue(q.IsEmpty() ? 0 : q.FieldByName(QStringLiteral("CISLO")).AsInteger());
  if (q.IsEmpty())
    eDBLiga->ClearValue();
  else
    eDBLiga->FindIt(q.FieldByName(QStringLiteral("C_LIG")).AsVariant());
  q.Close();
}

void TfrmCDruzstvaPretekarovPridaj::SaveYearRow(TIBQuery& q, int team) {
  q.SetSQL(QStringLiteral("select first 1 rok from c_druzstva_pretekarov_pc\n"
                          "where rok=:ROK and c_druzstva_pretekarov=:JEDIN"));
  q.ParamByName(QStringLiteral("ROK")).SetValue(int(dlg.Rok));
  q.ParamByName(QStringLiteral("JEDIN")).SetValue(team);
  q.Open();
  const bool exists = !q.IsEmpty();
  q.Close();
  q.SetSQL(exists ? QStringLiteral("UPDATE C_DRUZSTVA_PRETEKAROV_PC SET CISLO=:CISLO,C_LIG=:C_LIG\n"
                                   "WHERE C_DRUZSTVA_PRETEKAROV=:C_DRUZSTVA_PRETEKAROV AND ROK=:ROK")
                  : QStringLiteral("INSERT INTO C_DRUZSTVA_PRETEKAROV_PC (C_DRUZSTVA_PRETEKAROV,CISLO,ROK,C_LIG)\n"
                                   "VALUES (:C_DRUZSTVA_PRETEKAROV,:CISLO,:ROK,:C_LIG)"));
  q.ParamByName(QStringLiteral("C_DRUZSTVA_PRETEKAROV")).SetValue(team);
  q.ParamByName(QStringLiteral("ROK")).SetValue(int(dlg.Rok));
  // A start number of 0 (or none typed) is no start number.
  const qint64 cislo = qint64(std::trunc(eDBCislo->Value()));
  q.ParamByName(QStringLiteral("CISLO")).SetValue(cislo == 0 ? QVariant() : QVariant(cislo));
  q.ParamByName(QStringLiteral("C_LIG")).SetValue(KeyParam(*eDBLiga));
  q.ExecSQL();
}
