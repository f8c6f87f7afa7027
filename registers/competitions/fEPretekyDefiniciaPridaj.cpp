#include "registers/competitions/fEPretekyDefiniciaPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QVBoxLayout>

TfrmEPretekyDefiniciaPridaj::TfrmEPretekyDefiniciaPridaj(QWidget* owner) : TDialogForm(owner) {
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  TRegisterLayout controls(*body);
  controls.Label(QStringLiteral("Termín konania od:"));
  eDBTerminOd = controls.Add<TIBDate>(QStringLiteral("eDBTerminOd"));
  controls.Label(QStringLiteral("do:"));
  eDBTerminDo = controls.Add<TIBDate>(QStringLiteral("eDBTerminDo"));
  controls.Label(QStringLiteral("Súťaž:"));
  eDBLiga = AddPickerCombo(controls, QStringLiteral("eDBLiga"), btnLiga, QStringLiteral("TfrmCLig"));
  SetupLeagueCombo(*eDBLiga);
  // The texts used before are offered; a new one is welcome.
  controls.Label(QStringLiteral("Kolo:"));
  eDBDruh = controls.Add<TIBComboBox>(QStringLiteral("eDBDruh"));
  SetupTextCombo(*eDBDruh, QStringLiteral("e_preteky"), QStringLiteral("druh"), 15, 0);
  controls.Label(QStringLiteral("Disciplína:"));
  eDBDisciplina = controls.Add<TIBComboBox>(QStringLiteral("eDBDisciplina"));
  SetupTextCombo(*eDBDisciplina, QStringLiteral("e_preteky"), QStringLiteral("disciplina"), 25, 0);
  eDBMiesto = AddText(controls, QStringLiteral("Miesto konania:"), QStringLiteral("eDBMiesto"), 50);
  eDBNazov = AddText(controls, QStringLiteral("Názov pretekov:"), QStringLiteral("eDBNazov"), 50);
  eDBTrat = AddText(controls, QStringLiteral("Pretekárska trať:"), QStringLiteral("eDBTrat"), 50);
  column->addWidget(controls.Widget());

  auto* vybor = new QGroupBox(QStringLiteral(" Organizačný výbor: "), body);
  vybor->setObjectName(QStringLiteral("gbVybor"));
  auto* vyborColumn = new QVBoxLayout(vybor);
  TRegisterLayout committee(*vybor);
  eDBGarant = AddText(committee, QStringLiteral("Garant Rady JUX:"), QStringLiteral("eDBGarant"), 50);
  eDBRiaditel = AddText(committee, QStringLiteral("Riaditeľ pretekov:"), QStringLiteral("eDBRiaditel"), 50);
  eDBRozhodca = AddText(committee, QStringLiteral("Hlavný rozhodca:"), QStringLiteral("eDBRozhodca"), 50);
  eDBVeduci = AddText(committee, QStringLiteral("Technický vedúci:"), QStringLiteral("eDBVeduci"), 50);
  eDBKomisia = AddText(committee, QStringLiteral("Bodovacia komisia:"), QStringLiteral("eDBKomisia"), 50);
  vyborColumn->addWidget(committee.Widget());
  column->addWidget(vybor);

  TRegisterLayout note(*body);
  eDBPoznamka = AddNoteMemo(note);
  column->addWidget(note.Widget());

  dlg.AddCaption = QStringLiteral("Pridanie definície preteku");
  dlg.EditCaption = QStringLiteral("Oprava definície preteku");
  dlg.Table = QStringLiteral("E_PRETEKY");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("TERMIN_OD"), eDBTerminOd).Required();
  dlg.Field(QStringLiteral("TERMIN_DO"), eDBTerminDo).Required();
  dlg.Field(QStringLiteral("C_LIG"), eDBLiga).Required();
  dlg.Field(QStringLiteral("DRUH"), eDBDruh);
  dlg.Field(QStringLiteral("DISCIPLINA"), eDBDisciplina).Required();
  dlg.Field(QStringLiteral("MIESTO"), eDBMiesto).Required();
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("TRAT"), eDBTrat).Required();
  dlg.Field(QStringLiteral("GARANT"), eDBGarant);
  dlg.Field(QStringLiteral("RIADITEL"), eDBRiaditel);
  dlg.Field(QStringLiteral("ROZHODCA"), eDBRozhodca);
  dlg.Field(QStringLiteral("VEDUCI"), eDBVeduci);
  dlg.Field(QStringLiteral("KOMISIA"), eDBKomisia);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.FormCreate(body, QSize(560, 560));
}

TfrmEPretekyDefiniciaPridaj::~TfrmEPretekyDefiniciaPridaj() = default;
