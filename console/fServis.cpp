#include "console/fServis.h"
#include "app/AppContext.h"
#include "app/AppData.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "app/fZalohovanie.h"
#include "console/CatalogueQueries.h"
#include "console/fServisParts.h"
#include "controls/IBCheckBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "controls/fWaitPlease.h"
#include "db/ConnectionString.h"
#include "db/IBDatabase.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBError.h"
#include "db/IBQuery.h"
#include "db/IBServices.h"
#include "db/IBTransaction.h"
#include "db/ServerSql.h"
#include <QtCore/QDateTime>
#include <QtCore/QPointer>
#include <QtCore/QScopeGuard>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

const QString pageIndexValue = QStringLiteral("pc1.ActivePageIndex");
const QString doneMessage = QStringLiteral("OK, funkcia úspešne vykonaná.");
const QString exclusiveGenerators = QStringLiteral(
    "Kontrolu hodnôt generátorov je možné vykonávať len exkluzívnom prístupe k databáze. Ukončite všetky "
    "ostatné programy a spustite kontrolu znova.");
const QString exclusivePurge =
    QStringLiteral("Vymazanie dočasných tabuliek je možné vykonávať len exkluzívnom prístupe k databáze. Ukončite "
                   "všetky ostatné programy a spustite kontrolu znova.");
// The Slovak short date and long time formats.
const QString shortDateFormat = QStringLiteral("d.M.yyyy");
const QString longTimeFormat = QStringLiteral("H:mm:ss");

enum TPage { pgTasks, pgSqlEditor, pgStatistics, pgInformation, pgSettings };

TIBMemo* OutputMemo(QWidget* parent, const QString& name) {
  auto* memo = new TIBMemo(parent);
  memo->setObjectName(name);
  memo->SetReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  memo->setPalette(palette);
  return memo;
}

TQPLBtn* Button(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = new TQPLBtn(caption, parent);
  button->setObjectName(name);
  // Wide enough for its caption in the button's bold font.
  button->setMinimumWidth(qMax(button->sizeHint().width(), button->fontMetrics().horizontalAdvance(caption) + 20));
  return button;
}

TIBCurrencyEdit* NumberEdit(QWidget* parent, const QString& name, const QString& hint) {
  auto* edit = new TIBCurrencyEdit(parent);
  edit->setObjectName(name);
  edit->SetDecimals(0);
  edit->SetMaxLength(14);
  edit->SetAllowZero(true);
  edit->SetAllowNegative(false);
  edit->setAlignment(Qt::AlignRight);
  QFont font(QStringLiteral("Courier"));
  font.setPixelSize(13);
  edit->setFont(font);
  edit->setToolTip(hint);
  return edit;
}

// The form disabled while a service works; enabled again afterwards with the
// focus back where it was, so the keyboard goes on working.
class TFormDisabled {
public:
  explicit TFormDisabled(QWidget* form) : form_(form), focus_(QApplication::focusWidget()) { form_->setEnabled(false); }
  ~TFormDisabled() {
    form_->setEnabled(true);
    if (focus_) focus_->setFocus();
  }

private:
  QWidget* form_;
  QPointer<QWidget> focus_;
};

} // namespace

TProtocolGroup::TProtocolGroup(QWidget* parent) : QGroupBox(QStringLiteral(" Používaný sieťový protokol: "), parent) {
  rbLocal = new QRadioButton(QStringLiteral("Local connection"), this);
  rbTcp = new QRadioButton(QStringLiteral("TCP/IP connection"), this);
  rbLocal->setChecked(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(rbLocal);
  layout->addWidget(rbTcp);
}

bool TProtocolGroup::LocalConnection() const { return rbLocal->isChecked(); }

void TProtocolGroup::SetLocalConnection(bool local) { (local ? rbLocal : rbTcp)->setChecked(true); }

TfrmServis::TfrmServis(QWidget* owner, TIBDatabase* database)
    : TForm(owner), database_(database ? database : MainDatabase()) {
  setObjectName(QStringLiteral("frmServis"));
  SetCaption(QStringLiteral("Servisné činnosti programu"));
  SetKeyPreview(true);
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
  ibt1 = new TIBTransaction(database_, TIBTransactionKind::Snapshot, this);
  ibt1->SetParams({QStringLiteral("concurrency"), QStringLiteral("nowait")});
  ib1 = new TIBQuery(this);
  ib1->SetDatabase(database_);
  ib1->SetTransaction(ibt1);
  Reconnect = [this] { ReopenConnection(*database_); };
  CreatePages();
  // The settings page's five groups need this much with Qt's controls.
  resize(480, 600);
  FormCreate();
}

TfrmServis::~TfrmServis() { FormDestroy(); }

void TfrmServis::CreatePages() {
  pc1 = new QTabWidget(this);
  pc1->setObjectName(QStringLiteral("pc1"));
  pc1->setFocusPolicy(Qt::NoFocus);
  // Qt's tabs take one line; the ones beyond the window's width are reached
  // by the tab bar's arrows or Ctrl+Tab.
  pc1->tabBar()->setExpanding(false);
  pc1->setUsesScrollButtons(true);
  ts1 = CreateTasksPage();
  ts2 = CreateSqlConsolePage();
  ts3 = CreateStatisticsPage();
  ts4 = new QWidget;
  ts4->setObjectName(QStringLiteral("ts4"));
  e41 = OutputMemo(ts4, QStringLiteral("e41"));
  (new QVBoxLayout(ts4))->addWidget(e41);
  ts5 = CreateSettingsPage();
  pc1->addTab(ts1, QStringLiteral("Činnosti"));
  pc1->addTab(ts2, QStringLiteral("SQL editor"));
  pc1->addTab(ts3, QStringLiteral("Štatistické informácie"));
  pc1->addTab(ts4, QStringLiteral("Informácie o databáze"));
  pc1->addTab(ts5, QStringLiteral("Nastavenia a údržba databázy"));
  (new QVBoxLayout(this))->addWidget(pc1);
}

QWidget* TfrmServis::CreateTasksPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("ts1"));
  lb1 = OutputMemo(page, QStringLiteral("lb1"));
  auto* group = new QGroupBox(QStringLiteral(" Nastavenia servisných činností: "), page);
  e1 = CheckBox(group, QStringLiteral("e1"), QStringLiteral("Kontrola hodnôt generátov:"));
  e2 = CheckBox(group, QStringLiteral("e2"), QStringLiteral("Prepočítanie selektivity indexov:"));
  e3 = CheckBox(group, QStringLiteral("e3"), QStringLiteral("Vypísanie počtu záznamov v tabuľkách:"));
  e4 = CheckBox(group, QStringLiteral("e4"), QStringLiteral("Vymazanie dočasných tabuliek:"));
  btnGo = Button(group, QStringLiteral("btnGo"), QStringLiteral("Vykonaj"));
  auto* groupLayout = new QVBoxLayout(group);
  for (TIBCheckBox* box : {e1, e2, e3, e4})
    groupLayout->addWidget(box);
  groupLayout->addWidget(btnGo, 0, Qt::AlignRight);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(lb1, 1);
  layout->addWidget(group);
  connect(btnGo, &QPushButton::clicked, this, &TfrmServis::btnGoClick);
  return page;
}

QWidget* TfrmServis::CreateStatisticsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("ts3"));
  e31 = OutputMemo(page, QStringLiteral("e31"));
  rgProtokol = new TProtocolGroup(page);
  rgProtokol->setObjectName(QStringLiteral("rgProtokol"));
  btnStatistika = Button(page, QStringLiteral("btnStatistika"), QStringLiteral("Vypísanie štatistických informácií"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(e31, 1);
  layout->addWidget(rgProtokol);
  layout->addWidget(btnStatistika, 0, Qt::AlignRight);
  connect(btnStatistika, &QPushButton::clicked, this, &TfrmServis::btnStatistikaClick);
  return page;
}

QWidget* TfrmServis::CreateSettingsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("ts5"));
  rgProtokol2 = new TProtocolGroup(page);
  rgProtokol2->setObjectName(QStringLiteral("rgProtokol2"));

  auto* writeMode = new QGroupBox(QStringLiteral(" Režim zápisu do databázy: "), page);
  rbWriteAsync = new QRadioButton(QStringLiteral("Asynchrónny režim zápisu"), writeMode);
  rbWriteAsync->setObjectName(QStringLiteral("rbWriteAsync"));
  rbWriteAsync->setChecked(true);
  rbWriteSync = new QRadioButton(QStringLiteral("Synchrónny režim zápisu"), writeMode);
  rbWriteSync->setObjectName(QStringLiteral("rbWriteSync"));
  btnWriteMode = Button(writeMode, QStringLiteral("btnWriteMode"), QStringLiteral("Nastav"));
  auto* writeLayout = new QGridLayout(writeMode);
  writeLayout->addWidget(rbWriteAsync, 0, 0);
  writeLayout->addWidget(rbWriteSync, 1, 0);
  writeLayout->addWidget(btnWriteMode, 0, 1, 2, 1, Qt::AlignVCenter);
  writeLayout->setColumnStretch(0, 1);

  // A group of one number edit with its label and its button.
  auto numberGroup = [page](const QString& caption, const QString& label, TIBCurrencyEdit* edit, TQPLBtn* button) {
    auto* group = new QGroupBox(caption, page);
    edit->setParent(group);
    button->setParent(group);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(new QLabel(label, group));
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    return group;
  };
  eSweepInterval = NumberEdit(
      page, QStringLiteral("eSweepInterval"),
      QStringLiteral("Čistenie nepotrebných riadkov sa vykonáva priebežne pre dotazovaný riadkov, ale úplné vyčistenie "
                     "databázy sa vykonáva len po funkcii SWEEP, ktorá sa automaticky spúšta po intervale transakcií, "
                     "ktorá sa nastaví pre databázu. Pokiaľ nastavíte SWEEP interval na nulu, funkcia sa automaticky "
                     "nespustí."));
  btnSweepInterval = Button(page, QStringLiteral("btnSweepInterval"), QStringLiteral("Nastav"));
  eBuffers = NumberEdit(page, QStringLiteral("eBuffers"),
                        QStringLiteral("Počet stránok databázy, ktoré si server ukladá do svojej vyrovnávacej pamäte. "
                                       "Pri architektúry SuperServer je východzia hodnota 2048 a pri Classic je 75 "
                                       "stránok na databázu/server"));
  QPLBtn2 = Button(page, QStringLiteral("QPLBtn2"), QStringLiteral("Nastav"));
  QGroupBox* sweep = numberGroup(QStringLiteral(" Interval čistenia (sweep) databázy: "), QStringLiteral("Interval:"),
                                 eSweepInterval, btnSweepInterval);
  QGroupBox* buffers = numberGroup(QStringLiteral(" Veľkosť vyrovnávacej pamäte: "), QStringLiteral("Počet stránok:"),
                                   eBuffers, QPLBtn2);

  auto* maintenance = new QGroupBox(QStringLiteral(" Údržba databázy: "), page);
  e51 = CheckBox(maintenance, QStringLiteral("e51"), QStringLiteral("Ignoruj chyby kontrolných súčtov:"));
  e52 = CheckBox(maintenance, QStringLiteral("e52"), QStringLiteral("Odstráň všetky nedostupné tieňové databázy:"));
  e53 = CheckBox(maintenance, QStringLiteral("e53"), QStringLiteral("Priprav poškodenú databázu na zálohovanie:"));
  e54 = CheckBox(maintenance, QStringLiteral("e54"), QStringLiteral("Vykonaj čistenie (sweep) databázy:"));
  e55 = CheckBox(maintenance, QStringLiteral("e55"), QStringLiteral("Oprav databázu:"));
  btnValidate = Button(maintenance, QStringLiteral("btnValidate"), QStringLiteral("Vykonaj údržbu databázy"));
  auto* maintenanceLayout = new QVBoxLayout(maintenance);
  for (TIBCheckBox* box : {e51, e52, e53, e54, e55})
    maintenanceLayout->addWidget(box);
  maintenanceLayout->addWidget(btnValidate, 0, Qt::AlignRight);

  auto* layout = new QVBoxLayout(page);
  for (QWidget* group : std::initializer_list<QWidget*>{rgProtokol2, writeMode, sweep, buffers, maintenance})
    layout->addWidget(group);
  layout->addStretch();
  connect(btnWriteMode, &QPushButton::clicked, this, &TfrmServis::btnWriteModeClick);
  connect(btnSweepInterval, &QPushButton::clicked, this, &TfrmServis::btnSweepIntervalClick);
  connect(QPLBtn2, &QPushButton::clicked, this, &TfrmServis::QPLBtn2Click);
  connect(btnValidate, &QPushButton::clicked, this, &TfrmServis::btnValidateClick);
  return page;
}

void TfrmServis::FormCreate() {
  lb1->clear();
  e31->clear();
  e41->clear();
  const int page = fp->ReadInteger(pageIndexValue, pgTasks);
  pc1->setCurrentIndex(page >= 0 && page < pc1->count() ? page : pgTasks);
  pc1Change();
  connect(pc1, &QTabWidget::currentChanged, this, &TfrmServis::pc1Change);
  RestoreSqlCommand();
  // The services go where the connection goes: a server at the host and
  // port of the connection string, or the engine of this process.
  const bool local = !TIBDatabase::IsRemoteName(database_->DatabaseName());
  rgProtokol->SetLocalConnection(local);
  rgProtokol2->SetLocalConnection(local);
  setMinimumSize(size());
}

void TfrmServis::FormDestroy() {
  fp->WriteInteger(pageIndexValue, pc1->currentIndex());
  StoreSqlCommand();
}

void TfrmServis::FormCloseQuery(bool& canClose) { canClose = btnGo->isEnabled(); }

bool TfrmServis::FormKeyDown(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  SetModalResult(mrCancel);
  return true;
}

// ---------------------------------------------------------------- maintenance tasks

void TfrmServis::AddText(const QString& text) {
  lb1->appendPlainText(text);
  // The newest line stays in view.
  lb1->moveCursor(QTextCursor::End);
  lb1->ensureCursorVisible();
  QApplication::processEvents();
}

void TfrmServis::BeginTask(const QString& title) {
  if (!lb1->document()->isEmpty()) AddText(QString());
  AddText(title);
}

void TfrmServis::SetOtherActionsEnabled(bool on) {
  for (QWidget* widget : std::initializer_list<QWidget*>{ts2, btnStatistika, ts5})
    widget->setEnabled(on);
}

int TfrmServis::AttachedUsers() const { return int(TIBDatabaseInfo(*database_).UserNames().size()); }

bool TfrmServis::Guarded(const std::function<void()>& work) { return bool(RunUnitOfWork(*ibt1, work)); }

void TfrmServis::RunExclusiveTask(void (TfrmServis::*task)(), const QString& warning) {
  if (AttachedUsers() < 2)
    (this->*task)();
  else
    GrayMessageDlg(warning, TMsgDlgType::Warning, mbOK, 0, mrOk);
}

void TfrmServis::btnGoClick() {
  btnGo->setEnabled(false);
  // The log repaints during the run; nothing else may use the form's query meanwhile.
  SetOtherActionsEnabled(false);
  const auto enable = qScopeGuard([this] {
    SetOtherActionsEnabled(true);
    btnGo->setEnabled(true);
  });
  if (e1->isChecked()) RunExclusiveTask(&TfrmServis::Kontrola_Generatorov, exclusiveGenerators);
  if (e2->isChecked()) Set_Statistics();
  if (e3->isChecked()) Pocet_Zaznamov();
  if (e4->isChecked()) RunExclusiveTask(&TfrmServis::Vymazanie_Docasnych_Tabuliek, exclusivePurge);
}

void TfrmServis::Kontrola_Generatorov() {
  BeginTask(QStringLiteral("Kontrola generátorov..."));
  QStringList generators;
  Guarded([&] { generators = KeyGeneratorNames(*ib1); });
  for (const QString& generator : generators) {
    // The table is the generator's name less its final "_ID"; a name with
    // "_ID" elsewhere names no table, and its statement fails.
    const QString table = generator.endsWith(QLatin1String("_ID")) ? generator.chopped(3) : QString();
    Generator_Set(generator, table);
  }
  AddText(QStringLiteral("Kontrola generátorov úspešne dokončená"));
}

void TfrmServis::Generator_Set(const QString& generator, const QString& table) {
  AddText(QStringLiteral("Aktualizujem hodnotu generátora ") + generator + QLatin1Char('.'));
  try {
    TUnitOfWork unit(*ibt1);
    ib1->SetSQL(ServerSql::SetGenerator(generator, HighestKey(*ib1, table)));
    ib1->ExecSQL();
    unit.Commit();
  } catch (const std::exception& error) {
    // Not the error handler's: a generator without its table is a fault of
    // the schema, shown as it stands, and it ends the run.
    MessageDlg(QString::fromUtf8(error.what()), TMsgDlgType::Error, mbOK);
    throw;
  }
}

void TfrmServis::Set_Statistics() {
  BeginTask(QStringLiteral("Prepočítanie indexu selektivity..."));
  QStringList indexes;
  // Every index, the system's and the user's.
  Guarded([&] { indexes = IndexNames(*ib1); });
  Guarded([&] {
    for (const QString& index : indexes) {
      AddText(QStringLiteral("Nastavujem selectivitu indexu ") + index);
      RecomputeIndexStatistics(*ib1, index);
    }
  });
  AddText(QStringLiteral("Prepočet indexu selektivity úspešne dokončený."));
}

void TfrmServis::Pocet_Zaznamov() {
  BeginTask(QStringLiteral("Vypísanie počtu záznamov v tabuľkách..."));
  QStringList tables;
  Guarded([&] { tables = UserTableNames(*ib1); });
  Guarded([&] {
    for (const QString& table : tables) {
      AddText(QStringLiteral("Tabuľka \"%1\" obsahuje %2 záznamov.").arg(table).arg(RowCount(*ib1, table)));
    }
  });
  AddText(QStringLiteral("Vypísanie počtu záznamov v tabuľkách úspešne dokončené."));
}

void TfrmServis::Vymazanie_Docasnych_Tabuliek() {
  BeginTask(QStringLiteral("Vymazanie dočasných tabuliek..."));
  const bool purged = Guarded([&] {
    AddText(QStringLiteral("Vymazávam dočasnú tabuľku TEMP_SPRACUJ."));
    AppData::PurgeSelectionSets(*ib1);
  });
  if (purged) AddText(QStringLiteral("Vymazanie dočasných tabuliek úspešne dokončené."));
}

// ---------------------------------------------------------------- pages

void TfrmServis::pc1Change() {
  // The result grid shows the form's query only while the console is shown.
  BindResultGrid(false);
  switch (pc1->currentIndex()) {
  case pgSqlEditor:
    e24Click();
    BindResultGrid(true);
    break;
  case pgInformation:
    if (!e41->document()->isEmpty()) e41->appendPlainText(QString(69, QLatin1Char('-')));
    for (const QString& line : InformationBlock())
      e41->appendPlainText(line);
    break;
  case pgSettings: {
    const TIBDatabaseInfo info(*database_);
    (info.ForcedWrites() ? rbWriteSync : rbWriteAsync)->setChecked(true);
    eSweepInterval->SetValue(info.SweepInterval());
    eBuffers->SetValue(info.NumBuffers());
    break;
  }
  default:
    break;
  }
}

QStringList TfrmServis::InformationBlock() const {
  const TIBDatabaseInfo info(*database_);
  const QDateTime now = QDateTime::currentDateTime();
  auto number = [](qint64 value) { return QString::number(value); };
  QStringList lines{
      QStringLiteral("Výpis stavových informácií z ") + now.toString(shortDateFormat) + QStringLiteral(" o ") +
          now.toString(longTimeFormat),
      QStringLiteral("   Server využíva ") + number(info.CurrentMemory()) + QStringLiteral(" B pamäte"),
      QStringLiteral("   MaxMemory ") + number(info.MaxMemory()) + QStringLiteral(" B"),
      QStringLiteral("   Názov databázového súboru: ") + info.DbFileName(),
      QStringLiteral("   Názov serveru: ") + info.DbSiteName(),
      QStringLiteral("   Verzia databázy: ") + number(info.BaseLevel()),
      QStringLiteral("   Dialect databázy: ") + number(info.DbSqlDialect()),
      QStringLiteral("   Allocation in pages: ") + number(info.Allocation()),
      QStringLiteral("   Forced writes: ") + number(info.ForcedWrites() ? 1 : 0),
      QStringLiteral("   Page Size: ") + number(info.PageSize()),
      QStringLiteral("   Number of memory buffers currently allocated: ") + number(info.NumBuffers()),
      // Page size times pages in 64 bits: files of 2 GB and more show their true size.
      QStringLiteral("   Veľkosť databázy: ") + number(info.DatabaseSize()) + QStringLiteral(" bytes"),
      QStringLiteral("   Reads: ") + number(info.Reads()),
      QStringLiteral("   Writes: ") + number(info.Writes()),
      QStringLiteral("   Sweep Interval: ") + number(info.SweepInterval()),
      QStringLiteral("   Verzia ODS: ") + number(info.OdsVersion()) + QLatin1Char('.') + number(info.OdsMinorVersion()),
      QStringLiteral("   Version: ") + info.Version(),
      info.ReadOnly() ? QStringLiteral("   ReadOnly: True") : QStringLiteral("   ReadOnly: False"),
      info.NoReserve() ? QStringLiteral("   NoReserve: 1 (no space is reserved)")
                       : QStringLiteral("   NoReserve: 0 (space is reserved)"),
      QString(),
  };
  const QStringList users = info.UserNames();
  lines << QStringLiteral("   Počet pripojených užívateľov: ") + number(users.size());
  for (int i = 0; i < users.size(); ++i)
    lines << QStringLiteral("   %1. pripojený užívateľ: %2").arg(i + 1).arg(users[i]);
  lines << QString() << QStringLiteral("   Database implementation: ") + number(info.Implementation())
        << QStringLiteral("   Database implementation class number: ") + number(info.ImplementationClass()) << QString()
        << QStringLiteral("   Number of writes to the memory buffer cache: ") + number(info.Marks())
        << QStringLiteral("   Number of reads from the memory buffer cache: ") + number(info.Fetches());
  return lines;
}

// ---------------------------------------------------------------- server services

QString TfrmServis::ServiceServer(bool localConnection, const QString& connectionName) {
  const TConnectionString connection = TConnectionString::Parse(connectionName);
  return localConnection ? connection.ServerAt(QStringLiteral("localhost")) : connection.Server();
}

TIBServices TfrmServis::Services(const TProtocolGroup* protocol, QString& database) const {
  const TIBDatabaseInfo info(*database_);
  database = info.DbFileName();
  TIBServices services;
  services.SetServerName(ServiceServer(protocol->LocalConnection(), database_->DatabaseName()));
  services.SetUserName(database_->UserName());
  services.SetPassword(database_->Password());
  return services;
}

bool TfrmServis::RunWithConnectionClosed(const std::function<void()>& service) {
  const int others = AttachedUsers() - 1;
  if (others > 0) {
    RedMessageDlg(QStringLiteral("Túto činnosť nie je možné vykonať, kým sú k databáze pripojení ďalší užívatelia "
                                 "(%1). Požiadajte ich o ukončenie programu.")
                      .arg(others),
                  TMsgDlgType::Error, mbOK, 0, mrOk);
    return false;
  }
  RollbackIfActive(*ibt1);
  database_->Close();
  std::exception_ptr failure;
  try {
    service();
  } catch (...) {
    failure = std::current_exception();
  }
  // The connection comes back whatever the service did; when both fail, the
  // service's error is the one to report.
  try {
    Reconnect();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
  return true;
}

const QString TfrmServis::NothingTickedMessage =
    QStringLiteral("Nie je zaškrtnutá žiadna činnosť údržby databázy. Zaškrtnite aspoň jednu z nich.");

bool TfrmServis::RunGuarded(const std::function<void()>& service) {
  try {
    service();
    return true;
  } catch (const std::exception& error) {
    AddText(QStringLiteral("Služba databázového servera skončila s chybou: ") +
            QString::fromUtf8(error.what()).trimmed());
    if (HandleDatabaseError(error) == 0)
      RedMessageDlg(QStringLiteral("Služba databázového servera skončila s chybou, činnosť nebola vykonaná:\n\n") +
                        QString::fromUtf8(error.what()).trimmed(),
                    TMsgDlgType::Error, mbOK, 0, mrOk);
    return false;
  }
}

void TfrmServis::btnStatistikaClick() {
  e31->clear();
  const TFormDisabled disabled(this);
  btnStatistika->setEnabled(false);
  ShowWaitForm();
  const auto restore = qScopeGuard([this] {
    HideWaitForm();
    btnStatistika->setEnabled(true);
  });
  const TSqlWaitCursor cursor;
  RunGuarded([this] {
    QString database;
    TIBServices services = Services(rgProtokol, database);
    services.SetLineHandler([this](const QString& line) { e31->appendPlainText(line); });
    services.Statistics(database, 0);
  });
}

void TfrmServis::SetProperty(const std::function<void(TIBServices&, const QString&)>& change, bool exclusive) {
  const TFormDisabled disabled(this);
  bool done = false;
  RunGuarded([&] {
    QString database;
    TIBServices services = Services(rgProtokol2, database);
    done =
        exclusive ? RunWithConnectionClosed([&] { change(services, database); }) : (change(services, database), true);
  });
  if (done) MessageDlg(doneMessage, TMsgDlgType::Information, mbOK);
}

void TfrmServis::btnWriteModeClick() {
  const bool synchronous = !rbWriteAsync->isChecked();
  SetProperty([&](TIBServices& services, const QString& database) { services.SetWriteMode(database, synchronous); },
              false);
}

void TfrmServis::btnSweepIntervalClick() {
  const int interval = int(eSweepInterval->Value());
  SetProperty([&](TIBServices& services, const QString& database) { services.SetSweepInterval(database, interval); },
              false);
}

void TfrmServis::QPLBtn2Click() {
  const int pages = int(eBuffers->Value());
  SetProperty([&](TIBServices& services, const QString& database) { services.SetPageBuffers(database, pages); }, false);
}

bool TfrmServis::ValidationFoundErrors(const QStringList& output) {
  for (const QString& line : output)
    if (!line.trimmed().isEmpty()) return true;
  return false;
}

void TfrmServis::btnValidateClick() {
  // The server answers a request without options only with an English error.
  if (!e51->isChecked() && !e52->isChecked() && !e53->isChecked() && !e54->isChecked() && !e55->isChecked()) {
    GrayMessageDlg(NothingTickedMessage, TMsgDlgType::Warning, mbOK, 0, mrOk);
    return;
  }
  const TFormDisabled disabled(this);
  btnValidate->setEnabled(false);
  ShowWaitForm();
  const auto restore = qScopeGuard([this] {
    HideWaitForm();
    btnValidate->setEnabled(true);
  });
  int options = 0;
  if (e51->isChecked()) options |= voIgnoreChecksum;
  if (e52->isChecked()) options |= voKillShadows;
  if (e53->isChecked()) options |= voMendDB;
  if (e54->isChecked()) options |= voSweepDB;
  // Validation that repairs what it finds: without the check-only option.
  if (e55->isChecked()) options |= voValidateDB | voValidateFull;
  QStringList output;
  bool ran = false;
  RunGuarded([&] {
    QString database;
    TIBServices services = Services(rgProtokol2, database);
    services.SetLineHandler([&](const QString& line) { output << line; });
    // The server ends a validation that found damage with its summary as the
    // service's error; it is the result of the run, not a failure of it.
    ran = RunWithConnectionClosed([&] {
      try {
        services.Validate(database, options);
      } catch (const EIBInterBaseError& error) {
        if (error.IBErrorCode() != IBErrorCodes::ValidationErrors) throw;
        output << error.Message();
      }
    });
  });
  if (!ran) return;
  HideWaitForm();
  if (ValidationFoundErrors(output))
    RedMessageDlg(QStringLiteral("Údržba databázy zistila chyby:\n\n") + output.join(QLatin1Char('\n')).trimmed(),
                  TMsgDlgType::Error, mbOK, 0, mrOk);
  else
    MessageDlg(doneMessage, TMsgDlgType::Information, mbOK);
}
