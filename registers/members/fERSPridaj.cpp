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
#include "registers/common/ListPattern.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fERSKontroloriPridaj.h"
#include "registers/members/fERSKontrolovaniPridaj.h"
#include <QtCore/QScopedValueRollback>
#include <QtCore/QSet>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>

namespace {
constexpr Qt::KeyboardModifiers kHeldModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

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

// One child list of the inspection: its tool bar, grid and query, the add,
// edit and delete runs with its own small dialog, and its keys.
class TfrmERSPridaj::TChildList {
public:
  TChildList(TfrmERSPridaj& form, QString table, QStringList select, std::function<std::unique_ptr<TForm>()> create,
             std::function<void(TForm&, int)> setKontrola)
      : form_(form), table_(std::move(table)), select_(std::move(select)), create_(std::move(create)),
        setKontrola_(std::move(setKontrola)) {}

  TToolButton *add = nullptr, *edit = nullptr, *del = nullptr, *refresh = nullptr;
  TDbGridQPL* grid = nullptr;
  TIBQuery* query = nullptr;
  // Asked before a delete; false keeps the rows.
  std::function<bool()> BeforeDelete;

  void Refresh() {
    const int kept = query->Active() && !query->IsEmpty() ? query->FieldByName(QStringLiteral("JEDIN")).AsInteger() : 0;
    RunUnitOfWork(
        *form_.dlg.ibt1,
        [&] {
          QStringList lines = select_;
          lines.append(QStringLiteral("order by"));
          QString order;
          if (grid->ActiveTitleIndex() != 0) grid->GetOrderBy(QString(), order);
          lines.append(order.isEmpty() ? QStringLiteral("a.jedin") : order);
          query->SetSQL(lines.join(QLatin1Char('\n')));
          query->ParamByName(QStringLiteral("JEDIN")).SetValue(form_.Jedin);
          TraceQuerySQL(*query, query->SQL());
          query->Open();
          if (kept != 0) query->Locate(QStringLiteral("jedin"), kept);
        },
        TWorkEnd::KeepOpen);
  }

  void Add() {
    // Children need their inspection's key.
    if (form_.Jedin == 0 || form_.childBusy_) return;
    QScopedValueRollback<bool> running(form_.childBusy_, true);
    std::unique_ptr<TForm> dialog = create_();
    TDialogPattern* pattern = TDialogPattern::Of(dialog.get());
    pattern->Rok = form_.dlg.Rok;
    const int result = RunAddPasses(*dialog, [&] { setKontrola_(*dialog, form_.Jedin); });
    grid->DisplayGrid();
    if (result == mrOk) query->Locate(QStringLiteral("jedin"), pattern->Jedin());
  }

  void Edit() {
    if (!query->Active() || query->IsEmpty() || form_.childBusy_) return;
    QScopedValueRollback<bool> running(form_.childBusy_, true);
    std::unique_ptr<TForm> dialog = create_();
    TDialogPattern::Of(dialog.get())->Rok = form_.dlg.Rok;
    RunEditPasses(*dialog, *query, [&] { setKontrola_(*dialog, form_.Jedin); });
    grid->DisplayGrid();
  }

  void Delete() {
    if (!query->Active() || query->IsEmpty()) return;
    if (BeforeDelete && !BeforeDelete()) return;
    DeleteMarkedRecords(*grid, table_);
  }

  // The keys a delete would take: the marked rows, else the current one.
  QList<int> Doomed() const {
    QList<int> keys = MarkedKeysInList(*grid);
    if (keys.isEmpty() && query->Active() && !query->IsEmpty())
      keys.append(query->FieldByName(QStringLiteral("JEDIN")).AsInteger());
    return keys;
  }

  void KeyDown(int& key, Qt::KeyboardModifiers modifiers) {
    if (key == 0 || (modifiers & kHeldModifiers)) return;
    const int pressed = key;
    key = 0;
    switch (pressed) {
    case Qt::Key_Delete:
    case Qt::Key_F8:
      if (del->isEnabled()) Delete();
      return;
    case Qt::Key_O:
    case Qt::Key_F4:
      if (edit->isEnabled()) Edit();
      return;
    case Qt::Key_P:
    case Qt::Key_F2:
      if (add->isEnabled()) Add();
      return;
    case Qt::Key_R:
      grid->DisplayGrid();
      return;
    default:
      key = pressed;
    }
  }

  // Entering the list while it is empty starts an add.
  void Entered() {
    // Asked again when it runs: focus may arrive twice (the window's activation).
    auto addIfEmpty = [this] {
      if (!form_.childBusy_ && query->Active() && query->IsEmpty() && add->isEnabled()) Add();
    };
    if (!form_.childBusy_ && query->Active() && query->IsEmpty())
      QMetaObject::invokeMethod(grid, addIfEmpty, Qt::QueuedConnection);
  }

private:
  TfrmERSPridaj& form_;
  QString table_;
  QStringList select_;
  std::function<std::unique_ptr<TForm>()> create_;
  std::function<void(TForm&, int)> setKontrola_;
};

TfrmERSPridaj::TfrmERSPridaj(QWidget* owner) : TDialogForm(owner) {
  guards_ = std::make_unique<TChildList>(
      *this, QStringLiteral("e_rs_kontrolori"),
      QStringList{QStringLiteral("SELECT A.JEDIN,B.CISLO_ODZNAKU,B.CISLO_OSVEDCENIA,C.NAZOV_UPLNY"),
                  QStringLiteral("FROM E_RS_KONTROLORI A"),
                  QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
                  QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"), QStringLiteral("WHERE A.E_RS=:JEDIN")},
      [] { return std::make_unique<TfrmERSKontroloriPridaj>(); },
      [](TForm& dialog, int kontrola) { dynamic_cast<TfrmERSKontroloriPridaj&>(dialog).Kontrola = kontrola; });
  persons_ = std::make_unique<TChildList>(
      *this, QStringLiteral("e_rs_kontrolovani"),
      QStringList{QStringLiteral("SELECT A.JEDIN,A.NAZOV_UPLNY AS KONTROLOVANY,"),
                  QStringLiteral("A.PRIESTUPOK,C.NAZOV_UPLNY AS KONTROLOR,D.NAZOV AS REVIR"),
                  QStringLiteral("FROM E_RS_KONTROLOVANI A"),
                  QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
                  QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"),
                  QStringLiteral("LEFT JOIN C_REVIRY_JUX D ON D.JEDIN=A.C_REVIRY_JUX"),
                  QStringLiteral("WHERE A.E_RS=:JEDIN")},
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

  column->addWidget(BuildChild(QStringLiteral(" Členovia rybárskej stráže, ktorý sa zúčastnili kontroly: "),
                               QStringLiteral("tb1"), *guards_, QStringLiteral("2")),
                    1);
  column->addWidget(
      BuildChild(QStringLiteral(" Kontrolované osoby: "), QStringLiteral("ToolBar1"), *persons_, QStringLiteral("3")),
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
  focusWatch_ =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
  dlg.ClearFields();
}

TfrmERSPridaj::~TfrmERSPridaj() {
  // The child lists go before the base class's widgets, and the focus moves
  // while those are destroyed: no focus change may reach this form then.
  disconnect(focusWatch_);
}

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

QWidget* TfrmERSPridaj::BuildChild(const QString& caption, const QString& barName, TChildList& list,
                                   const QString& suffix) {
  auto* box = new QGroupBox(caption, this);
  box->setObjectName(suffix == QLatin1String("2") ? QStringLiteral("gbxKontrolori")
                                                  : QStringLiteral("gbxKontrolovani"));
  auto* layout = new QVBoxLayout(box);
  auto* bar = new TToolBar(box);
  bar->setObjectName(barName);
  bar->setIconSize(QSize(16, 16));
  bar->SetImages(ImageList16());
  list.add = bar->AddButton(QStringLiteral("btnPridaj") + suffix, 5);
  list.edit = bar->AddButton(QStringLiteral("btnOprav") + suffix, 6);
  list.del = bar->AddButton(QStringLiteral("btnVymaz") + suffix, 7);
  bar->addSeparator();
  list.refresh = bar->AddButton(QStringLiteral("btnRefresh") + suffix, 4);
  bar->setMaximumHeight(28);
  layout->addWidget(bar);
  list.grid = new TDbGridQPL(box);
  list.grid->setObjectName(QStringLiteral("gr") + suffix);
  list.query = new TIBQuery(this);
  list.query->setObjectName(QStringLiteral("ib") + suffix);
  list.query->SetDatabase(MainDatabase());
  list.query->SetTransaction(dlg.ibt1);
  TDbGridQPL* grid = list.grid;
  grid->SetKeyField(QStringLiteral("jedin"));
  grid->SetKeyFieldType(TGridKeyFieldType::sktInteger);
  grid->SetCheckEnabled(true);
  grid->SetClickTitleEnabled(true);
  grid->SetReadOnly(true);
  grid->SetOptions(grid->Options() | dgRowSelect);
  grid->SetDataSet(list.query);
  // The grid takes the room the dialog leaves it; its own wish would make
  // the dialog taller than the screen.
  grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  layout->addWidget(grid, 1);
  TChildList* child = &list;
  connect(list.add, &QToolButton::clicked, this, [child] { child->Add(); });
  connect(list.edit, &QToolButton::clicked, this, [child] { child->Edit(); });
  connect(list.del, &QToolButton::clicked, this, [child] { child->Delete(); });
  connect(list.refresh, &QToolButton::clicked, this, [grid] { grid->DisplayGrid(); });
  connect(grid, &TDbGridQPL::OnDisplayGrid, this, [child] { child->Refresh(); });
  connect(grid, &TDbGridQPL::OnKeyDown, this, [child](int& key, Qt::KeyboardModifiers m) { child->KeyDown(key, m); });
  connect(grid, &TDbGridBase::OnClickEnter, this, [child] { child->Edit(); });
  connect(grid, &QAbstractItemView::doubleClicked, this, [child] { child->Edit(); });
  return box;
}

void TfrmERSPridaj::FocusChanged(QWidget* old, QWidget* now) {
  // Only while this dialog is in front; its child dialogs coming and going move the focus too.
  if (!now || now->window() != this || QApplication::activeModalWidget() != this) return;
  if (now == gr2 || gr2->isAncestorOf(now))
    guards_->Entered();
  else if (now == gr3 || gr3->isAncestorOf(now))
    persons_->Entered();
}

void TfrmERSPridaj::FormShow() {
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
  // Without its row a new inspection can keep neither itself nor its children.
  if (Tag() == 1 && Jedin == 0) {
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
  const bool read =
      RunUnitOfWork(
          *dlg.ibt1,
          [&] {
            q.SetSQL(QStringLiteral("select jedin,c_clenov_rs from e_rs_kontrolori where e_rs=:E_RS"));
            q.ParamByName(QStringLiteral("E_RS")).SetValue(Jedin);
            q.Open();
            for (q.First(); !q.Eof(); q.Next())
              (doomed.contains(q.FieldByNumber(0).AsInteger()) ? removedGuards : keptGuards)
                  .insert(q.FieldByNumber(1).AsInteger());
            q.Close();
            q.SetSQL(QStringLiteral("select distinct c_clenov_rs from e_rs_kontrolovani where e_rs=:E_RS"));
            q.ParamByName(QStringLiteral("E_RS")).SetValue(Jedin);
            q.Open();
            for (q.First(); !q.Eof(); q.Next())
              inspectors.insert(q.FieldByNumber(0).AsInteger());
            q.Close();
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
