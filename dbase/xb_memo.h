#pragma once
#include "dbase/xb_fields.h"
#include "dbase/xb_pgfile.h"

class TXbFile;

// The memo file beside a table: fixed-size blocks numbered from the start of
// the file, block 0 the header; a value occupies consecutive blocks from the
// block number stored in its field. Subclasses give the header layout. A memo
// file made for a table takes over the table's temporary exclusive mode.
class TMemoFile : public TPagedFile {
public:
  explicit TMemoFile(TXbFile* table);
  ~TMemoFile() override;

  TableFormat Version = TableFormat::Dbase4;
  // Block size for a new file; 0 when none was asked.
  int MemoBlockSize = 0;

  virtual int BlockLength() const = 0;
  // Data length of the memo whose first block is in the buffer, -1 when the layout does not tell.
  virtual int MemoLength() const = 0;
  virtual int NextFreeBlock() const = 0;
  virtual void SetNextFreeBlock(int block) = 0;
  virtual void SetBlockLength(int length) = 0;

  virtual void OpenMemo();
  virtual void CloseMemo();
  bool MemoOpen() const { return open_; }
  // The value whose first block is `block`; empty for block 0 or a block past the end.
  virtual QByteArray ReadMemo(int block);
  // Stores the value in place when it fits the blocks of the previous one
  // (`previousLength` bytes), else appends it; `block` gets its first block
  // (0 for an empty value). Raises EXbWriteError when the file has no block length.
  virtual void WriteMemo(int& block, int previousLength, const QByteArray& source);

protected:
  const char* Block() const { return buffer_.constData(); }

private:
  int ReadBlock(int block);
  void ReadKnownLength(int block, int length, QByteArray& out);
  void ReadToEndMarks(int block, int valid, QByteArray& out);

  bool open_ = false;
  QByteArray buffer_;
};

// The dBASE layout (little-endian header: next free block at 0, block length at 20).
class TDbaseMemoFile : public TMemoFile {
public:
  using TMemoFile::TMemoFile;
  int BlockLength() const override;
  int MemoLength() const override;
  int NextFreeBlock() const override;
  void SetNextFreeBlock(int block) override;
  void SetBlockLength(int length) override;
};

// The FoxPro layout (big-endian header: next free block at 0, block length at 6).
class TFoxProMemoFile : public TMemoFile {
public:
  using TMemoFile::TMemoFile;
  int BlockLength() const override;
  int MemoLength() const override;
  int NextFreeBlock() const override;
  void SetNextFreeBlock(int block) override;
  void SetBlockLength(int length) override;
};

// Stands in for a memo file that is missing: reads nothing, writes nothing.
class TNullMemoFile : public TMemoFile {
public:
  using TMemoFile::TMemoFile;
  int BlockLength() const override { return 0; }
  int MemoLength() const override { return 0; }
  int NextFreeBlock() const override { return 0; }
  void SetNextFreeBlock(int) override {}
  void SetBlockLength(int) override {}
  void OpenMemo() override {}
  void CloseMemo() override {}
  QByteArray ReadMemo(int) override { return {}; }
  void WriteMemo(int& block, int, const QByteArray& source) override;
};
