#include "tests/app/AdminTestSupport.h"
#include "app/AppContext.h"
#include "app/fUpdate.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "schema/BaseScript.h"
#include "schema/UpgradePackage.h"
#include "tests/support/SqlTestRoutines.h"
#include "tests/support/TestOutput.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

void MakeAdminDatabase(const QString& path) {
  CreateDatabaseFromBaseScript(path);
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.Open();
  {
    TScriptedMessageDialogs dialogs;
    TfrmUpdate form(&database, UpdatePackageZlib(), UpdatePackageScriptCount());
    form.btnGoClick();
    if (form.ZistiVerziu() != UpdatePackageScriptCount()) throw std::runtime_error("the upgrade did not finish");
  }
  database.Close();
}

void AdminTest::SetUp() {
  ASSERT_TRUE(home_.isValid());
  const QString config = home_.filePath(QStringLiteral("config"));
  QDir().mkpath(config);
  QDir().mkpath(home_.filePath(QStringLiteral("Desktop")));
  // The desktop folder of the shortcut lives in the temporary folder too.
  QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DESKTOP_DIR=\"" + QFile::encodeName(home_.filePath(QStringLiteral("Desktop"))) + "\"\n");
  dirs.close();
  config_.emplace(config);
  fresh = std::make_unique<FreshDatabase>(&MakeAdminDatabase);
  db = fresh->Connect();
  SetMainDatabase(db.get());
  dialogs = std::make_unique<TScriptedMessageDialogs>();
  IniSettings = {};
  ProgramSettings = {};
  Organizacia = {};
}

void AdminTest::TearDown() {
  dialogs.reset();
  SetMainDatabase(nullptr);
  if (db) db->Close();
  db.reset();
  fresh.reset();
  config_.reset();
}

void AdminTest::Exec(const QString& sql, const QVariantMap& params) { ExecCommitted(*db, sql, params); }

QList<QVariantList> AdminTest::Rows(const QString& sql, const QVariantMap& params) {
  return SelectRows(*db, sql, params);
}

QVariant AdminTest::Scalar(const QString& sql, const QVariantMap& params) {
  const QList<QVariantList> rows = Rows(sql, params);
  return rows.isEmpty() ? QVariant() : rows.first().value(0);
}

QStringList AdminTest::Messages() const {
  QStringList texts;
  for (const TMessageRequest& request : dialogs->Requests())
    texts << request.Text;
  return texts;
}

QString AdminTest::SaveScreenshot(QWidget* window, const QString& name) {
  const QString path = TestOutputPath(name + QStringLiteral(".png"));
  return window->grab().save(path) ? path : QString();
}
