#include "platform/base/ProgramVersion.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/Utf8Text.h"
#include "util/RtCriticalSection.h"
#include "util/RtErrors.h"
#include "util/RtFileUtils.h"
#include "util/RtFileVersionInfo.h"
#include "util/RtShell.h"
#include "util/RtStreams.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <cerrno>
#include <future>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path, const QByteArray& bytes = "x") {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(FileRoutinesTest, PathRoutinesAcceptBothSeparators) {
  struct Case {
    const char* path;
    const char* added;
    const char* removed;
  };
  for (const Case& c : {Case{"C:", "C:\\", "C:"}, Case{"C:\\", "C:\\", "C:"}, Case{"", "\\", ""},
                        Case{"Data\\Zalohy", "Data\\Zalohy\\", "Data\\Zalohy"},
                        Case{"/home/rybar", "/home/rybar/", "/home/rybar"}, Case{"/home/", "/home/", "/home"}}) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(PathAddBackslash(S(c.path)), S(c.added));
    EXPECT_EQ(PathRemoveBackslash(S(c.path)), S(c.removed));
  }
  struct Name {
    const char* file;
    const char* directory;
    const char* bare;
    const char* withoutExtension;
  };
  for (const Name& c : {Name{"C:\\Vimek\\Data\\Vimek.fdb", "C:\\Vimek\\Data\\", "Vimek", "C:\\Vimek\\Data\\Vimek"},
                        Name{"/opt/vimek/Vimek.ini", "/opt/vimek/", "Vimek", "/opt/vimek/Vimek"},
                        Name{"Data\\archiv.tar.gz", "Data\\", "archiv.tar", "Data\\archiv.tar"},
                        Name{"C:\\a.b\\file", "C:\\a.b\\", "file", "C:\\a.b\\file"},
                        Name{"a.b:c", "a.b:\\", "a", "a.b:c"}, Name{"Vimek", "", "Vimek", "Vimek"}}) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(DirectoryWithBackslash(S(c.file)), S(c.directory));
    EXPECT_EQ(FileNameWithoutExtension(S(c.file)), S(c.bare));
    EXPECT_EQ(PathRemoveExtension(S(c.file)), S(c.withoutExtension));
  }
  EXPECT_EQ(PathToNative(S("Data\\Vimek.fdb")), S("Data/Vimek.fdb"));
}

TEST(FileRoutinesTest, SizesAndUnusedNames) {
  QTemporaryDir dir;
  Touch(dir.filePath(QStringLiteral("b.fbk")), "12345");
  Touch(dir.filePath(QStringLiteral(".hidden")), "123");
  EXPECT_EQ(FileSizeByName(dir.filePath(QStringLiteral("b.fbk"))), 5);
  EXPECT_EQ(FileSizeByName(dir.filePath(QStringLiteral("*.fbk"))), 5);
  EXPECT_EQ(FileSizeByName(dir.filePath(QStringLiteral(".hid?en"))), 3);
  EXPECT_EQ(FileSizeByName(dir.filePath(QStringLiteral("missing"))), -1);
  EXPECT_EQ(FileSizeByName(dir.filePath(QStringLiteral("*.gdb"))), -1);
  EXPECT_EQ(FileSizeByName(QStringLiteral("/nonexistent-drive/x")), -1);
  EXPECT_EQ(FileSizeByName(dir.path()), 0);

  const QString base = dir.filePath(QStringLiteral("zaloha"));
  EXPECT_EQ(FindUnusedFileName(base, QStringLiteral("fbk"), QStringLiteral("-")), base + QStringLiteral(".fbk"));
  Touch(base + QStringLiteral(".fbk"));
  Touch(base + QStringLiteral("-1.fbk"));
  EXPECT_EQ(FindUnusedFileName(base, QStringLiteral("fbk"), QStringLiteral("-")), base + QStringLiteral("-2.fbk"));
  EXPECT_FALSE(FileExistsBySize(base + QStringLiteral("-2.fbk")));
}

TEST(FileRoutinesTest, OnlyTheProgramFileHasVersionInformation) {
  const TProgramVersion version = ProgramVersion();
  TRtFileVersionInfo info(ModuleFileName());
  EXPECT_EQ(info.FixedFileVersionText(), version.Text());
  EXPECT_EQ(info.FixedInfo().dwSignature, TVSFixedFileInfo::kSignature);
  EXPECT_EQ(info.StringValueByIndex(3), QStringLiteral("Vimek"));
  EXPECT_EQ(info.StringValueByIndex(4), version.Text());
  EXPECT_EQ(info.StringValueByIndex(1), QString());
  EXPECT_EQ(info.StringValueByIndex(13), QString());
  TVSFixedFileInfo fixed;
  ASSERT_TRUE(ReadFixedFileInfo(ModuleFileName(), fixed));
  EXPECT_EQ(fixed.dwFileVersionLS >> 16, quint32(SupportedSchemaVersion()));

  QTemporaryDir dir;
  Touch(dir.filePath(QStringLiteral("other.exe")));
  EXPECT_FALSE(FileHasVersionInfo(dir.filePath(QStringLiteral("other.exe"))));
  EXPECT_THROW(TRtFileVersionInfo(dir.filePath(QStringLiteral("other.exe"))), ERtFileVersionInfoError);
}

TEST(FileRoutinesTest, MappedStreamReadsAndWritesOnlyItsOwnCopy) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("map.bin"));
  Touch(path, "0123456789");
  {
    TRtFileMappingStream stream(path, TFileOpenMode::ReadWrite);
    ASSERT_EQ(stream.Size(), 10);
    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 4);
    EXPECT_EQ(QByteArray(buffer, 4), "0123");
    EXPECT_EQ(stream.Write("AB", 2), 2);
    EXPECT_EQ(stream.Position(), 6);
    EXPECT_EQ(stream.Write("toolong", 7), 0);
    EXPECT_EQ(stream.View(), QByteArrayView("0123AB6789"));
    stream.Seek(8);
    EXPECT_EQ(stream.Read(buffer, 4), 2);
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "0123456789");

  TRtFileMappingStream readOnly(path, TFileOpenMode::Read);
  EXPECT_EQ(readOnly.Write("X", 1), 0);
  EXPECT_EQ(readOnly.View(), QByteArrayView("0123456789"));

  Touch(dir.filePath(QStringLiteral("empty.bin")), {});
  EXPECT_THROW(TRtFileMappingStream(dir.filePath(QStringLiteral("empty.bin")), TFileOpenMode::Read),
               ERtFileMappingError);
  try {
    TRtFileMappingStream(dir.filePath(QStringLiteral("missing.bin")), TFileOpenMode::Read);
    FAIL() << "no error";
  } catch (const EOSError& error) {
    EXPECT_EQ(error.ErrorCode(), ENOENT);
  }
}

TEST(FileRoutinesTest, ReferenceStreamIsReadOnly) {
  const char data[] = "abc";
  TRtReferenceMemoryStream stream(data, 3);
  char buffer[3] = {};
  EXPECT_EQ(stream.Read(buffer, 3), 3);
  EXPECT_EQ(QByteArray(buffer, 3), "abc");
  try {
    stream.Write("x", 1);
    FAIL() << "no error";
  } catch (const ERtError& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("Can not write to a read-only memory stream"));
  }
  EXPECT_THROW(TRtReferenceMemoryStream(nullptr, 5), ERtError);
  EXPECT_EQ(TRtReferenceMemoryStream(nullptr, 0).Size(), 0);
}

TEST(FileRoutinesTest, ErrorMessagesCarryTheSystemError) {
  errno = 0;
  try {
    RaiseLastSystemError();
  } catch (const EOSError& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("A system function failed"));
  }
  errno = ENOENT;
  try {
    RaiseLastSystemError();
  } catch (const EOSError& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("System error. Code: 2.\r\n") + SystemErrorMessage(ENOENT));
  }
  const ERtFileMappingError mapping(QStringLiteral("Failed to create FileMapping"), EACCES);
  EXPECT_EQ(
      mapping.Message(),
      QStringLiteral("Failed to create FileMapping\r\nSystem: %1 (%2)").arg(SystemErrorMessage(EACCES)).arg(EACCES));
  EXPECT_EQ(ERtRegistryError(QStringLiteral("Software\\X"), false).Message(),
            QStringLiteral("Unable to open key \"Software\\X\" for read"));
}

TEST(FileRoutinesTest, ShellLinkBecomesADesktopEntryInTheFolder) {
  const TConfigFolder config;
  const QDir dir(config.Path());
  TShellLink link;
  link.Target = QStringLiteral("/opt/vimek/Vimek");
  link.WorkingDirectory = QStringLiteral("/opt/vimek");
  link.Description = S("Evidencia rybárov");
  EXPECT_EQ(CreateShellLinkInFolder(link, 0x1A, QStringLiteral("Vimek.lnk")), kShellOk);
  QFile file(dir.filePath(QStringLiteral("Vimek.desktop")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  for (const char* line :
       {"Name=Vimek\n", "Exec=/opt/vimek/Vimek\n", "Path=/opt/vimek\n", "Comment=Evidencia rybárov\n"})
    EXPECT_TRUE(text.contains(S(line))) << line;
  EXPECT_EQ(CreateShellLinkInFolder(link, 0x2B, QStringLiteral("Vimek.lnk")), kShellInvalidArg);
  EXPECT_EQ(CreateShellLinkInFolder(link, 0x1A, QStringLiteral("Vimek.desktop/x/")), kShellFail);
}

TEST(FileRoutinesTest, CriticalSectionIsReentrantAndExcludesOtherThreads) {
  TRtCriticalSection section;
  section.Enter();
  section.Enter();
  auto other = std::async(std::launch::async, [&] {
    section.Enter();
    section.Leave();
  });
  section.Leave();
  EXPECT_EQ(other.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
  section.Leave();
  EXPECT_EQ(other.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

} // namespace
