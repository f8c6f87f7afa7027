#include "registers/members/fERSKontrolovaniPridaj.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "db/IBQuery.h"
#include "registers/common/Picker.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberRecordsSupport.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QVBoxLayout>

namespace {
const char* const kInsert = "INSERT INTO E_RS_KONTROLOVANI (JEDIN,E_RS,C_CLENOV_RS,\n"
                            "C_CLENOV,CISLO_POVOLENIA,TITUL,MENO,PRIEZVISKO,ULICA,PSC,\n"
                            "MESTO,DATUM_NARODENIA,C_ZO,PRIESTUPOK,\n"
                            "C_REVIRY_JUX,POZNAMKA)\n"
                            "VALUES (:JEDIN,:E_RS,:C_CLENOV_RS,:C_CLENOV,:CISLO_POVOLENIA,\n"
                            ":TITUL,:MENO,:PRIEZVISKO,:ULICA,:PSC,:MESTO,:DATUM_NARODENIA,\n"
                            ":C_ZO,:PRIESTUPOK,:C_REVIRY_JUX,:POZNAMKA)";
const char* const kUpdate = "UPDATE E_RS_KONTROLOVANI SET C_CLENOV_RS=:C_CLENOV_RS,\n"
                            "C_CLENOV=:C_CLENOV,CISLO_POVOLENIA=:CISLO_POVOLENIA,\n"
                            "TITUL=:TITUL,MENO=:MENO,PRIEZVISKO=:PRIEZVISKO,\n"
                            "ULICA=:ULICA,PSC=:PSC,MESTO=:MESTO,\n"
                            "DATUM_NARODENIA=:DATUM_NARODENIA,\n"
                            "C_ZO=:C_ZO,PRIESTUPOK=:PRIESTUPOK,\n"
                            "C_REVIRY_JUX=:C_REVIRY_JUX,POZNAMKA=:POZNAMKA\n"
                            "WHERE JEDIN=:JEDIN";
} // namespace

TfrmERSKontrolovaniPridaj::TfrmERSKontrolovaniPridaj(QWidget* owner) : TDialogForm(owner) {
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  TGuardRows top(*body);
  eDBKontrolor = top.Add<TIBComboBox>(QStringLiteral("Člen ryb.stráž.::"), QStringLiteral("eDBKontrolor"));
  SetupGuardCombo(*eDBKontrolor);
  btnKontrolor = top.Picker(*eDBKontrolor, QStringLiteral("btnKontrolor"));
  eDBClen = top.Add<TIBComboBox>(QStringLiteral("Kontrolovaný:"), QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen, false);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));
  SetupPersonKeys(*eDBClen);
  btnClen = top.Picker(*eDBClen, QStringLiteral("btnClen"));
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
  for (TIBEdit* required : {eDBMeno, eDBPriezvisko, eDBUlica, eDBMesto})
    required->SetRequired(true);
  eDBDatumNarodenia = rows.Add<TIBDate>(QStringLiteral("Dátum narodenia"), QStringLiteral("eDBDatumNarodenia"));
  personLayout->addWidget(rows.Widget());
  column->addWidget(person);

  TGuardRows rest(*body);
  eDBCisloPovolenia = rest.Add<TIBEdit>(QStringLiteral("Číslo povol.:"), QStringLiteral("eDBCisloPovolenia"), 50);
  eDBZO = rest.Add<TIBComboBox>(QStringLiteral("ZO:"), QStringLiteral("eDBZO"));
  SetupComboLook(*eDBZO);
  eDBZO->SetSTableName(QStringLiteral("C_ZO"));
  eDBZO->SetSAppendFromField(QStringLiteral("nazov"));
  eDBZO->SetSKeyField(QStringLiteral("jedin"));
  eDBZO->SetSOrderBy(QStringLiteral("nazov"));
  eDBZO->lineEdit()->setMaxLength(25);
  eDBZO->SetSNotFoundErrorText(1019);
  btnZO = rest.Picker(*eDBZO, QStringLiteral("btnZO"));
  rest.Note(QStringLiteral("(ktorej ZO JUX je kontrolovaný členom)"));
  eDBRevir = rest.Add<TIBComboBox>(QStringLiteral("Revír:"), QStringLiteral("eDBRevir"));
  SetupRevirCombo(*eDBRevir, true);
  btnRevir = rest.Picker(*eDBRevir, QStringLiteral("btnRevir"));
  eDBPriestupok = rest.Add<TIBComboBox>(QStringLiteral("Priestupok:"), QStringLiteral("eDBPriestupok"));
  // Earlier offences are suggestions; a new text is taken as typed.
  SetupTextCombo(*eDBPriestupok, QStringLiteral("e_rs_kontrolovani"), QStringLiteral("priestupok"), 75, 0);
  eDBPriestupok->SetSSearchIfFound(false);
  eDBPriestupok->SetRequired(true);
  column->addWidget(rest.Widget());

  eDBPoznamka = NewNoteBox(body, QStringLiteral(" Poznámka:      CTRL+Enter = nový riadok"));
  column->addWidget(eDBPoznamka->parentWidget(), 1);

  connect(btnKontrolor, &QToolButton::clicked, this, &TfrmERSKontrolovaniPridaj::btnKontrolorClick);
  connect(btnClen, &QToolButton::clicked, this, &TfrmERSKontrolovaniPridaj::btnClenClick);
  connect(btnZO, &QToolButton::clicked, this, &TfrmERSKontrolovaniPridaj::btnZOClick);
  connect(btnRevir, &QToolButton::clicked, this, &TfrmERSKontrolovaniPridaj::btnRevirClick);
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmERSKontrolovaniPridaj::eDBClenChange);
  connect(eDBClen, &TIBComboBox::OnExit, this, &TfrmERSKontrolovaniPridaj::eDBClenChange);

  dlg.AddCaption = QStringLiteral("Pridanie kontrolovanej osoby");
  dlg.EditCaption = QStringLiteral("Oprava kontrolovanej osoby");
  dlg.Generator = QStringLiteral("E_RS_KONTROLOVANI_ID");
  dlg.ClearAll = [this] { ClearAll(); };
  dlg.LoadSql = QStringLiteral("SELECT C_CLENOV_RS,C_CLENOV,CISLO_POVOLENIA,TITUL,\n"
                               "MENO,PRIEZVISKO,ULICA,PSC,MESTO,DATUM_NARODENIA,C_ZO,\n"
                               "PRIESTUPOK,C_REVIRY_JUX,POZNAMKA\n"
                               "FROM E_RS_KONTROLOVANI where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { Load(q); };
  dlg.Save = [this](TIBQuery& q, bool adding) { Save(q, adding); };
  dlg.FormCreate(body, QSize(717, 365));
}

TfrmERSKontrolovaniPridaj::~TfrmERSKontrolovaniPridaj() = default;

void TfrmERSKontrolovaniPridaj::ClearAll() {
  eDBKontrolor->ClearValue();
  eDBClen->ClearValue();
  eDBClenChange();
  for (TIBEdit* edit : {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBCisloPovolenia})
    edit->clear();
  eDBDatumNarodenia->Clear();
  eDBRevir->ClearValue();
  eDBZO->ClearValue();
  eDBPriestupok->ClearValue();
  eDBPoznamka->clear();
  // Only the guards entered for this inspection may be its inspector.
  eDBKontrolor->SetSWhere(
      QStringLiteral("jedin in (select c_clenov_rs from e_rs_kontrolori where e_rs=%1)").arg(Kontrola));
  eDBRevir->SetSWhere(YearCondition(ProgramSettings.Rok));
}

void TfrmERSKontrolovaniPridaj::Load(TIBQuery& q) {
  auto field = [&q](const char* name) -> TField& { return q.FieldByName(QString::fromLatin1(name)); };
  eDBKontrolor->FindIt(field("C_CLENOV_RS").AsVariant());
  if (!field("C_CLENOV").IsNull()) eDBClen->FindIt(field("C_CLENOV").AsVariant());
  const std::pair<TIBEdit*, const char*> texts[] = {
      {eDBTitul, "TITUL"}, {eDBMeno, "MENO"}, {eDBPriezvisko, "PRIEZVISKO"},         {eDBUlica, "ULICA"},
      {eDBMesto, "MESTO"}, {eDBPSC, "PSC"},   {eDBCisloPovolenia, "CISLO_POVOLENIA"}};
  for (const auto& [edit, name] : texts)
    edit->setText(field(name).AsString());
  LoadDate(*eDBDatumNarodenia, field("DATUM_NARODENIA"));
  eDBPoznamka->setPlainText(field("POZNAMKA").AsString());
  if (!field("C_ZO").IsNull())
    eDBZO->FindIt(field("C_ZO").AsVariant());
  else
    eDBZO->ClearValue();
  eDBRevir->FindIt(field("C_REVIRY_JUX").AsVariant());
  eDBPriestupok->setEditText(field("PRIESTUPOK").AsString());
}

void TfrmERSKontrolovaniPridaj::Save(TIBQuery& q, bool adding) {
  q.SetSQL(QString::fromLatin1(adding ? kInsert : kUpdate));
  auto set = [&q](const char* name, const QVariant& value) {
    q.ParamByName(QString::fromLatin1(name)).SetValue(value);
  };
  if (adding) set("E_RS", Kontrola);
  set("C_CLENOV_RS", KeyParam(*eDBKontrolor));
  set("C_CLENOV", KeyParam(*eDBClen));
  set("C_ZO", KeyParam(*eDBZO));
  set("C_REVIRY_JUX", KeyParam(*eDBRevir));
  set("CISLO_POVOLENIA", eDBCisloPovolenia->text());
  set("TITUL", eDBTitul->text());
  set("MENO", eDBMeno->text());
  set("PRIEZVISKO", eDBPriezvisko->text());
  set("ULICA", eDBUlica->text());
  set("PSC", eDBPSC->text());
  set("MESTO", eDBMesto->text());
  set("DATUM_NARODENIA", DateParam(*eDBDatumNarodenia));
  set("PRIESTUPOK", eDBPriestupok->currentText());
  set("POZNAMKA", eDBPoznamka->toPlainText());
}

void TfrmERSKontrolovaniPridaj::eDBClenChange() {
  // A checked member belongs to this branch.
  if (FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia}))
    eDBZO->FindIt(ProgramSettings.ZO_JEDIN);
}

void TfrmERSKontrolovaniPridaj::btnKontrolorClick() {
  PickFromList(*eDBKontrolor, QStringLiteral("TfrmCClenovRS"), btnKontrolor);
}
void TfrmERSKontrolovaniPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
void TfrmERSKontrolovaniPridaj::btnZOClick() { PickFromList(*eDBZO, QStringLiteral("TfrmCZO"), btnZO); }
void TfrmERSKontrolovaniPridaj::btnRevirClick() { PickFromList(*eDBRevir, QStringLiteral("TfrmCReviryJUX"), btnRevir); }
