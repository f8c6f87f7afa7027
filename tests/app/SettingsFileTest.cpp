#include "app/SettingsFile.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

mode_t ModeOf(const QString& path) {
  struct stat info {};
  EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
  return info.st_mode & 0777;
}

// The file holds the database password: whoever wrote it last, and whatever
// mode it had, after the program wrote it only its owner reads it.
TEST(SettingsFileTest, WrittenReadableByItsOwnerOnly) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const mode_t previousMask = umask(022);
  const QString fresh = folder.filePath(QStringLiteral("Vimek.ini"));
  TSettingsFile(fresh).WriteString(QStringLiteral("Password"), QStringLiteral("tajné"));
  EXPECT_EQ(ModeOf(fresh), mode_t(0600));

  const QString existing = folder.filePath(QStringLiteral("Existing.ini"));
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Settings]\r\nDatabase=server/3057:/db/Vimek.fdb\r\n");
  file.close();
  ASSERT_EQ(chmod(QFile::encodeName(existing).constData(), 0644), 0);
  TSettingsFile settings(existing);
  settings.WriteString(QStringLiteral("Password"), QStringLiteral("tajné"));
  EXPECT_EQ(ModeOf(existing), mode_t(0600));
  settings.WriteBool(QStringLiteral("ShiftForClose"), true);
  EXPECT_EQ(ModeOf(existing), mode_t(0600));
  EXPECT_EQ(settings.ReadString(QStringLiteral("Database")), QStringLiteral("server/3057:/db/Vimek.fdb"));
  EXPECT_EQ(settings.ReadString(QStringLiteral("Password")), QStringLiteral("tajné"));
  // No temporary copy is left beside it.
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
  umask(previousMask);
}

} // namespace
