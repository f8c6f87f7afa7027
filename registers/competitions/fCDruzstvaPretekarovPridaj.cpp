#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"
#include "registers/competitions/CompetitionQueries.h"
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
  dlg.RowsUnchanged = [this](TIBQuery& q) { return LockTeamYear(q, Jedin, dlg.Rok) == loadedYear_; };
  dlg.FormCreate(controls.Widget(), QSize(456, 100));
}

TfrmCDruzstvaPretekarovPridaj::~TfrmCDruzstvaPretekarovPridaj() = default;

void TfrmCDruzstvaPretekarovPridaj::LoadYearRow(TIBQuery& q) {
  loadedYear_ = ReadTeamYear(q, Jedin, dlg.Rok);
  eDBCislo->SetValue(loadedYear_ ? loadedYear_->StartNumber : 0);
  if (loadedYear_)
    eDBLiga->FindIt(loadedYear_->League);
  else
    eDBLiga->ClearValue();
}

void TfrmCDruzstvaPretekarovPridaj::SaveYearRow(TIBQuery& q, int team) {
  // A start number of 0 (or none typed) is no start number.
  WriteTeamYear(q, team, dlg.Rok, {int(std::trunc(eDBCislo->Value())), KeyParam(*eDBLiga)});
}
