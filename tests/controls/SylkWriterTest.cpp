#include "controls/SylkWriter.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include "tests/support/SourcePath.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString FixturePath(const char* name) {
  return SourcePath(QStringLiteral("tests/fixtures/controls/") + QLatin1String(name));
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The member list as the members export writes it: a bold centred header
// row (one heading with a comment), then plain rows with general alignment.
void WriteMemberList(TSylkWriter& writer) {
  writer.SetFont(7, 10, TSylkWriter::fsBold);
  writer.SetAlignment(TSylkWriter::taCenter);
  writer.WriteText(1, 1, QString(), QStringLiteral("Priezvisko"));
  writer.WriteText(1, 2, QStringLiteral("Krstné meno člena"), QStringLiteral("Meno"));
  writer.WriteText(1, 3, QString(), QStringLiteral("Obec"));
  writer.SetFont(7, 10, 0);
  writer.SetAlignment(TSylkWriter::taGeneral);
  const QStringList rows[] = {{QStringLiteral("Šťastný"), QStringLiteral("Ľudovít"), QStringLiteral("Žilina; Považie")},
                              {QStringLiteral("Ďurčová"), QStringLiteral("Anča"), QStringLiteral("Nové Zámky\r\n")}};
  int row = 2;
  for (const QStringList& cells : rows) {
    for (int col = 0; col < cells.size(); ++col)
      writer.WriteText(row, col + 1, QString(), cells[col]);
    ++row;
  }
}

class SylkWriterTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString Target() const { return dir.filePath(QStringLiteral("zoznam.xls")); }
};

} // namespace

TEST_F(SylkWriterTest, EmptyAndMemberListMatchGoldenFiles) {
  { TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250); }
  EXPECT_EQ(ReadAll(Target()), ReadAll(FixturePath("sylk_empty.xls")));
  {
    TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250);
    WriteMemberList(writer);
    writer.Close();
  }
  const QByteArray members = ReadAll(Target());
  EXPECT_EQ(members, ReadAll(FixturePath("sylk_members.xls")));
  // The font list after the 972-byte head: Courier New CE 10 (5), Arial 10 bold (6), Arial 10 (7).
  EXPECT_TRUE(
      members.mid(972).startsWith("P;ECourier New CE;M200;L9\r\nP;EArial;M200;SB;L9\r\nP;EArial;M200;L9\r\nF;"));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("zoznam.$$$"))));
}

TEST_F(SylkWriterTest, CellTextsAreCleanedIntoOneRecord) {
  struct Case {
    const char* text;
    const char* comment;
    const char* record;
  };
  const Case cases[] = {
      {"a;b", "", "C;Y1;X1;K\"a;;b\"\r\n"},
      {"koniec\r\n", "", "C;Y1;X1;K\"koniec\"\r\n"},
      {"riadok\r\nďalší", "",
       "C;Y1;X1;K\"riadok\x1b :\xef"
       "al\x9a\xed\"\r\n"},
      {"medzery   ", "", "C;Y1;X1;K\"medzery\"\r\n"},
      {"a  \r\n \r\n  ", "", "C;Y1;X1;K\"a\"\r\n"},
      {"\"citát\"", "", "C;Y1;X1;K\"\"cit\xe1t\"\"\r\n"},
      // A lone line feed would end the record; the rest must not become records.
      {"x\nE", "", "C;Y1;X1;K\"x\x1b :E\"\r\n"},
      {"x\rE", "", "C;Y1;X1;K\"x\x1b :E\"\r\n"},
      {"t", "pozn;ámka\r\n", "C;Y1;X1;K\"t\";Apozn;;\xe1mka \x1b :\r\n"},
  };
  for (const Case& c : cases) {
    {
      TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250);
      writer.SetAlignment(TSylkWriter::taGeneral);
      writer.WriteText(1, 1, QString::fromUtf8(c.comment), QString::fromUtf8(c.text));
    }
    const QByteArray file = ReadAll(Target());
    const QByteArray format("F;P0;SM5;Y1;X1 \r\n");
    const qsizetype at = file.indexOf(format);
    ASSERT_GE(at, 0) << c.text;
    EXPECT_EQ(file.mid(at + format.size()), QByteArray(c.record) + "E\r\n") << c.text;
  }
}

TEST_F(SylkWriterTest, FontsAreNumberedByFirstUseAndReused) {
  {
    TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250);
    writer.WriteText(1, 1, QString(), QStringLiteral("a"));
    writer.SetFont(7, 12,
                   TSylkWriter::fsBold | TSylkWriter::fsItalic | TSylkWriter::fsUnderline | TSylkWriter::fsStrikeOut);
    writer.WriteText(1, 2, QString(), QStringLiteral("b"));
    writer.SetFont(1, 10, 0);
    writer.SetAlignment(TSylkWriter::taCenter);
    writer.WriteText(1, 3, QString(), QStringLiteral("c"));
    writer.SetFont(7, 12, 15);
    writer.WriteText(1, 4, QString(), QStringLiteral("d"));
    EXPECT_THROW(writer.SetFont(34, 10, 0), Exception);
  }
  const QByteArray file = ReadAll(Target());
  EXPECT_TRUE(file.mid(972).startsWith("P;ECourier New CE;M200;L9\r\nP;EArial;M240;SSBIU;L9\r\nF;P0;DG0G8"));
  for (const char* format :
       {"F;P0;FG0R;SM5;Y1;X1 ", "F;P0;FG0R;SM6;Y1;X2 ", "F;P0;FG0C;SM5;Y1;X3 ", "F;P0;FG0C;SM6;Y1;X4 "})
    EXPECT_TRUE(file.contains(format)) << format;
}

TEST_F(SylkWriterTest, ZeroRowOrColumnIsRefusedAndWritesNothing) {
  {
    TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250);
    for (auto [row, col] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{-1, 5}}) {
      try {
        writer.WriteText(row, col, QString(), QStringLiteral("x"));
        ADD_FAILURE() << row << "," << col;
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Hodnoty (X,Y) nesmějí dosáhnout hodnotu 0"));
      }
    }
  }
  EXPECT_EQ(ReadAll(Target()), ReadAll(FixturePath("sylk_empty.xls")));
}

TEST_F(SylkWriterTest, TargetIsReplacedOnlyAtCloseAndAStaleWorkFileIsEmptied) {
  const QString work = dir.filePath(QStringLiteral("zoznam.$$$"));
  for (const QString& path : {Target(), work}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("stary obsah");
  }
  {
    TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250);
    EXPECT_EQ(writer.WorkFileName(), work);
    EXPECT_EQ(ReadAll(Target()), QByteArray("stary obsah"));
    EXPECT_TRUE(ReadAll(work).startsWith("ID;PWXL;N;E\r\n"));
  }
  EXPECT_EQ(ReadAll(Target()), ReadAll(FixturePath("sylk_empty.xls")));
  EXPECT_FALSE(QFileInfo::exists(work));
}

TEST_F(SylkWriterTest, FailuresNameTheFile) {
  const QString missingFolder = dir.filePath(QStringLiteral("chyba/zoznam.xls"));
  try {
    TSylkWriter writer(missingFolder, TSylkWriter::TTextEncoding::Cp1250);
    ADD_FAILURE() << "created in a missing folder";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Soubor \"") + dir.filePath(QStringLiteral("chyba/zoznam.$$$")) +
                                       QStringLiteral("\" nelze vytvořit - chyba:\r\n")))
        << e.what();
  }
  // A target that cannot be written (a folder of that name): Close reports
  // it and the work file is still removed.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zoznam.xls")));
  TSylkWriter writer(Target(), TSylkWriter::TTextEncoding::Cp1250);
  try {
    writer.Close();
    ADD_FAILURE() << "closed onto a folder";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Soubor \"") + Target() +
                                       QStringLiteral("\" nelze uzavřít - chyba:\r\n")))
        << e.what();
  }
  EXPECT_FALSE(QFileInfo::exists(writer.WorkFileName()));
}

// LibreOffice Calc reads SYLK text in the desktop's character set: the file
// in code page 1250 on a desktop of that code page (a Slovak Windows), in
// UTF-8 on a UTF-8 desktop (Linux); both with every cell and letter intact.
struct CalcCase {
  TSylkWriter::TTextEncoding encoding;
  const char* locale; // LC_ALL of the desktop; CP1250 ones are made for the test
};

class SylkInCalc : public SylkWriterTest, public ::testing::WithParamInterface<CalcCase> {};

TEST_P(SylkInCalc, ReadsTheCellsInTheDesktopsCharacterSet) {
  const CalcCase& c = GetParam();
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(c.locale));
  if (c.encoding == TSylkWriter::TTextEncoding::Cp1250) {
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/share/i18n/charmaps/CP1250.gz")))
      GTEST_SKIP() << "localedef or the CP1250 charmap is missing";
    const QString locales = dir.filePath(QStringLiteral("locale"));
    ASSERT_TRUE(QDir().mkpath(locales));
    ASSERT_EQ(QProcess::execute(localedef, {QStringLiteral("-i"), QStringLiteral("sk_SK"), QStringLiteral("-f"),
                                            QStringLiteral("CP1250"), locales + QStringLiteral("/sk_SK.CP1250")}),
              0);
    env.insert(QStringLiteral("LOCPATH"), locales);
  }
  {
    TSylkWriter writer(Target(), c.encoding);
    WriteMemberList(writer);
  }
  QProcess office;
  office.setProcessEnvironment(env);
  office.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                         QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                         QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                         dir.path(), Target()});
  ASSERT_TRUE(office.waitForFinished(120000)) << "LibreOffice did not finish";
  const QString csv = QString::fromUtf8(ReadAll(dir.filePath(QStringLiteral("zoznam.csv"))));
  EXPECT_EQ(csv, QStringLiteral("Priezvisko,Meno,Obec\nŠťastný,Ľudovít,Žilina; Považie\nĎurčová,Anča,Nové Zámky\n"));
}

INSTANTIATE_TEST_SUITE_P(Desktops, SylkInCalc,
                         ::testing::Values(CalcCase{TSylkWriter::TTextEncoding::Cp1250, "sk_SK.CP1250"},
                                           CalcCase{TSylkWriter::TTextEncoding::Utf8, "C.UTF-8"}));
