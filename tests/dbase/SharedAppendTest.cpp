#include "DbfBytes.h"
#include "OfficeReader.h"
#include "dbase/xbtable.h"
#include "tests/support/HelperProcess.h"
#include <QtCore/QSet>
#include <QtCore/QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <string>

// Two processes share one table and append to it. This library recounts the
// records from the file size, so what matters is what every other reader of
// the file finds: the header's record count, and the end-of-file byte after
// the last record (never on one).

namespace {

const QString kPathVariable = QStringLiteral("VIMEK_SHARED_DBF");
const QString kTagVariable = QStringLiteral("VIMEK_SHARED_TAG");

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

// The second process: opens the table shared and, told line by line on its
// input, appends records named by its tag and a number ("append N") or
// closes the table and ends ("close").
TEST(SharedAppendHelper, DISABLED_Run) {
  TXbTable table;
  table.SetTableName(qEnvironmentVariable("VIMEK_SHARED_DBF"));
  table.Open();
  const QString tag = qEnvironmentVariable("VIMEK_SHARED_TAG");
  int appended = 0;
  Say("ready");
  for (std::string line; std::getline(std::cin, line);) {
    if (line.rfind("append ", 0) == 0) {
      for (int i = std::stoi(line.substr(7)); i > 0; --i) {
        table.Append();
        table.FieldByName(QStringLiteral("MENO")).SetValue(QString(tag + QString::number(++appended)));
        table.Post();
      }
      Say("appended");
    } else if (line == "close") {
      table.Close();
      Say("closed");
      return;
    }
  }
}

class SharedAppendTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    TXbTable t;
    t.SetTableName(path);
    t.SetTableLevel(3);
    t.FieldDefs = {{QStringLiteral("MENO"), TFieldType::String, 10}};
    t.CreateTable();
    for (const char* tag : {"A", "B"}) {
      ASSERT_TRUE(Writer(tag).Start(QStringLiteral("SharedAppendHelper.DISABLED_Run"),
                                    {{kPathVariable, path}, {kTagVariable, QLatin1String(tag)}}));
    }
    for (const char* tag : {"A", "B"})
      ASSERT_EQ(Writer(tag).WaitForLine(QStringLiteral("ready")), QStringLiteral("ready"));
  }

  THelperProcess& Writer(const char* tag) { return *tag == 'A' ? a : b; }
  // Tells one writer and waits for its answer.
  void Step(const char* tag, const QByteArray& command, const QString& answer) {
    Writer(tag).Send(command);
    ASSERT_EQ(Writer(tag).WaitForLine(answer), answer) << tag << " " << command.toStdString();
  }

  // The file as another reader sees it holds exactly these names, counted in
  // the header, every record undeleted, and the end byte right after them.
  void ExpectWhole(const QSet<QString>& names) {
    const QByteArray file = DbfBytes::ReadFile(path);
    const DbfBytes::Contents contents = DbfBytes::Read(file);
    EXPECT_EQ(contents.headerCount, quint32(names.size()));
    EXPECT_EQ(file.size(), qsizetype(contents.headerSize) + qsizetype(names.size()) * contents.recordSize + 1);
    EXPECT_EQ(contents.byteAfterRecords, 0x1A);
    QSet<QString> found;
    int notPlain = 0;
    for (const QByteArray& record : contents.records) {
      if (record[0] != ' ') ++notPlain;
      found.insert(QString::fromLatin1(record.mid(1)).trimmed());
    }
    EXPECT_EQ(notPlain, 0) << "records whose deletion flag was overwritten";
    const QStringList missing = (names - found).values(), unexpected = (found - names).values();
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " missing: " << missing.mid(0, 5).join(u' ').toStdString();
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.size()
                                      << " unexpected: " << unexpected.mid(0, 5).join(u' ').toStdString();
  }

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("zdiel.dbf"));
  THelperProcess a, b;
};

// The parameter is the writer that closes first.
class SharedAppendCloseOrder : public SharedAppendTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SharedAppendCloseOrder, EachAppendsOneThenBothClose) {
  const char* first = GetParam();
  const char* last = *first == 'A' ? "B" : "A";
  Step("A", "append 1", QStringLiteral("appended"));
  Step("B", "append 1", QStringLiteral("appended"));
  Step(first, "close", QStringLiteral("closed"));
  Step(last, "close", QStringLiteral("closed"));
  ExpectWhole({QStringLiteral("A1"), QStringLiteral("B1")});
}

INSTANTIATE_TEST_SUITE_P(FirstToClose, SharedAppendCloseOrder, ::testing::Values("A", "B"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(SharedAppendTest, ManyRecordsAtOnceAllReachOtherReaders) {
  constexpr int kEach = 1500;
  for (const char* tag : {"A", "B"})
    Writer(tag).Send(QByteArrayLiteral("append ") + QByteArray::number(kEach));
  for (const char* tag : {"A", "B"})
    ASSERT_EQ(Writer(tag).WaitForLine(QStringLiteral("appended"), 300000), QStringLiteral("appended")) << tag;
  for (const char* tag : {"A", "B"})
    Step(tag, "close", QStringLiteral("closed"));
  QSet<QString> names;
  for (const char* tag : {"A", "B"})
    for (int i = 1; i <= kEach; ++i)
      names.insert(QLatin1String(tag) + QString::number(i));
  ExpectWhole(names);

  const TOfficeCsv office = ReadInLibreOffice(path);
  if (!office.skip.isEmpty()) GTEST_SKIP() << office.skip.toStdString();
  EXPECT_EQ(office.csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 1 + 2 * kEach)
      << "LibreOffice shows every record";
}

} // namespace
