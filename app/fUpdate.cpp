#include "app/fUpdate.h"
#include "app/AppContext.h"
#include "app/AppData.h"
#include "app/ExceptionHandler.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/QPLBtn.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/base/ProgramVersion.h"
#include "schema/UpgradePackage.h"
#include "util/UxMemDS.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QScopeGuard>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

// A plain message box with the OK button.
void ShowMessage(const QString& text) { MessageDlg(text, TMsgDlgType::Information, mbOK, mrOk); }

} // namespace

TfrmUpdate::TfrmUpdate(QWidget* parent)
    : TfrmUpdate(MainDatabase(), UpdatePackageZlib(), ProgramVersion().Release, parent) {}

TfrmUpdate::TfrmUpdate(TIBDatabase* database, const QByteArray& packageZlib, int supportedVersion, QWidget* parent)
    : TForm(parent), ibs(database, nullptr), database_(database), supportedVersion_(supportedVersion) {
  ibt1 = new TIBTransaction(database, TIBTransactionKind::Snapshot, this);
  ibs = TIBSQL(database, ibt1);
  ib1 = new TIBQuery(this);
  ib1->SetDatabase(database);
  ib1->SetTransaction(ibt1);
  md = new TUxMemoryData(this);
  BuildForm();
  FormCreate(packageZlib);
}

TfrmUpdate::~TfrmUpdate() = default;

void TfrmUpdate::BuildForm() {
  SetCaption(QStringLiteral("Aktualizácia databázy..."));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  resize(285, 575);
  SetKeyPreview(true);
  auto* layout = new QVBoxLayout(this);
  lb = new QListWidget(this);
  lb->setFixedHeight(469);
  Label1 = new QLabel(
      QStringLiteral("Pre aktualizáciou programu na novšiu verziu sa uistite, že máte záložnú kópiu databázy. "), this);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);
  Label1->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
  btnGo = new TQPLBtn(QStringLiteral("Aktualizuj"), this);
  layout->addWidget(lb);
  layout->addWidget(Label1);
  layout->addWidget(btnGo);
  connect(btnGo, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnGoClick(); }); });
}

void TfrmUpdate::FormCreate(const QByteArray& packageZlib) {
  // A damaged package reads as a short one: the count check below reports it.
  LoadUpdatePackage(packageZlib, XML, *md);
  const int rows = PackageRowCount();
  if (rows != supportedVersion_) {
    RedMessageDlg(QStringLiteral("Chyba v \"update resource\"! (ResCount=%1 ; V3=%2).\r\n\r\nProgram bude ukončený.")
                      .arg(rows)
                      .arg(supportedVersion_),
                  TMsgDlgType::Error, mbOK, 0, mrOk);
    if (rows < supportedVersion_) {
      closeAtOnce_ = true;
      RequestTermination();
    }
  }
}

int TfrmUpdate::PackageRowCount() const { return md->Active() ? md->RecordCount() : 0; }

void TfrmUpdate::FormShow() {
  if (screen()) move(screen()->availableGeometry().center() - rect().center());
  // A package too short to use: the modal run that is starting ends at once.
  if (closeAtOnce_)
    QMetaObject::invokeMethod(
        this, [this] { SetModalResult(mrCancel); }, Qt::QueuedConnection);
}

void TfrmUpdate::AddItem(const QString& text) {
  lb->addItem(text);
  lb->setCurrentRow(lb->count() - 1);
  QCoreApplication::processEvents();
}

int TfrmUpdate::ZistiVerziu() {
  try {
    TUnitOfWork unit(*ibt1);
    const int version = AppData::SchemaVersion(*ib1);
    unit.Commit();
    return version;
  } catch (const std::exception&) {
    // An unreadable version counts as 0; the upgrade starts from a
    // transaction of its own.
    ib1->Close();
    if (ibt1->InTransaction()) ibt1->Rollback();
    return 0;
  }
}

bool TfrmUpdate::OnlyAttachment() {
  if (database_->AttachmentCount() < 2) return true;
  AddItem(QStringLiteral("CHYBA - Všetci musia ukončiť sprácu s programom."));
  AddItem(QStringLiteral("Po ukončení práce, znova zatlačte tlačidlo aktualizácie"));
  return false;
}

void TfrmUpdate::btnGoClick() {
  btnGo->setEnabled(false);
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  bool stoppedByFailure = false;
  const auto restore = qScopeGuard([&] {
    QGuiApplication::restoreOverrideCursor();
    btnGo->setEnabled(true);
    AddItem(QStringLiteral("Aktualizácia databázy bola ukončená."));
  });
  lb->clear();
  errorReported_ = false;
  try {
    AddItem(QStringLiteral("Kontrola počtu pripojených užívateľov"));
    if (!OnlyAttachment()) return;
    AddItem(QStringLiteral("--- OK"));
    const int from = ZistiVerziu();
    for (int version = from + 1; version <= supportedVersion_; ++version) {
      // Someone may have connected since the last script: check before each one.
      if (version > from + 1 && !OnlyAttachment()) return;
      if (!UpdateDatabase(version)) {
        stoppedByFailure = true;
        break;
      }
    }
  } catch (const std::exception& error) {
    if (errorReported_) throw; // the script's handler has seen it already
    if (HandleDatabaseError(error) == 0) throw;
    return;
  }
  if (!stoppedByFailure && ZistiVerziu() == supportedVersion_) {
    // Queued: the closing line above is added before the form goes.
    QMetaObject::invokeMethod(
        this, [this] { SetModalResult(mrOk); }, Qt::QueuedConnection);
  }
}

bool TfrmUpdate::UpdateDatabase(int version) {
  const int current = ZistiVerziu();
  if (current > version - 1) return true;
  if (current < version - 1) return false;
  return RunScript(version);
}

bool TfrmUpdate::RunScript(int version) {
  QString script;
  try {
    TUnitOfWork unit(*ibt1);
    const int formats = AppData::HighestTableFormat(*ib1);
    if (formats >= 200) {
      unit.Commit();
      RedMessageDlg(
          QStringLiteral("Nie je možné aktualizovať databázu. Musíte vykonať:\r\n\r\n1. Zálohovanie databázy\r\n"
                         "2. Obnovu databázy zo zálohy\r\n3. Aktualizáciu databázy"),
          TMsgDlgType::Error, mbOK, 0, mrOk);
      return false;
    }
    if (!md->Active() || !md->Locate(QStringLiteral("version_number"), version)) {
      ShowMessage(QStringLiteral("update script not found"));
      ibt1->Rollback();
      return false;
    }
    script = md->FieldByName(QStringLiteral("long_script")).AsString();
    AddItem(QStringLiteral("  --- aktualizácia na verziu %1").arg(version));
    ApplyUpgradeScript(ibs, *ib1, version, script);
    unit.Commit();
    return true;
  } catch (const std::exception& error) {
    // A failed script ends its transaction, not only its changes.
    if (ibt1->InTransaction()) ibt1->Rollback();
    ShowMessage(QStringLiteral("Chyba v príkaze:\r\n\r\n") + script);
    if (HandleDatabaseError(error) == 0) {
      errorReported_ = true;
      throw;
    }
    return false;
  }
}
