#include "registers/members/fERSKontrolovaniPridaj.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QVBoxLayout>

TfrmERSKontrolovaniPridaj::TfrmERSKontrolovaniPridaj(QWidget* owner) : TDialogForm(owner) {
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  TGuardRows top(*body);
  eDBKontrolor = top.Add<TIBComboBox>(QStringLiteral("Člen ryb.stráž.::"), QStringLiteral("eDBKontrolor"));
  SetupGuardCombo(*eDBKontrolor);
  btnKontrolor = top.Picker(*eDBKontrolor, QStringLiteral("btnKontrolor"), QStringLiteral("TfrmCClenovRS"));
  eDBClen = top.Add<TIBComboBox>(QStringLiteral("Kontrolovaný:"), QStringLiteral("eDBClen"));
  SetupMemberEntry(*eDBClen);
  SetupPersonKeys(*eDBClen);
  btnClen = top.Picker(*eDBClen, QStringLiteral("btnClen"), QStringLiteral("TfrmCClenov"));
  column->addWidget(top.Widget());

  auto* person = new QGroupBox(QStringLiteral(" Rybár: "), body);
  auto* personLayout = new QVBoxLayout(person);
  TGuardRows rows(*person);
  eDBTitul = rows.Add<TIBEdit>(QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = rows.Add<TIBEdit>(QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = rows.Add<TIBEdit>(QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  eDBUlica = rows.Add<TIBEdit>(QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25);
  eDBPSC = rows.Add<TIBEdit>(QStringLiteral("PSČ"), QStringLiteral("eDBPSC"), 5);
  eDBPSC->SetOnlyNumbers(true);
  eDBMesto = rows.Add<TIBEdit>(QStringLiteral("Mesto"), QStringLiteral("eDBMesto"), 25);
  eDBDatumNarodenia = rows.Add<TIBDate>(QStringLiteral("Dátum narodenia"), QStringLiteral("eDBDatumNarodenia"));
  personLayout->addWidget(rows.Widget());
  column->addWidget(person);

  TGuardRows rest(*body);
  eDBCisloPovolenia = rest.Add<TIBEdit>(QStringLiteral("Číslo povol.:"), QStringLiteral("eDBCisloPovolenia"), 50);
  eDBZO = rest.Add<TIBComboBox>(QStringLiteral("ZO:"), QStringLiteral("eDBZO"));
  SetupOrganisationCombo(*eDBZO);
  btnZO = rest.Picker(*eDBZO, QStringLiteral("btnZO"), QStringLiteral("TfrmCZO"));
  rest.Note(QStringLiteral("(ktorej ZO JUX je kontrolovaný členom)"));
  eDBRevir = rest.Add<TIBComboBox>(QStringLiteral("Revír:"), QStringLiteral("eDBRevir"));
  SetupRevirCombo(*eDBRevir);
  btnRevir = rest.Picker(*eDBRevir, QStringLiteral("btnRevir"), QStringLiteral("TfrmCReviryJUX"));
  eDBPriestupok = rest.Add<TIBComboBox>(QStringLiteral("Priestupok:"), QStringLiteral("eDBPriestupok"));
  // Earlier offences are suggestions; a new text is taken as typed.
  SetupTextCombo(*eDBPriestupok, QStringLiteral("e_rs_kontrolovani"), QStringLiteral("priestupok"), 75, 0);
  eDBPriestupok->SetSSearchIfFound(false);
  column->addWidget(rest.Widget());

  eDBPoznamka = NewNoteBox(body, QStringLiteral(" Poznámka:      CTRL+Enter = nový riadok"));
  column->addWidget(eDBPoznamka->parentWidget(), 1);

  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmERSKontrolovaniPridaj::eDBClenChange);
  connect(eDBClen, &TIBComboBox::OnExit, this, &TfrmERSKontrolovaniPridaj::eDBClenChange);

  dlg.AddCaption = QStringLiteral("Pridanie kontrolovanej osoby");
  dlg.EditCaption = QStringLiteral("Oprava kontrolovanej osoby");
  dlg.Table = QStringLiteral("E_RS_KONTROLOVANI");
  dlg.Field(QStringLiteral("E_RS")).WrittenOnly().InsertOnly().Saves([this] { return Kontrola; });
  dlg.Field(QStringLiteral("C_CLENOV_RS"), eDBKontrolor).Required();
  // The person as checked: a member's data are copied when he is chosen, and loaded after him.
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  dlg.Field(QStringLiteral("CISLO_POVOLENIA"), eDBCisloPovolenia);
  BindPersonFields(dlg, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
  dlg.Field(QStringLiteral("C_ZO"), eDBZO);
  dlg.Field(QStringLiteral("PRIESTUPOK"), eDBPriestupok).Required();
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.AfterClear = [this] {
    eDBClenChange();
    // Only the guards entered for this inspection may be its inspector.
    eDBKontrolor->SetSWhere(GuardsOfInspection(Kontrola));
    eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  };
  dlg.FormCreate(body, QSize(717, 365));
}

TfrmERSKontrolovaniPridaj::~TfrmERSKontrolovaniPridaj() = default;

void TfrmERSKontrolovaniPridaj::eDBClenChange() {
  // A checked member belongs to this branch.
  if (FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia}))
    eDBZO->FindIt(ProgramSettings.ZO_JEDIN);
}
