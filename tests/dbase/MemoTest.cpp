#include "DbfBytes.h"
#include "dbase/xb_memo.h"
#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MemoFileTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("m.dbt"));

  template <typename Memo> std::unique_ptr<Memo> Create(TableFormat version, int blockSize) {
    auto memo = std::make_unique<Memo>(nullptr);
    memo->SetFileName(path);
    memo->SetMode(PagedFileMode::ExclusiveNew);
    memo->Version = version;
    memo->MemoBlockSize = blockSize;
    memo->OpenMemo();
    return memo;
  }
  template <typename Memo> std::unique_ptr<Memo> OpenExisting(TableFormat version) {
    auto memo = std::make_unique<Memo>(nullptr);
    memo->SetFileName(path);
    memo->SetMode(PagedFileMode::ExclusiveExisting);
    memo->Version = version;
    memo->OpenMemo();
    return memo;
  }
};

TEST_F(MemoFileTest, DbaseIIIValuesEndWithTwoMarks) {
  const struct {
    int length;
    int blocks;
    QByteArray tail; // from the value's last byte: the two marks, then the blank padding of the block (if any)
  } cases[] = {
      {510, 1, QByteArray("x\x1A\x1A")}, {511, 2, QByteArray("x\x1A\x1A ")}, {512, 2, QByteArray("x\x1A\x1A ")}};
  for (const auto& c : cases) {
    QFile::remove(path);
    auto memo = Create<TDbaseMemoFile>(TableFormat::Dbase3, 512);
    const QByteArray value(c.length, 'x');
    int block = 0;
    memo->WriteMemo(block, 0, value);
    EXPECT_EQ(block, 1);
    EXPECT_EQ(memo->NextFreeBlock(), 1 + c.blocks) << c.length;
    EXPECT_EQ(memo->ReadMemo(block), value) << c.length;
    memo->CloseMemo();
    const QByteArray file = DbfBytes::ReadFile(path);
    ASSERT_EQ(file.size(), 512 * (1 + c.blocks)) << c.length;
    EXPECT_EQ(file[16], 3);
    EXPECT_EQ(file.mid(512 + c.length - 1, 4), c.tail) << c.length;
  }
}

TEST_F(MemoFileTest, DbaseIVBlockHeaderAndPlacement) {
  auto memo = Create<TDbaseMemoFile>(TableFormat::Dbase4, 512);
  EXPECT_EQ(memo->NextFreeBlock(), 1);
  int block = 0;
  memo->WriteMemo(block, 0, QByteArray(100, 'a'));
  ASSERT_EQ(block, 1);
  memo->WriteMemo(block, 100, QByteArray(100, 'b'));
  EXPECT_EQ(block, 1) << "a value of the same size is rewritten in place";
  EXPECT_EQ(memo->ReadMemo(1), QByteArray(100, 'b'));
  memo->WriteMemo(block, 100, QByteArray(600, 'c'));
  EXPECT_EQ(block, 2) << "a value needing more blocks moves to the end";
  EXPECT_EQ(memo->NextFreeBlock(), 4);
  EXPECT_EQ(memo->ReadMemo(2), QByteArray(600, 'c'));
  memo->CloseMemo();
  const QByteArray file = DbfBytes::ReadFile(path);
  EXPECT_EQ(file.mid(512, 8), QByteArray("\xFF\xFF\x08\x00\x6C\x00\x00\x00", 8));
  EXPECT_EQ(file.mid(512 + 108, 4), QByteArray("    "));
  EXPECT_EQ(DbfBytes::Le32(file.constData()), 4u);
}

TEST_F(MemoFileTest, NewFileBlockSizes) {
  // Blocks of dBASE files are multiples of 128 bytes: 64 becomes 512 once the
  // first free block has been counted in blocks of 64.
  const struct { int size, nextFree, blockLength; } cases[] = {{64, 8, 512}, {512, 1, 512}, {1024, 1, 1024}};
  for (const auto& c : cases) {
    QFile::remove(path);
    auto memo = Create<TDbaseMemoFile>(TableFormat::Dbase4, c.size);
    EXPECT_EQ(memo->NextFreeBlock(), c.nextFree) << c.size;
    EXPECT_EQ(memo->BlockLength(), c.blockLength);
    int block = 0;
    memo->WriteMemo(block, 0, QByteArray(130, 'z'));
    EXPECT_EQ(block, c.nextFree);
    EXPECT_EQ(memo->ReadMemo(block), QByteArray(130, 'z'));
  }
}

TEST_F(MemoFileTest, BadBlockLengthsOnOpen) {
  for (const int stored : {0, 100}) {
    QByteArray file = DbfBytes::DbaseIVMemo(512, {});
    DbfBytes::PutLe16(file, 20, quint16(stored));
    DbfBytes::WriteFile(path, file);
    auto dbase = OpenExisting<TDbaseMemoFile>(TableFormat::Dbase4);
    EXPECT_EQ(dbase->BlockLength(), 512) << stored;
    dbase->CloseMemo();
    EXPECT_EQ(DbfBytes::ReadFile(path).mid(20, 2), QByteArray("\x00\x02", 2)) << "the header is rewritten";

    QByteArray fox = DbfBytes::FoxProMemo(64, {});
    fox[6] = 0, fox[7] = char(stored);
    DbfBytes::WriteFile(path, fox);
    auto foxMemo = OpenExisting<TFoxProMemoFile>(TableFormat::FoxPro);
    EXPECT_EQ(foxMemo->BlockLength(), stored) << "a FoxPro file keeps what it has";
    EXPECT_TRUE(foxMemo->ReadMemo(8).isEmpty());
    int block = 0;
    if (stored == 0) {
      EXPECT_THROW(foxMemo->WriteMemo(block, 0, QByteArray("x")), EXbWriteError);
    }
  }
}

TEST_F(MemoFileTest, ReadsStopAtTheEndOfTheFile) {
  auto memo = Create<TDbaseMemoFile>(TableFormat::Dbase3, 512);
  int block = 0;
  memo->WriteMemo(block, 0, QByteArray("abc"));
  for (const int beyond : {0, -1, 2, 1000})
    EXPECT_TRUE(memo->ReadMemo(beyond).isEmpty()) << beyond;
  memo->CloseMemo();
  // A dBASE III value without end marks runs to the end of the file.
  DbfBytes::WriteFile(path, DbfBytes::DbaseIIIMemo({}) + QByteArray(700, 'q'));
  auto open = OpenExisting<TDbaseMemoFile>(TableFormat::Dbase3);
  EXPECT_EQ(open->ReadMemo(1), QByteArray(700, 'q'));
}

TEST_F(MemoFileTest, MemoryStreamIsNotLengthenedByReadsPastItsEnd) {
  QBuffer buffer;
  buffer.setData(DbfBytes::DbaseIIIMemo({QByteArray("abc")}));
  const qint64 size = buffer.size();
  TDbaseMemoFile memo(nullptr);
  memo.AttachStream(&buffer);
  memo.SetMode(PagedFileMode::MemoryExisting);
  memo.Version = TableFormat::Dbase3;
  memo.OpenMemo();
  EXPECT_EQ(memo.ReadMemo(1), QByteArray("abc"));
  EXPECT_TRUE(memo.ReadMemo(1 << 30).isEmpty());
  EXPECT_EQ(buffer.size(), size);
}

TEST_F(MemoFileTest, MissingMemoFileRefusesValues) {
  TNullMemoFile none(nullptr);
  none.OpenMemo();
  EXPECT_TRUE(none.ReadMemo(1).isEmpty());
  int block = 5;
  none.WriteMemo(block, 0, QByteArray());
  EXPECT_EQ(block, 0);
  EXPECT_THROW(none.WriteMemo(block, 0, QByteArray("lost")), EXbWriteError);
}

} // namespace
