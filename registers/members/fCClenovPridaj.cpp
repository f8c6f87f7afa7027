#include "registers/members/fCClenovPridaj.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "core/DateTime.h"
#include "core/gui/ColorConvert.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include <QtCore/QHash>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace {
QHash<QString, TMemberRegisterOpener>& Openers() {
  static QHash<QString, TMemberRegisterOpener> openers;
  return openers;
}

QVariant DateParam(const TIBDate* edit) {
  const QVariant value = edit->Date();
  if (!value.isValid() || value.isNull()) return QVariant(QMetaType(QMetaType::QDate));
  return DateTime::ToDate(value.toDouble());
}

QVariant DateValue(const TField& field) { return field.IsNull() ? QVariant() : QVariant(field.AsDateTime()); }

// A year typed as 0 or not at all is no year.
QVariant YearParam(const TIBCurrencyEdit* edit) {
  const int year = int(std::trunc(edit->Value()));
  return year == 0 ? QVariant(QMetaType(QMetaType::Int)) : QVariant(year);
}

QVariant KeyParam(const TIBComboBox* combo) {
  const QVariant key = combo->GetKeyValue();
  return key.isValid() && !key.isNull() ? key : QVariant(QMetaType(QMetaType::Int));
}

// A name, town or occupation: text with suggestions from the register, any text accepted.
TIBComboBox* SetupSuggestions(TIBComboBox* combo, const QString& column) {
  SetupTextCombo(*combo, QStringLiteral("c_clenov"), column, 25, 0);
  combo->SetSSearchIfFound(false);
  return combo;
}

TIBCurrencyEdit* MakeYearEdit(TRegisterLayout& layout, const QString& name) {
  auto* edit = layout.Add<TIBCurrencyEdit>(name);
  edit->SetDecimals(0);
  edit->setMaxLength(4);
  edit->SetAllowZero(true);
  edit->SetAllowNegative(true);
  return edit;
}

void SetCaptionColor(QWidget& button, TColor color) {
  QPalette palette = button.palette();
  palette.setColor(QPalette::ButtonText, ToQColor(color));
  button.setPalette(palette);
}

TQPLBtn* MakeSpeedButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new TQPLBtn(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}
} // namespace

void TfrmCClenovPridaj::SetRegisterOpener(const QString& buttonName, TMemberRegisterOpener opener) {
  Openers().insert(buttonName, std::move(opener));
}

TfrmCClenovPridaj::TfrmCClenovPridaj(QWidget* owner) : TDialogForm(owner) {
  auto* body = new QWidget(this);
  auto* columns = new QHBoxLayout(body);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addWidget(BuildPersonalData());
  columns->addWidget(BuildRightColumn());

  dlg.AddCaption = QStringLiteral("Pridanie údajov člena");
  dlg.EditCaption = QStringLiteral("Oprava údajov člena");
  dlg.Generator = QStringLiteral("C_clenov_id");
  dlg.PlaceholderInsert =
      QStringLiteral("insert into c_clenov(jedin,SKOLENIE_USKUTOCNENE,BRIGADA_VYZADOVAT) values(:JEDIN,0,0)");
  dlg.PlaceholderDelete = QStringLiteral("delete from c_clenov where jedin=:JEDIN");
  dlg.ClearAll = [this] { ClearAll(); };
  dlg.LoadSql = QStringList{QStringLiteral("SELECT TITUL,MENO,PRIEZVISKO,ULICA,MESTO,PSC,"),
                            QStringLiteral("DATUM_NARODENIA,CISLO_LEGITIMACIE,VSTUP_JUX,VSTUP_ZO,"),
                            QStringLiteral("SKOLENIE_USKUTOCNENE,SKOLENIE_DATUM,BRIGADA_VYZADOVAT,"),
                            QStringLiteral("SKUPINA_1,SKUPINA_2,SKUPINA_3,SKUPINA_4,"),
                            QStringLiteral("SKUPINA_5,PRACOVNE_ZARADENIE,POVOLANIE,POZNAMKA,TELEFON,"),
                            QStringLiteral("EMAIL,UKONCENIE_STAV,UKONCENIE_DATUM,CLEN_OBO"),
                            QStringLiteral("FROM C_CLENOV A WHERE A.JEDIN=:JEDIN")}
                    .join(QLatin1Char('\n'));
  dlg.Load = [this](TIBQuery& q) { Load(q); };
  dlg.Save = [this](TIBQuery& q, bool) { Save(q); };
  dlg.FormCreate(body, QSize(757, 417));
}

TfrmCClenovPridaj::~TfrmCClenovPridaj() = default;

QWidget* TfrmCClenovPridaj::BuildPersonalData() {
  TRegisterLayout l(*this);
  auto text = [&l](const QString& label, const QString& name, int maxLength) {
    l.Label(label);
    return l.Add<TIBEdit>(name, maxLength);
  };
  eDBTitul = text(QStringLiteral("Titul:"), QStringLiteral("eDBTitul"), 15);
  l.Label(QStringLiteral("Meno:"));
  eDBMeno = SetupSuggestions(l.Add<TIBComboBox>(QStringLiteral("eDBMeno")), QStringLiteral("meno"));
  eDBMeno->SetRequired(true);
  eDBPriezvisko = text(QStringLiteral("Priezvisko:"), QStringLiteral("eDBPriezvisko"), 25);
  eDBPriezvisko->SetRequired(true);
  connect(eDBPriezvisko, &QLineEdit::textEdited, this, [this](const QString& typed) {
    if (!ProgramSettings.PRIEZVISKA_VELKYMI || typed == typed.toUpper()) return;
    const int cursor = eDBPriezvisko->cursorPosition();
    eDBPriezvisko->setText(typed.toUpper());
    eDBPriezvisko->setCursorPosition(cursor);
  });
  eDBUlica = text(QStringLiteral("Ulica:"), QStringLiteral("eDBUlica"), 25);
  l.Label(QStringLiteral("PSČ a mesto:"));
  std::tie(eDBPSC, eDBMesto) = l.AddPair<TIBEdit, TIBComboBox>(QStringLiteral("eDBPSC"), 5, QStringLiteral("eDBMesto"));
  eDBPSC->SetOnlyNumbers(true);
  eDBPSC->setFixedWidth(QFontMetrics(eDBPSC->font()).horizontalAdvance(QStringLiteral("000000")) + 12);
  SetupSuggestions(eDBMesto, QStringLiteral("mesto"));
  eDBMesto->SetRequired(true);
  l.Label(QStringLiteral("Dátum narodenia:"));
  eDBDatumNarodenia = l.Add<TIBDate>(QStringLiteral("eDBDatumNarodenia"));
  eDBTelefon = text(QStringLiteral("Telefón, mobil:"), QStringLiteral("eDBTelefon"), 25);
  eDBEmail = text(QStringLiteral("e-mail:"), QStringLiteral("eDBEmail"), 50);
  eDBPracovneZaradenie = text(QStringLiteral("Prac. zaradenie:"), QStringLiteral("eDBPracovneZaradenie"), 50);
  l.Label(QStringLiteral("Povolanie:"));
  eDBPovolanie = SetupSuggestions(l.Add<TIBComboBox>(QStringLiteral("eDBPovolanie")), QStringLiteral("povolanie"));
  eDBCisloLegimitacie = text(QStringLiteral("Číslo člen. legit.:"), QStringLiteral("eDBCisloLegimitacie"), 15);
  l.Label(QStringLiteral("Vstup do JUX:"));
  eDBVstupJUX = MakeYearEdit(l, QStringLiteral("eDBVstupJUX"));
  l.Label(QStringLiteral("Vstup do ZO:"));
  eDBVstupZO = MakeYearEdit(l, QStringLiteral("eDBVstupZO"));
  l.Label(QStringLiteral("Člen ObO:"));
  eDBClenObO = MakeYearEdit(l, QStringLiteral("eDBClenObO"));
  l.Label(QStringLiteral("Skúšky:"));
  eDBSkolenieUskutocnene = l.Add<TIBCheckBox>(QStringLiteral("eDBSkolenieUskutocnene"));
  connect(eDBSkolenieUskutocnene, &QCheckBox::toggled, this, [this] { eDBSkolenieUskutocneneClick(); });
  l.Label(QString());
  eDBSkolenieDatum = l.Add<TIBDate>(QStringLiteral("eDBSkolenieDatum"));
  eDBSkolenieDatum->hide();
  l.Label(QStringLiteral("Oslob. od brigády:"));
  eDBBrigadaVyzadovat = l.Add<TIBCheckBox>(QStringLiteral("eDBBrigadaVyzadovat"));
  l.Label(QStringLiteral("Brigády (hod.):"));
  eBrigadaHodiny = l.Add<TIBCurrencyEdit>(QStringLiteral("eBrigadaHodiny"));
  eBrigadaHodiny->SetDecimals(1);
  eBrigadaHodiny->SetReadOnly(true);
  eBrigadaHodiny->setFocusPolicy(Qt::NoFocus);
  l.Label(QStringLiteral("Ukončenie:"));
  eDBUkoncenieStav = l.Add<TIBComboBox>(QStringLiteral("eDBUkoncenieStav"));
  eDBUkoncenieStav->SetDatabase(MainDatabase());
  eDBUkoncenieStav->SetSTableName(QStringLiteral("ponuky"));
  eDBUkoncenieStav->SetSWhere(QStringLiteral("zaradenie='ukoncenie_stav'"));
  eDBUkoncenieStav->SetSKeyField(QStringLiteral("cislo"));
  eDBUkoncenieStav->SetSAppendFromField(QStringLiteral("text"));
  eDBUkoncenieStav->SetSOrderBy(QStringLiteral("text"));
  eDBUkoncenieStav->SetSAutoAppend(true);
  eDBUkoncenieStav->SetSNotFoundErrorText(1019);
  l.Label(QString());
  eDBUkoncenieDatum = l.Add<TIBDate>(QStringLiteral("eDBUkoncenieDatum"));
  return l.Widget();
}

QWidget* TfrmCClenovPridaj::BuildRightColumn() {
  auto* column = new QWidget(this);
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);

  auto* groups = new QGroupBox(QStringLiteral(" Zadelenie člena do skupín: "), column);
  auto* g = new QGridLayout(groups);
  for (int i = 0; i < 5; ++i) {
    auto* combo = new TIBComboBox(groups);
    combo->setObjectName(QStringLiteral("eDBSkupina%1").arg(i + 1));
    combo->setFont(TRegisterLayout::EntryFont());
    SetupGroupCombo(*combo);
    combo->SetSNotFoundErrorText(0);
    connect(combo, &TIBComboBox::OnCtrlEnter, this, [this, i] { btnSkupinaClick(i); });
    connect(combo, &TIBComboBox::OnDblClick, this, [this, i] { btnSkupinaClick(i); });
    auto* button = new TQPLBtn(QStringLiteral("..."), groups);
    button->setObjectName(QStringLiteral("btnSkupina%1").arg(i + 1));
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(24);
    connect(button, &QPushButton::clicked, this, [this, i] { btnSkupinaClick(i); });
    g->addWidget(combo, i, 0);
    g->addWidget(button, i, 1);
    eDBSkupina[i] = combo;
    btnSkupina[i] = button;
  }
  v->addWidget(groups);

  auto* registers = new QGroupBox(QStringLiteral(" Evidencie: "), column);
  auto* r = new QGridLayout(registers);
  btnPovolenky = MakeSpeedButton(registers, "btnPovolenky", QStringLiteral("Povolenky"));
  btnBrigady = MakeSpeedButton(registers, "btnBrigady", QStringLiteral("Brigády"));
  btnPredmety = MakeSpeedButton(registers, "btnPredmety", QStringLiteral("Zverené predmety"));
  btnVyznamenania = MakeSpeedButton(registers, "btnVyznamenania", QStringLiteral("Vyznamenania"));
  btnPriestupky = MakeSpeedButton(registers, "btnPriestupky", QStringLiteral("Priestupky"));
  btnPokladna = MakeSpeedButton(registers, "btnPokladna", QStringLiteral("Pokladňa"));
  r->addWidget(btnPovolenky, 0, 0);
  r->addWidget(btnBrigady, 0, 1);
  r->addWidget(btnPredmety, 1, 0);
  r->addWidget(btnVyznamenania, 1, 1);
  r->addWidget(btnPriestupky, 2, 0);
  r->addWidget(btnPokladna, 2, 1);
  auto* lastYear = new QGroupBox(QStringLiteral(" Predchádzajúci rok: "), registers);
  auto* ly = new QHBoxLayout(lastYear);
  btnPovolenkyMinulyRok = MakeSpeedButton(lastYear, "btnPovolenkyMinulyRok", QStringLiteral("Povolenky"));
  btnBrigadyMinulyRok = MakeSpeedButton(lastYear, "btnBrigadyMinulyRok", QStringLiteral("Brigády"));
  ly->addWidget(btnPovolenkyMinulyRok);
  ly->addWidget(btnBrigadyMinulyRok);
  r->addWidget(lastYear, 3, 0, 1, 2);
  v->addWidget(registers);

  auto* fee = new QGroupBox(QStringLiteral(" Členské: "), column);
  auto* f = new QGridLayout(fee);
  eClenskeDatum = new TIBDate(fee);
  eClenskeDatum->setObjectName(QStringLiteral("eClenskeDatum"));
  eClenskeDatum->SetReadOnly(true);
  eClenskeDatum->setFocusPolicy(Qt::NoFocus);
  eClenskeSuma = new TIBCurrencyEdit(fee);
  eClenskeSuma->setObjectName(QStringLiteral("eClenskeSuma"));
  eClenskeSuma->SetDecimals(2);
  eClenskeSuma->SetReadOnly(true);
  eClenskeSuma->setFocusPolicy(Qt::NoFocus);
  f->addWidget(new QLabel(QStringLiteral("Uhradené dňa:"), fee), 0, 0);
  f->addWidget(eClenskeDatum, 0, 1);
  f->addWidget(new QLabel(QStringLiteral("Uhradená suma:"), fee), 1, 0);
  f->addWidget(eClenskeSuma, 1, 1);
  v->addWidget(fee);

  btnPreruseneClenstvo =
      MakeSpeedButton(column, "btnPreruseneClenstvo", QStringLiteral("Evidencia prerušeného členstva"));
  v->addWidget(btnPreruseneClenstvo);

  eDBPoznamka = NewNoteBox(column, QStringLiteral(" Poznámka:                   CTRL+Enter = nový riadok"));
  v->addWidget(eDBPoznamka->parentWidget(), 1);

  const int rok = ProgramSettings.Rok;
  const struct {
    TQPLBtn* button;
    int year; // 0: the register's own
    bool reread;
  } opened[] = {
      {btnPovolenky, rok, true},       {btnPovolenkyMinulyRok, rok - 1, false},
      {btnBrigady, rok, true},         {btnBrigadyMinulyRok, rok - 1, false},
      {btnPredmety, 0, false},         {btnVyznamenania, 0, false},
      {btnPriestupky, 0, false},       {btnPokladna, 0, false},
      {btnPreruseneClenstvo, 0, true},
  };
  for (const auto& o : opened) {
    o.button->setEnabled(bool(Openers().value(o.button->objectName())));
    connect(o.button, &QPushButton::clicked, this,
            [this, button = o.button, year = o.year, reread = o.reread] { OpenRegister(button, year, reread); });
  }
  return column;
}

void TfrmCClenovPridaj::OpenRegister(TQPLBtn* button, int rok, bool reread) {
  const TMemberRegisterOpener opener = Openers().value(button->objectName());
  if (!opener) return;
  opener(this, Jedin, rok);
  if (reread) NacitajOstatneInformacie();
}

void TfrmCClenovPridaj::ClearAll() {
  for (QLineEdit* edit :
       {static_cast<QLineEdit*>(eDBTitul), static_cast<QLineEdit*>(eDBPriezvisko), static_cast<QLineEdit*>(eDBUlica),
        static_cast<QLineEdit*>(eDBPSC), static_cast<QLineEdit*>(eDBTelefon), static_cast<QLineEdit*>(eDBEmail),
        static_cast<QLineEdit*>(eDBPracovneZaradenie), static_cast<QLineEdit*>(eDBCisloLegimitacie)})
    edit->clear();
  for (TIBComboBox* combo : {eDBMeno, eDBMesto, eDBPovolanie, eDBUkoncenieStav})
    combo->ClearValue();
  for (TIBComboBox* combo : eDBSkupina)
    combo->ClearValue();
  for (TIBDate* date : {eDBDatumNarodenia, eDBSkolenieDatum, eDBUkoncenieDatum, eClenskeDatum})
    date->Clear();
  for (TIBCurrencyEdit* number : {eDBVstupJUX, eDBVstupZO, eDBClenObO, eBrigadaHodiny, eClenskeSuma})
    number->Clear();
  eDBPoznamka->clear();
  eDBSkolenieUskutocnene->setChecked(false);
  eDBSkolenieUskutocneneClick();
  // A new person is exempt from work duty until the box is cleared.
  eDBBrigadaVyzadovat->setChecked(true);
}

void TfrmCClenovPridaj::eDBSkolenieUskutocneneClick() {
  eDBSkolenieDatum->setVisible(eDBSkolenieUskutocnene->isChecked());
}

void TfrmCClenovPridaj::FormShow() {
  dlg.FormShow();
  if (Jedin != 0) NacitajOstatneInformacie();
}

void TfrmCClenovPridaj::Load(TIBQuery& q) {
  const auto s = [&q](const char* name) { return q.FieldByName(QString::fromLatin1(name)).AsString(); };
  const auto f = [&q](const char* name) -> const TField& { return q.FieldByName(QString::fromLatin1(name)); };
  eDBTitul->setText(s("TITUL"));
  eDBMeno->setEditText(s("MENO"));
  eDBPriezvisko->setText(s("PRIEZVISKO"));
  eDBUlica->setText(s("ULICA"));
  eDBMesto->setEditText(s("MESTO"));
  eDBPSC->setText(s("PSC"));
  eDBDatumNarodenia->SetDate(DateValue(f("DATUM_NARODENIA")));
  eDBCisloLegimitacie->setText(s("CISLO_LEGITIMACIE"));
  eDBVstupJUX->SetValue(f("VSTUP_JUX").AsInteger());
  eDBVstupZO->SetValue(f("VSTUP_ZO").AsInteger());
  eDBClenObO->SetValue(f("CLEN_OBO").AsInteger());
  eDBSkolenieUskutocnene->setChecked(f("SKOLENIE_USKUTOCNENE").AsInteger() == 1);
  eDBSkolenieUskutocneneClick();
  eDBSkolenieDatum->SetDate(DateValue(f("SKOLENIE_DATUM")));
  // Null counts as exempt, as for a new person.
  eDBBrigadaVyzadovat->setChecked(f("BRIGADA_VYZADOVAT").IsNull() || f("BRIGADA_VYZADOVAT").AsInteger() != 1);
  for (int i = 0; i < 5; ++i)
    eDBSkupina[i]->FindIt(f(QStringLiteral("SKUPINA_%1").arg(i + 1).toLatin1().constData()).AsVariant());
  eDBPracovneZaradenie->setText(s("PRACOVNE_ZARADENIE"));
  eDBPovolanie->setEditText(s("POVOLANIE"));
  eDBPoznamka->setPlainText(s("POZNAMKA"));
  eDBTelefon->setText(s("TELEFON"));
  eDBEmail->setText(s("EMAIL"));
  eDBUkoncenieStav->FindIt(f("UKONCENIE_STAV").AsVariant());
  eDBUkoncenieDatum->SetDate(DateValue(f("UKONCENIE_DATUM")));
}

void TfrmCClenovPridaj::Save(TIBQuery& q) {
  q.SetSQL(QStringList{QStringLiteral("UPDATE C_CLENOV SET TITUL=:TITUL,MENO=:MENO,"),
                       QStringLiteral("PRIEZVISKO=:PRIEZVISKO,ULICA=:ULICA,MESTO=:MESTO,"),
                       QStringLiteral("PSC=:PSC,DATUM_NARODENIA=:DATUM_NARODENIA,"),
                       QStringLiteral("CISLO_LEGITIMACIE=:CISLO_LEGITIMACIE,VSTUP_JUX=:VSTUP_JUX,"),
                       QStringLiteral("VSTUP_ZO=:VSTUP_ZO,SKOLENIE_USKUTOCNENE=:SKOLENIE_USKUTOCNENE,"),
                       QStringLiteral("SKOLENIE_DATUM=:SKOLENIE_DATUM,BRIGADA_VYZADOVAT=:BRIGADA_VYZADOVAT,"),
                       QStringLiteral("SKUPINA_1=:SKUPINA_1,SKUPINA_2=:SKUPINA_2,"),
                       QStringLiteral("SKUPINA_3=:SKUPINA_3,SKUPINA_4=:SKUPINA_4,"),
                       QStringLiteral("SKUPINA_5=:SKUPINA_5,PRACOVNE_ZARADENIE=:PRACOVNE_ZARADENIE,"),
                       QStringLiteral("POVOLANIE=:POVOLANIE,POZNAMKA=:POZNAMKA,TELEFON=:TELEFON,"),
                       QStringLiteral("EMAIL=:EMAIL,UKONCENIE_STAV=:UKONCENIE_STAV,"),
                       QStringLiteral("UKONCENIE_DATUM=:UKONCENIE_DATUM,CLEN_OBO=:CLEN_OBO"),
                       QStringLiteral("WHERE JEDIN=:JEDIN")}
               .join(QLatin1Char('\n')));
  const auto set = [&q](const char* name, const QVariant& value) {
    q.ParamByName(QString::fromLatin1(name)).SetValue(value);
  };
  set("TITUL", eDBTitul->text());
  set("MENO", eDBMeno->currentText());
  QString priezvisko = eDBPriezvisko->text();
  if (ProgramSettings.PRIEZVISKA_VELKYMI) priezvisko = priezvisko.toUpper();
  set("PRIEZVISKO", priezvisko);
  set("ULICA", eDBUlica->text());
  set("MESTO", eDBMesto->currentText());
  set("PSC", eDBPSC->text());
  set("CISLO_LEGITIMACIE", eDBCisloLegimitacie->text());
  set("PRACOVNE_ZARADENIE", eDBPracovneZaradenie->text());
  set("POVOLANIE", eDBPovolanie->currentText());
  set("POZNAMKA", eDBPoznamka->toPlainText());
  set("TELEFON", eDBTelefon->text());
  set("EMAIL", eDBEmail->text());
  set("DATUM_NARODENIA", DateParam(eDBDatumNarodenia));
  set("SKOLENIE_DATUM", DateParam(eDBSkolenieDatum));
  set("UKONCENIE_DATUM", DateParam(eDBUkoncenieDatum));
  set("VSTUP_JUX", YearParam(eDBVstupJUX));
  set("VSTUP_ZO", YearParam(eDBVstupZO));
  set("CLEN_OBO", int(std::trunc(eDBClenObO->Value())));
  set("SKOLENIE_USKUTOCNENE", eDBSkolenieUskutocnene->isChecked() ? 1 : 0);
  set("BRIGADA_VYZADOVAT", eDBBrigadaVyzadovat->isChecked() ? 0 : 1);
  for (int i = 0; i < 5; ++i)
    set(QStringLiteral("SKUPINA_%1").arg(i + 1).toLatin1().constData(), KeyParam(eDBSkupina[i]));
  set("UKONCENIE_STAV", KeyParam(eDBUkoncenieStav));
}

void TfrmCClenovPridaj::NacitajOstatneInformacie() {
  TIBQuery& q = *dlg.ib1;
  RunUnitOfWork(*dlg.ibt1, [&] {
    q.SetSQL(QStringLiteral("select sum(hodiny) from e_brigady\nwhere c_clenov=:CLEN and rok=:ROK"));
    q.ParamByName(QStringLiteral("CLEN")).SetValue(Jedin);
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(ProgramSettings.Rok));
    q.Open();
    eBrigadaHodiny->SetValue(q.FieldByNumber(0).AsFloat());
    q.Close();

    q.SetSQL(QStringList{QStringLiteral("select first 1 a.cena,b.datum"), QStringLiteral("from e_povolenky2 a"),
                         QStringLiteral("left join e_povolenky b on b.jedin=a.e_povolenky"),
                         QStringLiteral("where b.c_clenov=:CLEN and a.typ_platby=2 and a.rok=:ROK")}
                 .join(QLatin1Char('\n')));
    q.ParamByName(QStringLiteral("CLEN")).SetValue(Jedin);
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(ProgramSettings.Rok));
    q.Open();
    if (q.IsEmpty()) {
      eClenskeSuma->Clear();
      eClenskeDatum->Clear();
    } else {
      eClenskeSuma->SetValue(q.FieldByName(QStringLiteral("CENA")).AsFloat());
      eClenskeDatum->SetDate(DateValue(q.FieldByName(QStringLiteral("DATUM"))));
    }
    q.Close();

    q.SetSQL(QStringLiteral("select first 1 jedin from c_clenov_prerusene_roky\nwhere c_clenov=:CLEN"));
    q.ParamByName(QStringLiteral("CLEN")).SetValue(Jedin);
    q.Open();
    SetCaptionColor(*btnPreruseneClenstvo, q.IsEmpty() ? clWindowText : clRed);
    q.Close();
  });
}

void TfrmCClenovPridaj::btnSkupinaClick(int index) {
  PickFromList(*eDBSkupina[index], QStringLiteral("TfrmCClenenieClenov"), btnSkupina[index]);
}
