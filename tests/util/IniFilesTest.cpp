#include "util/IniFiles.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFilesTest : public ::testing::Test {
protected:
  QString Path() const { return dir_.filePath(QStringLiteral("Vimek.ini")); }
  void Put(const QByteArray& bytes) {
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }
  QByteArray Bytes() const {
    QFile file(Path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QTemporaryDir dir_;
};

TEST_F(IniFilesTest, WritesExactlyTheProfileLayout) {
  IniFileWriteString(Path(), QStringLiteral("Settings"), QStringLiteral("Database"), QStringLiteral("Data\\Vimek.fdb"));
  IniFileWriteBool(Path(), QStringLiteral("Settings"), QStringLiteral("ShiftForClose"), false);
  IniFileWriteString(Path(), QStringLiteral("Other"), QStringLiteral("A"), QStringLiteral(" x = \"y\" ;z"));
  IniFileWriteString(Path(), QStringLiteral("SETTINGS"), QStringLiteral("database"), QStringLiteral("C:\\D\\V.fdb"));
  IniFileWriteString(Path(), QStringLiteral("settings"), QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
  EXPECT_EQ(Bytes(), QByteArray("[Settings]\r\ndatabase=C:\\D\\V.fdb\r\nShiftForClose=0\r\nUser_Name=SYSDBA\r\n"
                                "\r\n[Other]\r\nA= x = \"y\" ;z\r\n"));
}

TEST_F(IniFilesTest, ReadsWithoutRegardToCaseAndStripsBlanksAndQuotes) {
  Put("; comment\r\n[Settings]\r\n  Database = Data\\Vimek.fdb  \r\nQuoted=\"  a b \"\r\nSingle='x'\r\n"
      "Odd=\"x'\r\nEmpty=\r\nShiftForClose=1\r\nHex=0x10\r\nWord=true\r\n[ Next ]\nKey=\xBE\x9A\xE8\x9D\n");
  TIniFile ini(Path());
  struct Case {
    const char* section;
    const char* key;
    QString expected;
  };
  const Case cases[] = {
      {"settings", "DATABASE", QStringLiteral("Data\\Vimek.fdb")},
      {"Settings", "Quoted", QStringLiteral("  a b ")},
      {"Settings", "Single", QStringLiteral("x")},
      {"Settings", "Odd", QStringLiteral("\"x'")},
      {"Settings", "Empty", QString()},
      {"Settings", "Missing", QStringLiteral("<default>")},
      {"Missing", "Database", QStringLiteral("<default>")},
      {"next", "key", QStringLiteral("ľščť")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ini.ReadString(QLatin1String(c.section), QLatin1String(c.key), QStringLiteral("<default>")), c.expected);
  }
  EXPECT_TRUE(IniFileReadBool(Path(), QStringLiteral("SETTINGS"), QStringLiteral("shiftforclose")));
  EXPECT_FALSE(IniFileReadBool(Path(), QStringLiteral("Settings"), QStringLiteral("Word")));
  EXPECT_FALSE(IniFileReadBool(Path(), QStringLiteral("Settings"), QStringLiteral("Missing")));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Settings"), QStringLiteral("Hex"), -1), 16);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Settings"), QStringLiteral("Word"), -1), -1);
  EXPECT_EQ(ini.ReadSections(), QStringList({QStringLiteral("Settings"), QStringLiteral("Next")}));
  EXPECT_TRUE(ini.ValueExists(QStringLiteral("settings"), QStringLiteral("empty")));
  EXPECT_FALSE(ini.ValueExists(QStringLiteral("settings"), QStringLiteral("nothing")));
}

TEST_F(IniFilesTest, RewritingKeepsOtherLinesAndCodePage) {
  Put("[A]\r\nx=1\r\n\r\n[B]\r\ny=\xBE\r\n");
  TIniFile ini(Path());
  ini.WriteString(QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("2"));
  ini.DeleteKey(QStringLiteral("b"), QStringLiteral("Y"));
  ini.WriteString(QStringLiteral("B"), QStringLiteral("w"), QStringLiteral("\u013E"));
  EXPECT_EQ(Bytes(), QByteArray("[A]\r\nx=1\r\nz=2\r\n\r\n[B]\r\nw=\xBE\r\n"));
  ini.EraseSection(QStringLiteral("A"));
  EXPECT_EQ(Bytes(), QByteArray("[B]\r\nw=\xBE\r\n"));
}

// Lines may end with a lone CR, as old editors wrote them; a write gives CR LF.
TEST_F(IniFilesTest, ALoneCarriageReturnEndsALine) {
  Put("[Settings]\rDatabase=db.fdb\rUser_Name=SYSDBA\r\n[Other]\nA=1\r");
  TIniFile ini(Path());
  EXPECT_NO_THROW(ini.CheckReadable());
  EXPECT_EQ(ini.ReadSection(QStringLiteral("Settings")),
            QStringList({QStringLiteral("Database"), QStringLiteral("User_Name")}));
  EXPECT_EQ(ini.ReadString(QStringLiteral("Settings"), QStringLiteral("User_Name")), QStringLiteral("SYSDBA"));
  ini.WriteString(QStringLiteral("Settings"), QStringLiteral("Password"), QStringLiteral("x"));
  EXPECT_EQ(Bytes(),
            QByteArray("[Settings]\r\nDatabase=db.fdb\r\nUser_Name=SYSDBA\r\nPassword=x\r\n[Other]\r\nA=1\r\n"));
}

TEST_F(IniFilesTest, TextOutsideCodePage1250SurvivesAsUtf8) {
  const QString path = QStringLiteral("/home/\u0416\u0443\u043A/Data/Vimek.fdb");
  IniFileWriteString(Path(), QStringLiteral("Settings"), QStringLiteral("Database"), path);
  EXPECT_TRUE(Bytes().startsWith("\xEF\xBB\xBF[Settings]\r\n"));
  EXPECT_EQ(IniFileReadString(Path(), QStringLiteral("Settings"), QStringLiteral("Database")), path);
}

TEST_F(IniFilesTest, RefusesLineBreaksAndUnwritableFiles) {
  EXPECT_THROW(IniFileWriteString(Path(), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\r\n[X]")),
               EIniFileError);
  EXPECT_FALSE(QFile::exists(Path()));
  EXPECT_THROW(IniFileWriteBool(dir_.filePath(QStringLiteral("missing/Vimek.ini")), QStringLiteral("S"),
                                QStringLiteral("K"), true),
               EIniFileError);
}

} // namespace
