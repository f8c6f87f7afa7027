#include "registers/competitions/fCPretekariPridaj.h"
#include "app/AppContext.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"

TfrmCPretekariPridaj::TfrmCPretekariPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBTitul = AddText(controls, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = AddText(controls, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = AddText(controls, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  TypeInCapitals(*eDBPriezvisko, [] { return ProgramSettings.PRIEZVISKA_VELKYMI; });
  controls.Label(QStringLiteral("Dátum narodenia:"));
  eDBDatumNarodenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumNarodenia"));
  controls.Label(QStringLiteral("Súťaž:"));
  eDBLiga = AddPickerCombo(controls, QStringLiteral("eDBLiga"), btnLiga, QStringLiteral("TfrmCLig"));
  SetupLeagueCombo(*eDBLiga);
  controls.Label(QStringLiteral("Družstvo:"));
  eDBDruzstvo =
      AddPickerCombo(controls, QStringLiteral("eDBDruzstvo"), btnDruzstvo, QStringLiteral("TfrmCDruzstvaPretekarov"));
  SetupTeamCombo(*eDBDruzstvo);
  eDBCislo = AddText(controls, QStringLiteral("Číslo registrácie:"), QStringLiteral("eDBCislo"), 15);

  dlg.AddCaption = QStringLiteral("Pridanie pretekára");
  dlg.EditCaption = QStringLiteral("Oprava pretekára");
  dlg.Table = QStringLiteral("C_PRETEKARI");
  dlg.Field(QStringLiteral("TITUL"), eDBTitul);
  dlg.Field(QStringLiteral("MENO"), eDBMeno).Required();
  dlg.Field(QStringLiteral("PRIEZVISKO"), eDBPriezvisko).Required().Saves([this] {
    return SurnameAsSaved(eDBPriezvisko->text());
  });
  dlg.Field(QStringLiteral("DATUM_NARODENIA"), eDBDatumNarodenia);
  dlg.Field(QStringLiteral("C_DRUZSTVA_PRETEKAROV"), eDBDruzstvo).Required();
  dlg.Field(QStringLiteral("C_LIG"), eDBLiga).Required();
  dlg.Field(QStringLiteral("CISLO"), eDBCislo);
  dlg.FormCreate(controls.Widget(), QSize(456, 200));
}

TfrmCPretekariPridaj::~TfrmCPretekariPridaj() = default;
