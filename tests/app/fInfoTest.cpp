#include "app/fInfo.h"
#include "app/AppContext.h"
#include "controls/QPLBtn.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBServices.h"
#include "tests/app/AdminTestSupport.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>

namespace {

class InfoTest : public AdminTest {
protected:
  std::unique_ptr<TfrmInfo> Open() {
    auto form = std::make_unique<TfrmInfo>(nullptr, db.get());
    form->DatumCas = QDateTime(QDate(2026, 3, 5), QTime(8, 7, 9));
    form->show();
    return form;
  }
};

TEST_F(InfoTest, ShowsComputerProgramAndDatabase) {
  const std::unique_ptr<TIBDatabase> otherWorkstation = fresh->Connect();
  auto form = Open();
  const TIBDatabaseInfo info(*db);
  EXPECT_EQ(form->lDatabaseName->text(), info.DbFileName());
  EXPECT_TRUE(form->lDatabaseName->text().endsWith(QFileInfo(fresh->Path()).fileName()));
  EXPECT_EQ(form->lUsersCount->text(), QStringLiteral("2")); // every attachment, this one included
  EXPECT_EQ(form->lPageSize->text(), QStringLiteral("%1 B").arg(info.PageSize()));
  EXPECT_EQ(form->lDatabaseSize->text(), DatabaseSizeText(info.DatabaseSize()));
  EXPECT_EQ(form->lODS->text(), QStringLiteral("%1.%2").arg(info.OdsVersion()).arg(info.OdsMinorVersion()));
  EXPECT_GT(form->lRDBFormat->text().toInt(), 0);
  EXPECT_TRUE(form->lSweep->text().endsWith(QStringLiteral(" transakcií")));
  EXPECT_TRUE(form->lProgramVersion->text().endsWith(QStringLiteral(" (5. marca 2026 - 08:07:09)")))
      << form->lProgramVersion->text().toStdString();
  EXPECT_EQ(form->lApp->text(), TfrmInfo::ProductShortName + QStringLiteral(" - ") + TfrmInfo::ProductLongName);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ MB$")).match(form->lRAM->text()).hasMatch());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+x\\d+ bodov, \\d+ bitov na bod$"))
                  .match(form->lDisplay->text())
                  .hasMatch());
  EXPECT_TRUE(form->lProcesor->text().contains(QStringLiteral(" MHz")));
  EXPECT_FALSE(form->lTempDir->text().endsWith(QLatin1Char('/')));
  for (QLabel* label : form->findChildren<QLabel*>())
    EXPECT_EQ(label->toolTip(), label->text()) << label->objectName().toStdString();
  form->resize(720, 760);
  EXPECT_FALSE(SaveScreenshot(form.get(), QStringLiteral("information")).isEmpty());

  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(InfoTest, WriteModeText) {
  const std::pair<bool, const char*> cases[] = {
      {false, "asynchrónny (povolené cachované čítanie a zápis)"},
      {true, "synchrónny (zakázané cachované čítanie a zápis)"},
  };
  for (const auto& [synchronous, text] : cases) {
    db->Close();
    TIBServices().SetWriteMode(fresh->Path(), synchronous);
    db->Open();
    EXPECT_EQ(Open()->lForcedWrites->text(), QString::fromUtf8(text));
  }
}

TEST_F(InfoTest, WithoutConnectionTheDatabaseGroupShowsTheNotice) {
  db->Close();
  auto form = Open();
  EXPECT_EQ(form->lDatabaseName->text(), QStringLiteral("systém nie je prihlásený k databáze"));
  EXPECT_TRUE(form->lDatabaseName->styleSheet().contains(QStringLiteral("red")));
  for (QLabel* label : {form->lServerName, form->lODS, form->lUsersCount, form->lDatabaseSize, form->lRDBFormat})
    EXPECT_EQ(label->text(), QStringLiteral("?")) << label->objectName().toStdString();
  EXPECT_FALSE(form->lWindows->text().isEmpty()); // the rest is filled normally
  EXPECT_FALSE(form->lProgramDir->text().isEmpty());
}

TEST(InfoSizeTest, DatabaseSizeInSixtyFourBits) {
  constexpr qint64 mb = 1024 * 1024;
  const std::pair<qint64, const char*> cases[] = {
      {mb + mb / 2, "1572864 B (2 MB)"},
      {2 * mb + mb / 2, "2621440 B (2 MB)"},
      {Q_INT64_C(3221225472), "3221225472 B (3072 MB)"}, // beyond 2 GiB
      {Q_INT64_C(5000000000), "5000000000 B (4768 MB)"},
  };
  for (const auto& [bytes, text] : cases)
    EXPECT_EQ(DatabaseSizeText(bytes), QLatin1String(text));
}

TEST_F(InfoTest, DesktopShortcut) {
  auto form = Open();
  form->btnDesktopIconClick();
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("Zástupca na ploche bol úspešne vytvorený.")});
  QFile shortcut(home_.filePath(QStringLiteral("Desktop/Vimek.desktop")));
  ASSERT_TRUE(shortcut.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(shortcut.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("Name=Vimek")));
  EXPECT_TRUE(text.contains(QFileInfo(ProgramFilePath()).fileName()));
  shortcut.close();

  // A desktop that cannot take the file: the failure is told.
  ASSERT_TRUE(QDir(home_.filePath(QStringLiteral("Desktop"))).removeRecursively());
  QFile blocker(home_.filePath(QStringLiteral("Desktop")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  form->btnDesktopIconClick();
  EXPECT_EQ(Messages().last(), QStringLiteral("Chyba pri vytváraní zástupcu na ploche."));
}

TEST_F(InfoTest, ShortcutPassesTheDesktopValidator) {
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
  ASSERT_TRUE(CreateDesktopShortcut(QStringLiteral("Rybári - evidencia"), TfrmInfo::ProductShortName));
  QProcess check;
  check.start(validator, {home_.filePath(QStringLiteral("Desktop/Vimek.desktop"))});
  ASSERT_TRUE(check.waitForFinished(30000));
  EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
}

} // namespace
