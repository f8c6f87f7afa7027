#include "registers/members/fERSPridaj.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/IBTime.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "registers/common/ChildGrid.h"
#include "registers/common/ListPattern.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/MemberRows.h"
#include "registers/members/fERSKontroloriPridaj.h"
#include "registers/members/fERSKontrolovaniPridaj.h"
#include <QtCore/QSet>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>

namespace {
// Date plus time of day as a timestamp; Null when either is empty.
QVariant Moment(const TIBDate& date, const TIBTime& time) {
  const QVariant day = date.Date(), hour = time.Time();
  if (day.isNull() || !day.isValid() || hour.isNull() || !hour.isValid())
    return QVariant(QMetaType(QMetaType::QDateTime));
  return DateTime::ToDateTime(day.toDouble() + hour.toDouble());
}

void LoadMoment(TIBDate& date, TIBTime& time, const TField& field) {
  if (field.IsNull()) {
    date.Clear();
    time.SetTime(QVariant());
    return;
  }
  const TDateTime value = DateTime::FromDateTime(field.AsVariant().toDateTime());
  date.SetDate(double(qint64(value)));
  time.SetTime(value - double(qint64(value)));
}

void SetupMoney(TIBCurrencyEdit& edit, int maxLength) {
  edit.SetDecimals(2);
  edit.SetMaxLength(maxLength);
  edit.SetAllowZero(true);
  edit.SetAllowNegative(true);
}
} // namespace

TfrmERSPridaj::TfrmERSPridaj(QWidget* owner) : TDialogForm(owner) {
  guards_ = std::make_unique<TChildGrid>(
      childOwner_, QStringLiteral("e_rs_kontrolori"), InspectionGuardsSql(),
      [] { return std::make_unique<TfrmERSKontroloriPridaj>(); },
      [](TForm& dialog, int kontrola) { dynamic_cast<TfrmERSKontroloriPridaj&>(dialog).Kontrola = kontrola; });
  persons_ = std::make_unique<TChildGrid>(
      childOwner_, QStringLiteral("e_rs_kontrolovani"), InspectedPersonsSql(),
      [] { return std::make_unique<TfrmERSKontrolovaniPridaj>(); },
      [](TForm& dialog, int kontrola) { dynamic_cast<TfrmERSKontrolovaniPridaj&>(dialog).Kontrola = kontrola; });
  guards_->BeforeDelete = [this] { return ConfirmGuardRemoval(); };

  // Start, end, ground and the note beside the car, the two child lists
  // below: each control in reading order, which is also the tab order, and
  // the whole within a 1024 x 768 screen.
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  auto* head = new QHBoxLayout;
  column->addLayout(head);
  TGuardRows top(*body);
  eDBKontrolaDatumOd = top.Add<TIBDate>(QStringLiteral("Kontrola od:"), QStringLiteral("eDBKontrolaDatumOd"));
  eDBKontrolaCasOd = new TIBTime(top.Widget());
  eDBKontrolaCasOd->setObjectName(QStringLiteral("eDBKontrolaCasOd"));
  top.Beside(eDBKontrolaCasOd);
  eDBKontrolaDatumDo = top.Add<TIBDate>(QStringLiteral("do:"), QStringLiteral("eDBKontrolaDatumDo"));
  eDBKontrolaCasDo = new TIBTime(top.Widget());
  eDBKontrolaCasDo->setObjectName(QStringLiteral("eDBKontrolaCasDo"));
  top.Beside(eDBKontrolaCasDo);
  for (TIBTime* time : {eDBKontrolaCasOd, eDBKontrolaCasDo})
    time->SetRequired(true);
  for (QLineEdit* edit : std::initializer_list<QLineEdit*>{eDBKontrolaDatumOd, eDBKontrolaDatumDo})
    edit->setFixedWidth(105);
  for (QLineEdit* edit : std::initializer_list<QLineEdit*>{eDBKontrolaCasOd, eDBKontrolaCasDo})
    edit->setFixedWidth(65);
  eDBRevir = top.Add<TIBComboBox>(QStringLiteral("Revír:"), QStringLiteral("eDBRevir"));
  SetupRevirCombo(*eDBRevir);
  btnRevir = top.Picker(*eDBRevir, QStringLiteral("btnRevir"), QStringLiteral("TfrmCReviryJUX"));
  auto* topColumn = new QVBoxLayout;
  topColumn->addWidget(top.Widget());
  eDBPoznamka = NewNoteBox(body, QStringLiteral(" Poznámka:      CTRL+Enter = nový riadok"));
  topColumn->addWidget(eDBPoznamka->parentWidget(), 1);
  head->addLayout(topColumn, 1);
  head->addWidget(BuildCar(*body));

  column->addWidget(guards_->Build(*body, QStringLiteral(" Členovia rybárskej stráže, ktorý sa zúčastnili kontroly: "),
                                   QStringLiteral("gbxKontrolori"), QStringLiteral("tb1"), QStringLiteral("2")),
                    1);
  column->addWidget(persons_->Build(*body, QStringLiteral(" Kontrolované osoby: "), QStringLiteral("gbxKontrolovani"),
                                    QStringLiteral("ToolBar1"), QStringLiteral("3")),
                    1);
  tb1 = qobject_cast<TToolBar*>(guards_->add->parentWidget());
  ToolBar1 = qobject_cast<TToolBar*>(persons_->add->parentWidget());
  btnPridaj2 = guards_->add, btnOprav2 = guards_->edit, btnVymaz2 = guards_->del, btnRefresh2 = guards_->refresh;
  btnPridaj3 = persons_->add, btnOprav3 = persons_->edit, btnVymaz3 = persons_->del, btnRefresh3 = persons_->refresh;
  gr2 = guards_->grid, ib2 = guards_->query, gr3 = persons_->grid, ib3 = persons_->query;
  AddListColumns(*gr2, {{"NAZOV_UPLNY", "Člen rybárskej stráže", 501, "C.NAZOV_UPLNY"},
                        {"CISLO_ODZNAKU", "Číslo odznaku", 107, "b.cislo_odznaku"},
                        {"CISLO_OSVEDCENIA", "Číslo osvedčenia", 96, "b.cislo_osvedcenia"}});
  AddListColumns(*gr3, {{"KONTROLOVANY", "Kontrolovaný", 197, "a.nazov_uplny"},
                        {"REVIR", "Revír", 139, "d.nazov"},
                        {"PRIESTUPOK", "Priestupok", 166, "a.priestupok"},
                        {"KONTROLOR", "Kontrolór", 202, "c.nazov_uplny"}});
  for (TDbGridQPL* grid : {gr2, gr3}) {
    grid->SetActiveTitleIndex(0);
    grid->Loaded();
    // Three rows in sight below the titles, above the horizontal scroll bar.
    grid->setMinimumHeight(3 * grid->verticalHeader()->defaultSectionSize() +
                           grid->horizontalHeader()->sizeHint().height() +
                           grid->horizontalScrollBar()->sizeHint().height() + 2 * grid->frameWidth());
  }

  dlg.AddCaption = QStringLiteral("Pridanie kontroly rybárskej stráže");
  dlg.EditCaption = QStringLiteral("Oprava kontroly rybárskej stráže");
  dlg.Table = QStringLiteral("E_RS");
  // The row exists from the show, so that guards can be entered at once; it
  // gets its year at the first save and is listed from then on.
  dlg.PerYear = true;
  dlg.HasPlaceholder = true;
  dlg.Field(QStringLiteral("KONTROLA_OD"), eDBKontrolaDatumOd)
      .Required()
      .Loads([this](const TField& f) { LoadMoment(*eDBKontrolaDatumOd, *eDBKontrolaCasOd, f); })
      .Saves([this] { return Moment(*eDBKontrolaDatumOd, *eDBKontrolaCasOd); });
  dlg.Field(QStringLiteral("KONTROLA_DO"), eDBKontrolaDatumDo)
      .Required()
      .Loads([this](const TField& f) { LoadMoment(*eDBKontrolaDatumDo, *eDBKontrolaCasDo, f); })
      .Saves([this] { return Moment(*eDBKontrolaDatumDo, *eDBKontrolaCasDo); });
  dlg.Field(QStringLiteral("SUKROMNE_VOZIDLO"), eDBSukromneVozidlo).Default(1).Placeholder(1);
  dlg.Field(QStringLiteral("SPZ"), eDBSPZ);
  dlg.Field(QStringLiteral("TYP"), eDBTyp);
  dlg.Field(QStringLiteral("SPOTREBA"), eDBSpotreba);
  dlg.Field(QStringLiteral("NAHRADA"), eDBNahrada);
  dlg.Field(QStringLiteral("KM"), eDBKM);
  dlg.Field(QStringLiteral("CENA_PALIVA"), eDBCenaPaliva);
  // Without a private car there is nothing to pay.
  dlg.Field(QStringLiteral("UHRADENE"), eDBUhradene).Placeholder(0).Saves([this] {
    return eDBSukromneVozidlo->CheckedValue() == 1 ? int(eDBUhradene->CheckedValue()) : 1;
  });
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  // A new inspection proposes the present moment as its start and end.
  dlg.AfterClear = [this] {
    const TDateTime now = DateTime::Now();
    for (TIBDate* date : {eDBKontrolaDatumOd, eDBKontrolaDatumDo})
      date->SetDate(double(qint64(now)));
    for (TIBTime* time : {eDBKontrolaCasOd, eDBKontrolaCasDo})
      time->SetTime(now - double(qint64(now)));
    eSpolu->clear();
  };
  dlg.FormCreate(body, QSize(753, 545));
  dlg.ClearFields();
}

TfrmERSPridaj::~TfrmERSPridaj() = default;

QWidget* TfrmERSPridaj::BuildCar(QWidget& parent) {
  auto* car = new QGroupBox(QStringLiteral(" Vozidlo: "), &parent);
  car->setObjectName(QStringLiteral("gbxVozidlo"));
  auto* carLayout = new QVBoxLayout(car);
  TGuardRows carRows(*car);
  eDBSukromneVozidlo =
      carRows.Add<TIBCheckBox>(QStringLiteral("Súkromné vozidlo:"), QStringLiteral("eDBSukromneVozidlo"));
  eDBSPZ = carRows.Add<TIBEdit>(QStringLiteral("Evid. zn.:"), QStringLiteral("eDBSPZ"), 15);
  eDBTyp = carRows.Add<TIBEdit>(QStringLiteral("Typ:"), QStringLiteral("eDBTyp"), 15);
  const struct {
    TIBCurrencyEdit** edit;
    const char* label;
    const char* name;
    int maxLength;
    const char* unit;
  } money[] = {
      {&eDBSpotreba, "Spotreba:", "eDBSpotreba", 5, "lit./100km"},
      {&eDBNahrada, "Náhrada:", "eDBNahrada", 5, "Sk/km"},
      {&eDBKM, "Najazdené:", "eDBKM", 14, "km"},
      {&eDBCenaPaliva, "Cena PHM:", "eDBCenaPaliva", 14, "Sk/lit."},
      {&eSpolu, "Spolu k úhrade:", "eSpolu", 14, "Sk"},
  };
  for (const auto& m : money) {
    *m.edit = carRows.Add<TIBCurrencyEdit>(QString::fromUtf8(m.label), QString::fromLatin1(m.name));
    SetupMoney(**m.edit, m.maxLength);
    carRows.Note(QString::fromUtf8(m.unit));
  }
  eSpolu->SetReadOnly(true);
  eSpolu->setFocusPolicy(Qt::NoFocus);
  for (TIBCurrencyEdit* input : {eDBSpotreba, eDBNahrada, eDBKM, eDBCenaPaliva})
    connect(input, &QLineEdit::textChanged, this, &TfrmERSPridaj::PrepocitajSpolu);
  eDBUhradene =
      carRows.Add<TIBCheckBox>(QStringLiteral("Použitie súkromného\nvozidla uhradené:"), QStringLiteral("eDBUhradene"));
  carLayout->addWidget(carRows.Widget());
  return car;
}

void TfrmERSPridaj::FormShow() {
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
  // Without its row a new inspection can keep neither itself nor its children.
  if (dlg.Mode() == TDialogMode::Add && Jedin == 0) {
    QMetaObject::invokeMethod(
        this, [this] { SetModalResult(mrCancel); }, Qt::QueuedConnection);
    return;
  }
  btnRefresh2Click();
  btnRefresh3Click();
}

void TfrmERSPridaj::PrepocitajSpolu() {
  const long double km = eDBKM->Value();
  const long double sum = (long double)(eDBSpotreba->Value()) * (km / 100) * eDBCenaPaliva->Value() +
                          (long double)(eDBNahrada->Value()) * km;
  eSpolu->SetValue(double(sum));
}

bool TfrmERSPridaj::ConfirmGuardRemoval() {
  const QList<int> doomed = guards_->Doomed();
  QSet<int> removedGuards, keptGuards, inspectors;
  TIBQuery q;
  q.SetDatabase(MainDatabase());
  q.SetTransaction(dlg.ibt1);
  const bool read = RunUnitOfWork(
                        *dlg.ibt1,
                        [&] {
                          for (const TInspectionGuard& guard : InspectionGuards(q, Jedin))
                            (doomed.contains(guard.Row) ? removedGuards : keptGuards).insert(guard.Guard);
                          inspectors = InspectionInspectors(q, Jedin);
                        },
                        TWorkEnd::KeepOpen)
                        .Done;
  if (!read) return false;
  removedGuards.subtract(keptGuards);
  if (!removedGuards.intersects(inspectors)) return true;
  return MessageDlg(QStringLiteral("Člen rybárskej stráže, ktorého odstraňujete, je kontrolórom niektorej "
                                   "kontrolovanej osoby tejto kontroly. Po odstránení ostane kontrolór pri tejto "
                                   "osobe prázdny a pred ďalším uložením ho bude treba zadať znova.\r\n"
                                   "Odstrániť ho napriek tomu?"),
                    TMsgDlgType::Warning, mbYes | mbNo, mrNo) == mrYes;
}

void TfrmERSPridaj::btnPridaj2Click() { guards_->Add(); }
void TfrmERSPridaj::btnOprav2Click() { guards_->Edit(); }
void TfrmERSPridaj::btnVymaz2Click() { guards_->Delete(); }
void TfrmERSPridaj::btnRefresh2Click() { gr2->DisplayGrid(); }
void TfrmERSPridaj::btnPridaj3Click() { persons_->Add(); }
void TfrmERSPridaj::btnOprav3Click() { persons_->Edit(); }
void TfrmERSPridaj::btnVymaz3Click() { persons_->Delete(); }
void TfrmERSPridaj::btnRefresh3Click() { gr3->DisplayGrid(); }
