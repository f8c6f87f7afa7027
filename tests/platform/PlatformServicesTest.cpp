#include "platform/Shell.h"
#include "platform/base/DesktopEntry.h"
#include "platform/base/FileMapping.h"
#include "platform/base/SpecialFolders.h"
#include "tests/support/ConfigFolder.h"
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(DesktopEntryTest, ExecQuotesArgumentsAndValuesAreEscaped) {
  struct Case {
    const char* target;
    const char* arguments;
    const char* exec;
  };
  const Case cases[] = {
      {"/opt/vimek/Vimek", "", "Exec=/opt/vimek/Vimek"},
      {"/opt/my apps/Vimek", "-a b", R"(Exec="/opt/my apps/Vimek" -a b)"},
      {"/opt/Vimek", R"("with space" 100% $HOME)", R"(Exec=/opt/Vimek "with space" 100%% "\\$HOME")"},
      {R"(/opt/a\b)", "", R"(Exec="/opt/a\\\\b")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const QString text = DesktopEntry::Text(
        {QStringLiteral("Vimek"), QString::fromUtf8(c.target), QString::fromUtf8(c.arguments), {}, {}, {}});
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.exec) + QLatin1Char('\n'))) << text.toStdString();
  }
  const QString full = DesktopEntry::Text({QStringLiteral("Rybársky zväz"),
                                           QStringLiteral("/opt/Vimek"),
                                           {},
                                           QStringLiteral("/opt"),
                                           QStringLiteral("line1\nline2"),
                                           {}});
  EXPECT_EQ(full, QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\nName=Rybársky zväz\n"
                                 "Comment=line1\\nline2\nExec=/opt/Vimek\nPath=/opt\nTerminal=false\n"));
}

TEST(DesktopEntryTest, WriteCreatesAnExecutableFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Desktop/Vimek.desktop"));
  ASSERT_TRUE(DesktopEntry::Write(path, {QStringLiteral("Vimek"), QStringLiteral("/opt/Vimek"), {}, {}, {}, {}}));
  EXPECT_TRUE(ReadAll(path).startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(QFile::permissions(path) & QFile::ExeOwner);
  EXPECT_FALSE(DesktopEntry::Write(dir.filePath(QStringLiteral("Vimek.desktop/x/")), {}));
}

TEST(DesktopEntryTest, TheDesktopValidatorAcceptsTheFile) {
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Vimek.desktop"));
  ASSERT_TRUE(
      DesktopEntry::Write(path, {QStringLiteral("Vimek – rybári"), QStringLiteral("/opt/my apps/Vimek"),
                                 QStringLiteral("-d \"Data\\Vimek.fdb\" 100%"), QStringLiteral("/opt/my apps"),
                                 QStringLiteral("Evidencia\nčlenov"), QStringLiteral("/opt/my apps/vimek.png")}));
  QProcess process;
  process.start(validator, {path});
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardOutput().constData()
                                   << process.readAllStandardError().constData();
}

TEST(SpecialFoldersTest, KnownFoldersFollowTheXdgFolders) {
  const TConfigFolder config;
  EXPECT_EQ(SpecialFolders::Path(SpecialFolders::AppData), config.Path());
  EXPECT_EQ(SpecialFolders::Path(SpecialFolders::Startup), config.Path() + QStringLiteral("/autostart"));
  EXPECT_FALSE(SpecialFolders::Path(SpecialFolders::Desktop).isEmpty());
  EXPECT_EQ(SpecialFolders::Path(0x2B), QString());
}

TEST(FileMappingTest, MapsReadOnlyOrCopyOnWriteAndReportsTheFailingStep) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("data.bin"));
  WriteAll(path, "abcdef");
  {
    TFileMapping mapping;
    ASSERT_TRUE(mapping.Open(path, true));
    ASSERT_EQ(mapping.Size(), 6);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(mapping.Data()), 6), "abcdef");
    mapping.Data()[0] = 'X';
    EXPECT_EQ(mapping.Data()[0], 'X');
  }
  EXPECT_EQ(ReadAll(path), "abcdef");
  TFileMapping readOnly;
  ASSERT_TRUE(readOnly.Open(path, false));
  EXPECT_EQ(readOnly.Data()[5], 'f');

  WriteAll(dir.filePath(QStringLiteral("empty.bin")), {});
  const std::pair<QString, TFileMapping::TFailure> failures[] = {
      {dir.filePath(QStringLiteral("missing.bin")), TFileMapping::TFailure::Open},
      {dir.filePath(QStringLiteral("empty.bin")), TFileMapping::TFailure::Map},
  };
  for (const auto& [file, failure] : failures) {
    TFileMapping mapping;
    EXPECT_FALSE(mapping.Open(file, false));
    EXPECT_EQ(mapping.Failure(), failure);
    EXPECT_EQ(mapping.Data(), nullptr);
  }
}

TEST(ShellTest, PlaysExistingSoundsWithTheFirstPlayerFound) {
  QTemporaryDir dir;
  const QString log = dir.filePath(QStringLiteral("played.txt"));
  const QString player = dir.filePath(QStringLiteral("paplay"));
  WriteAll(player, "#!/bin/sh\necho \"$1\" > '" + QFile::encodeName(log) + "'\n");
  QFile::setPermissions(player, QFile::permissions(player) | QFile::ExeOwner);
  const QByteArray oldPath = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(dir.path()));
  const QString sound = dir.filePath(QStringLiteral("Oops.Wav"));
  WriteAll(sound, "RIFF");
  EXPECT_FALSE(Shell::PlaySoundFile(dir.filePath(QStringLiteral("missing.wav"))));
  EXPECT_TRUE(Shell::PlaySoundFile(sound));
  qputenv("PATH", oldPath);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadAll(log) == QFile::encodeName(sound) + '\n'; }, 5000));
}

class TUrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> urls;
public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

TEST(ShellTest, OpenUrlHandsFilesAndAddressesToTheDesktop) {
  TUrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
  QTemporaryDir dir;
  WriteAll(dir.filePath(QStringLiteral("a b.pdf")), "%PDF");
  EXPECT_TRUE(Shell::OpenUrl(dir.filePath(QStringLiteral("a b.pdf"))));
  EXPECT_TRUE(Shell::OpenUrl(QStringLiteral("https://example.org/x?y=1")));
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  EXPECT_EQ(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(dir.filePath(QStringLiteral("a b.pdf"))),
                                       QUrl(QStringLiteral("https://example.org/x?y=1"))}));
}

} // namespace

#include "PlatformServicesTest.moc"
