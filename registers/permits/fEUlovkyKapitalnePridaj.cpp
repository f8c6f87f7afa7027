#include "registers/permits/fEUlovkyKapitalnePridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/IBTime.h"
#include "core/DateTime.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitEntries.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

TfrmEUlovkyKapitalnePridaj::TfrmEUlovkyKapitalnePridaj(QWidget* owner) : TDialogForm(owner) {
  // The angler left, the fish right, the note under both.
  auto* body = new QWidget(this);
  auto* rows = new QVBoxLayout(body);
  rows->setContentsMargins(0, 0, 0, 0);
  auto* columns = new QHBoxLayout;
  auto* angler = new QVBoxLayout;
  angler->addWidget(BuildCatch(*body));
  angler->addWidget(BuildAngler(*body));
  angler->addStretch(1);
  columns->addLayout(angler, 1);
  columns->addWidget(BuildFish(*body), 1, Qt::AlignTop);
  rows->addLayout(columns);
  rows->addWidget(BuildNote(*body), 1);
  DeclareFields();
  dlg.FormCreate(body, QSize(940, 470));
}

TfrmEUlovkyKapitalnePridaj::~TfrmEUlovkyKapitalnePridaj() = default;

QWidget* TfrmEUlovkyKapitalnePridaj::BuildCatch(QWidget& parent) {
  TRegisterLayout controls(parent);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  SetupPersonKeys(*eDBClen);
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmEUlovkyKapitalnePridaj::eDBClenChange);
  return controls.Widget();
}

QWidget* TfrmEUlovkyKapitalnePridaj::BuildAngler(QWidget& parent) {
  auto* box = new QGroupBox(QStringLiteral(" Podrobné údaje rybára: "), &parent);
  box->setObjectName(QStringLiteral("gbxRybar"));
  TRegisterLayout controls(*box);
  eDBTitul = AddText(controls, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = AddText(controls, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = AddText(controls, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  eDBUlica = AddText(controls, QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25);
  eDBPSC = AddText(controls, QStringLiteral("PSČ"), QStringLiteral("eDBPSC"), 5);
  eDBPSC->SetOnlyNumbers(true);
  eDBMesto = AddText(controls, QStringLiteral("Mesto"), QStringLiteral("eDBMesto"), 25);
  (new QVBoxLayout(box))->addWidget(controls.Widget());
  return box;
}

QWidget* TfrmEUlovkyKapitalnePridaj::BuildFish(QWidget& parent) {
  TRegisterLayout controls(parent);
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  controls.Label(QStringLiteral("Ryba:"));
  eDBRyba = AddPickerCombo(controls, QStringLiteral("eDBRyba"), btnRyba, QStringLiteral("TfrmCDruhyRyb"));
  // Caught fish, not stocking fish or fry.
  SetupSpeciesCombo(*eDBRyba, QStringLiteral("typ=1"));
  eDBVaha = AddAmount(controls, QStringLiteral("Váha:"), QStringLiteral("eDBVaha"), 2, 6);
  eDBDlzka = AddAmount(controls, QStringLiteral("Dĺžka:"), QStringLiteral("eDBDlzka"), 2, 6);
  controls.Label(QStringLiteral("Čas:"));
  auto [cas, hint] = controls.AddPair<TIBTime, QLabel>(QStringLiteral("eDBCas"), 0, QStringLiteral("lblCas"));
  eDBCas = cas;
  eDBCas->setFixedWidth(65);
  hint->setText(QStringLiteral("(čas vynaložený na chytenie úlovku)"));
  controls.Label(QStringLiteral("Spôsob ulovenia:"));
  eDBSposobUlovenia = controls.Add<TIBComboBox>(QStringLiteral("eDBSposobUlovenia"));
  SetupTextCombo(*eDBSposobUlovenia, QStringLiteral("e_ulovky_kapitalne"), QStringLiteral("sposob_ulovenia"), 50, 0);
  eDBSvedok1 = AddText(controls, QStringLiteral("Svedok 1:"), QStringLiteral("eDBSvedok1"), 50);
  eDBSvedok2 = AddText(controls, QStringLiteral("Svedok 2:"), QStringLiteral("eDBSvedok2"), 50);
  return controls.Widget();
}

QWidget* TfrmEUlovkyKapitalnePridaj::BuildNote(QWidget& parent) {
  TRegisterLayout controls(parent);
  eDBPoznamka = AddNoteMemo(controls);
  return controls.Widget();
}

void TfrmEUlovkyKapitalnePridaj::DeclareFields() {
  dlg.AddCaption = QStringLiteral("Pridanie kapitálneho úlovku");
  dlg.EditCaption = QStringLiteral("Oprava kapitálneho úlovku");
  dlg.Table = QStringLiteral("E_ULOVKY_KAPITALNE");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  // The angler as stored with the catch, not as the member is now: the
  // member's data are copied when he is chosen, and loaded after him.
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  BindPersonFields(dlg, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, nullptr});
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  dlg.Field(QStringLiteral("C_DRUHY_RYB"), eDBRyba).Required();
  dlg.Field(QStringLiteral("VAHA"), eDBVaha).Required();
  dlg.Field(QStringLiteral("DLZKA"), eDBDlzka).Required();
  dlg.Field(QStringLiteral("CAS"), eDBCas);
  dlg.Field(QStringLiteral("SPOSOB_ULOVENIA"), eDBSposobUlovenia);
  dlg.Field(QStringLiteral("SVEDOK_1"), eDBSvedok1);
  dlg.Field(QStringLiteral("SVEDOK_2"), eDBSvedok2);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
}

void TfrmEUlovkyKapitalnePridaj::FormShow() {
  // The grounds of the dialog's year.
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
}

void TfrmEUlovkyKapitalnePridaj::eDBClenChange() {
  FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, nullptr});
}
