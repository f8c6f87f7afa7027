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
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/MemberRows.h"
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
  dlg.Table = QStringLiteral("C_CLENOV");
  // The row exists from the show, so that the registers opened from the card can refer to the new person.
  dlg.HasPlaceholder = true;
  dlg.Field(QStringLiteral("TITUL"), eDBTitul);
  dlg.Field(QStringLiteral("MENO"), eDBMeno).Required();
  dlg.Field(QStringLiteral("PRIEZVISKO"), eDBPriezvisko).Required().Saves([this] {
    return SurnameAsSaved(eDBPriezvisko->text());
  });
  dlg.Field(QStringLiteral("ULICA"), eDBUlica);
  dlg.Field(QStringLiteral("MESTO"), eDBMesto).Required();
  dlg.Field(QStringLiteral("PSC"), eDBPSC);
  dlg.Field(QStringLiteral("DATUM_NARODENIA"), eDBDatumNarodenia);
  dlg.Field(QStringLiteral("CISLO_LEGITIMACIE"), eDBCisloLegimitacie);
  // A year typed as 0 or not at all is no year.
  dlg.Field(QStringLiteral("VSTUP_JUX"), eDBVstupJUX).ZeroIsNull();
  dlg.Field(QStringLiteral("VSTUP_ZO"), eDBVstupZO).ZeroIsNull();
  dlg.Field(QStringLiteral("SKOLENIE_USKUTOCNENE"), eDBSkolenieUskutocnene).Placeholder(0);
  dlg.Field(QStringLiteral("SKOLENIE_DATUM"), eDBSkolenieDatum);
  // The box tells the exemption, the column the duty; a new person is
  // exempt until the box is cleared, and Null counts as exempt.
  dlg.Field(QStringLiteral("BRIGADA_VYZADOVAT"), eDBBrigadaVyzadovat)
      .Placeholder(0)
      .Default(1)
      .Loads([this](const TField& f) { eDBBrigadaVyzadovat->SetCheckedValue(f.AsInteger() == 1 ? 0 : 1); })
      .Saves([this] { return eDBBrigadaVyzadovat->CheckedValue() == 1 ? 0 : 1; });
  for (int i = 0; i < 5; ++i)
    dlg.Field(QStringLiteral("SKUPINA_%1").arg(i + 1), eDBSkupina[i]);
  dlg.Field(QStringLiteral("PRACOVNE_ZARADENIE"), eDBPracovneZaradenie);
  dlg.Field(QStringLiteral("POVOLANIE"), eDBPovolanie);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("TELEFON"), eDBTelefon);
  dlg.Field(QStringLiteral("EMAIL"), eDBEmail);
  dlg.Field(QStringLiteral("UKONCENIE_STAV"), eDBUkoncenieStav);
  dlg.Field(QStringLiteral("UKONCENIE_DATUM"), eDBUkoncenieDatum);
  dlg.Field(QStringLiteral("CLEN_OBO"), eDBClenObO);
  dlg.AfterClear = [this] {
    for (TIBCurrencyEdit* number : {eBrigadaHodiny, eClenskeSuma})
      number->Clear();
    eClenskeDatum->Clear();
    eDBSkolenieUskutocneneClick();
  };
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
  TypeInCapitals(*eDBPriezvisko, [] { return ProgramSettings.PRIEZVISKA_VELKYMI; });
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

  const struct {
    TQPLBtn* button;
    int yearsBack; // the register opens for the card's year less this
    bool reread;
  } opened[] = {
      {btnPovolenky, 0, true},         {btnPovolenkyMinulyRok, 1, false}, {btnBrigady, 0, true},
      {btnBrigadyMinulyRok, 1, false}, {btnPredmety, 0, false},           {btnVyznamenania, 0, false},
      {btnPriestupky, 0, false},       {btnPokladna, 0, false},           {btnPreruseneClenstvo, 0, true},
  };
  for (const auto& o : opened) {
    o.button->setEnabled(bool(Openers().value(o.button->objectName())));
    connect(o.button, &QPushButton::clicked, this, [this, button = o.button, back = o.yearsBack, reread = o.reread] {
      OpenRegister(button, dlg.Rok - back, reread);
    });
  }
  return column;
}

void TfrmCClenovPridaj::OpenRegister(TQPLBtn* button, int rok, bool reread) {
  const TMemberRegisterOpener opener = Openers().value(button->objectName());
  if (!opener) return;
  opener(this, Jedin, rok);
  if (reread) NacitajOstatneInformacie();
}

void TfrmCClenovPridaj::eDBSkolenieUskutocneneClick() {
  eDBSkolenieDatum->setVisible(eDBSkolenieUskutocnene->isChecked());
}

void TfrmCClenovPridaj::FormShow() {
  dlg.FormShow();
  if (Jedin != 0) NacitajOstatneInformacie();
}

void TfrmCClenovPridaj::NacitajOstatneInformacie() {
  TIBQuery& q = *dlg.ib1;
  RunUnitOfWork(*dlg.ibt1, [&] {
    eBrigadaHodiny->SetValue(WorkDutyHours(q, Jedin, dlg.Rok));
    if (const std::optional<TMembershipFee> fee = MembershipFee(q, Jedin, dlg.Rok)) {
      eClenskeSuma->SetValue(fee->Amount);
      LoadDate(*eClenskeDatum, fee->Paid);
    } else {
      eClenskeSuma->Clear();
      eClenskeDatum->Clear();
    }
    SetCaptionColor(*btnPreruseneClenstvo, HasInterruptedYears(q, Jedin) ? clRed : clWindowText);
  });
}

void TfrmCClenovPridaj::btnSkupinaClick(int index) {
  PickFromList(*eDBSkupina[index], QStringLiteral("TfrmCClenenieClenov"), btnSkupina[index]);
}
