#include "DbfBytes.h"
#include "dbase/xb_pgfile.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PagedFileTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
  QString MakeFile(const char* name, const QByteArray& bytes) const {
    const QString path = Path(name);
    EXPECT_TRUE(DbfBytes::WriteFile(path, bytes));
    return path;
  }
};

TEST_F(PagedFileTest, MissingFileIsCreatedOnlyWhenAsked) {
  TPagedFile created;
  created.SetFileName(Path("new.bin"));
  created.SetMode(PagedFileMode::SharedExisting);
  created.SetCreateIfMissing(true);
  created.Open();
  EXPECT_EQ(created.Mode(), PagedFileMode::SharedNew);
  EXPECT_TRUE(QFile::exists(Path("new.bin")));
  created.Close();
  EXPECT_EQ(created.Mode(), PagedFileMode::SharedExisting);

  TPagedFile missing;
  missing.SetFileName(Path("absent.bin"));
  missing.SetMode(PagedFileMode::ExclusiveExisting);
  try {
    missing.Open();
    FAIL() << "no error for a missing file";
  } catch (const EXbError&) {
    FAIL() << "the missing file must not be a dBASE error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Open: file not found: \"%1\".").arg(Path("absent.bin")));
  }
  EXPECT_FALSE(missing.Active());
  EXPECT_FALSE(QFile::exists(Path("absent.bin")));
}

TEST_F(PagedFileTest, HeaderBeyondTheFileReadsZeros) {
  const QString path = MakeFile("short.bin", QByteArray("ABCDEF"));
  TPagedFile file;
  file.SetFileName(path);
  file.Open();
  file.SetHeaderSize(10);
  EXPECT_EQ(QByteArray(file.Header(), 10), QByteArray("ABCDEF\0\0\0\0", 10));
  EXPECT_EQ(file.RecordCount(), 0);
  file.SetRecordSize(4);
  EXPECT_EQ(file.RecordCount(), 0) << "a file shorter than its header has no records";
  file.SetHeaderOffset(8);
  file.ReloadHeader();
  EXPECT_EQ(QByteArray(file.Header(), 10), QByteArray(10, '\0'));
}

TEST_F(PagedFileTest, PageOffsets) {
  struct Case {
    bool afterHeader;
    int headerOffset, headerSize, pageSize, page;
    qint64 offset;
  } cases[] = {
      {true, 0, 100, 10, 0, 0},      {true, 0, 100, 10, 1, 100}, {true, 4, 100, 10, 3, 124},
      {false, 0, 512, 512, 3, 1536}, {false, 0, 512, 64, 0, 0},
  };
  for (const Case& c : cases) {
    TPagedFile file;
    file.SetPagesAfterHeader(c.afterHeader);
    file.SetHeaderOffset(c.headerOffset);
    file.SetHeaderSize(c.headerSize);
    file.SetRecordSize(c.pageSize);
    EXPECT_EQ(file.PageOffset(c.page), c.offset) << c.page;
  }
}

TEST_F(PagedFileTest, RecordsReadWriteAndCount) {
  const QString path = MakeFile("rec.bin", QByteArray("HH") + "aaaa" + "bbbb" + "cc");
  TPagedFile file;
  file.SetFileName(path);
  file.SetMode(PagedFileMode::ExclusiveExisting);
  file.Open();
  file.SetHeaderSize(2);
  file.SetRecordSize(4);
  EXPECT_EQ(file.RecordCount(), 2);
  EXPECT_TRUE(file.HasRecord(0));
  EXPECT_TRUE(file.HasRecord(2));
  EXPECT_FALSE(file.HasRecord(3));
  char buffer[4];
  EXPECT_EQ(file.ReadRecord(2, buffer), 4);
  EXPECT_EQ(QByteArray(buffer, 4), QByteArray("bbbb"));
  EXPECT_EQ(file.ReadRecord(3, buffer), 2) << "a cut last record gives the bytes present";
  EXPECT_EQ(file.ReadRecord(9, buffer), 0);
  file.WriteRecord(3, "dddd");
  EXPECT_EQ(file.RecordCount(), 3);
  file.SetRecordCount(1);
  EXPECT_EQ(file.RecordCount(), 1);
  file.Close();
  EXPECT_EQ(DbfBytes::ReadFile(path), QByteArray("HHaaaa"));
}

// Records appended to a file that no other process writes may be gathered,
// but every read, rewrite and measure sees them, and the file holds them in
// order after the close; a shared file has each one on disk at once.
TEST_F(PagedFileTest, AppendedRecordsAreSeenBeforeTheyAreWritten) {
  for (const PagedFileMode mode : {PagedFileMode::ExclusiveExisting, PagedFileMode::SharedExisting}) {
    const QString path = MakeFile("append.bin", QByteArray("HH"));
    TPagedFile file;
    file.SetFileName(path);
    file.SetMode(mode);
    file.Open();
    file.SetHeaderSize(2);
    file.SetRecordSize(1000);
    QByteArray expected("HH");
    // 300 records of 1000 bytes: more than one batch.
    for (int n = 1; n <= 300; ++n) {
      const QByteArray record(1000, char('A' + n % 26));
      file.WriteRecord(n, record.constData());
      expected += record;
      if (mode == PagedFileMode::SharedExisting && n == 7)
        EXPECT_EQ(DbfBytes::ReadFile(path).size(), 2 + 7 * 1000) << "a shared file writes each record at once";
    }
    EXPECT_EQ(file.RecordCount(), 300);
    const QByteArray changed(1000, 'z');
    file.WriteRecord(299, changed.constData());
    expected.replace(2 + 298 * 1000, 1000, changed);
    QByteArray buffer(1000, '\0');
    EXPECT_EQ(file.ReadRecord(299, buffer.data()), 1000);
    EXPECT_EQ(buffer, changed);
    EXPECT_EQ(file.ReadRecord(300, buffer.data()), 1000);
    EXPECT_EQ(buffer, expected.right(1000));
    file.WriteRecord(301, changed.constData());
    expected += changed;
    file.SetRecordCount(300);
    expected.chop(1000);
    file.Close();
    EXPECT_EQ(DbfBytes::ReadFile(path), expected) << int(mode);
  }
}

TEST_F(PagedFileTest, HeaderReachesDiskAtCloseOrAtOnceWhenShared) {
  for (const PagedFileMode mode : {PagedFileMode::ExclusiveExisting, PagedFileMode::SharedExisting}) {
    const QString path = MakeFile("hdr.bin", QByteArray(8, '0'));
    TPagedFile file;
    file.SetFileName(path);
    file.SetMode(mode);
    file.Open();
    file.SetHeaderSize(4);
    file.Header()[0] = 'X';
    file.WriteHeader();
    const bool shared = mode == PagedFileMode::SharedExisting;
    EXPECT_EQ(DbfBytes::ReadFile(path).left(1), QByteArray(shared ? "X" : "0"));
    file.Close();
    EXPECT_EQ(DbfBytes::ReadFile(path).left(1), QByteArray("X"));
  }
}

TEST_F(PagedFileTest, WriteToReadOnlyFileSetsStickyFlag) {
  const QString path = MakeFile("ro.bin", QByteArray(8, '0'));
  TPagedFile file;
  file.SetFileName(path);
  file.SetMode(PagedFileMode::ReadOnlyShared);
  file.Open();
  file.SetRecordSize(4);
  file.WriteRecord(1, "zzzz");
  EXPECT_TRUE(file.WriteFailed());
  file.ReadRecord(1, std::array<char, 4>().data());
  EXPECT_TRUE(file.WriteFailed()) << "the flag stays until cleared";
  file.ClearWriteFailed();
  EXPECT_FALSE(file.WriteFailed());
}

TEST_F(PagedFileTest, PageLocksExcludeOtherHandles) {
  const QString path = MakeFile("lock.bin", QByteArray(64, ' '));
  TPagedFile a, b;
  for (TPagedFile* f : {&a, &b}) {
    f->SetFileName(path);
    f->SetMode(PagedFileMode::SharedExisting);
    f->Open();
    f->SetRecordSize(8);
  }
  ASSERT_TRUE(a.LockPage(1, false));
  EXPECT_FALSE(b.LockPage(1, false));
  EXPECT_TRUE(b.LockPage(2, false)) << "page 2 has its own lock byte";
  EXPECT_TRUE(b.LockPage(0, false));
  a.UnlockPage(1);
  EXPECT_TRUE(b.LockPage(1, false));
  // Page-number locks lie far beyond the data, so reading is never blocked.
  char buffer[8];
  EXPECT_EQ(a.ReadRecord(1, buffer), 8);

  TPagedFile exclusive;
  exclusive.SetFileName(MakeFile("ex.bin", QByteArray(8, ' ')));
  exclusive.SetMode(PagedFileMode::ExclusiveExisting);
  exclusive.Open();
  EXPECT_TRUE(exclusive.LockPage(1, false));
  EXPECT_TRUE(exclusive.LockPage(1, false)) << "without sharing no lock is taken";
}

TEST_F(PagedFileTest, ExclusiveSwitchNeedsTheOnlyWriter) {
  const QString path = MakeFile("share.bin", QByteArray(8, ' '));
  TPagedFile a, other;
  for (TPagedFile* f : {&a, &other}) {
    f->SetFileName(path);
    f->SetMode(PagedFileMode::SharedExisting);
    f->Open();
  }
  a.AttemptExclusive();
  EXPECT_TRUE(a.Active());
  EXPECT_EQ(a.Mode(), PagedFileMode::SharedExisting);
  EXPECT_THROW(a.RequireExclusive(), EXbError);

  other.Close();
  a.AttemptExclusive();
  EXPECT_EQ(a.Mode(), PagedFileMode::ExclusiveExisting);
  EXPECT_NO_THROW(a.RequireExclusive());
  EXPECT_THROW(other.Open(), EFOpenError) << "an exclusive handle keeps writers out";
  TPagedFile reader;
  reader.SetFileName(path);
  reader.SetMode(PagedFileMode::ReadOnlyShared);
  EXPECT_NO_THROW(reader.Open()) << "readers may still open the file";
  a.LeaveExclusive();
  EXPECT_EQ(a.Mode(), PagedFileMode::SharedExisting);
  EXPECT_NO_THROW(other.Open());
}

TEST_F(PagedFileTest, MemoryStreamSurvivesClose) {
  TPagedFile file;
  file.SetMode(PagedFileMode::MemoryNew);
  file.Open();
  file.SetRecordSize(3);
  file.SetPagesAfterHeader(false);
  file.WriteRecord(2, "xyz");
  file.Close();
  file.Open();
  char buffer[3];
  ASSERT_EQ(file.ReadRecord(2, buffer), 3);
  EXPECT_EQ(QByteArray(buffer, 3), QByteArray("xyz"));
  EXPECT_EQ(file.RecordCount(), 3);
}

} // namespace
