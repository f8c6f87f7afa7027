#include "dbase/xb_memo.h"
#include "dbase/xb_file.h"
#include <QtCore/QtEndian>
#include <cstring>

namespace {
constexpr int kMinBlockLength = 16;
} // namespace

TMemoFile::TMemoFile(TXbFile* table) {
  if (table) SetTemporaryMode(table->TemporaryMode());
}

TMemoFile::~TMemoFile() { CloseMemo(); }

void TMemoFile::OpenMemo() {
  if (open_) return;
  SetPagesAfterHeader(false);
  Open();
  SetHeaderSize(512);
  if (Version == TableFormat::Dbase3) Header()[16] = 3;
  SetPageNumberLocks(false);
  if (IsCreating(Mode())) {
    SetNextFreeBlock(MemoBlockSize != 0 && MemoBlockSize <= 512 ? 512 / MemoBlockSize : 1);
    SetBlockLength(MemoBlockSize);
    WriteHeader();
  }
  SetRecordSize(BlockLength());
  if (Version != TableFormat::FoxPro && (RecordSize() == 0 || RecordSize() % 128 != 0)) {
    SetBlockLength(512);
    SetRecordSize(512);
    WriteHeader();
  }
  buffer_ = QByteArray(std::max(RecordSize(), kMinBlockLength) + 2, '\0');
  open_ = true;
}

void TMemoFile::CloseMemo() {
  if (!open_) return;
  Close();
  buffer_.clear();
  open_ = false;
}

int TMemoFile::ReadBlock(int block) {
  const int length = BlockLength();
  const int read = ReadRecord(block, buffer_.data());
  // A cut last block must not show the bytes of the block read before it.
  if (read > 0 && read < length) std::memset(buffer_.data() + read, 0, size_t(length - read));
  return read;
}

QByteArray TMemoFile::ReadMemo(int block) {
  QByteArray out;
  // A block too short for its own header holds no readable value.
  if (!open_ || block <= 0 || BlockLength() < kMinBlockLength) return out;
  const int valid = ReadBlock(block);
  if (valid == 0) return out;
  const int length = MemoLength();
  if (length == -1)
    ReadToEndMarks(block, valid, out);
  else
    ReadKnownLength(block, length, out);
  return out;
}

void TMemoFile::ReadKnownLength(int block, int length, QByteArray& out) {
  const int blockLength = BlockLength();
  // A stored length beyond the end of the file ends with the file.
  const qint64 available = StreamSize() - PageOffset(block) - 8;
  length = int(std::clamp<qint64>(length, 0, std::max<qint64>(available, 0)));
  out.resize(length);
  int copied = 0, offset = 8;
  while (copied < length) {
    const int n = std::min(length - copied, blockLength - offset);
    std::memcpy(out.data() + copied, Block() + offset, size_t(n));
    copied += n;
    if (copied < length) ReadBlock(++block);
    offset = 0;
  }
}

void TMemoFile::ReadToEndMarks(int block, int valid, QByteArray& out) {
  for (;;) {
    const std::optional<int> mark = FindByte(Block(), 0x1A, valid);
    if (mark && *mark < valid - 1 && (Block()[*mark + 1] == 0x1A || Block()[*mark + 1] == 0)) {
      out.append(Block(), *mark);
      return;
    }
    out.append(Block(), valid);
    const char last = Block()[valid - 1];
    valid = ReadBlock(++block);
    if (valid == 0) return;
    if (last == 0x1A && (Block()[0] == 0x1A || Block()[0] == 0)) {
      out.chop(1);
      return;
    }
  }
}

void TMemoFile::WriteMemo(int& block, int previousLength, const QByteArray& source) {
  if (source.isEmpty()) {
    block = 0;
    return;
  }
  const int blockLength = BlockLength();
  if (!open_ || blockLength < kMinBlockLength) throw EXbWriteError(XbMessages::WriteError());
  const bool dbase3 = Version == TableFormat::Dbase3;
  int before = dbase3 ? 0 : 8;
  int marksOwed = dbase3 ? 2 : 0;
  const qint64 needed = (before + source.size() + marksOwed + blockLength - 1) / blockLength;
  const qint64 had = (qint64(previousLength) + blockLength - 1) / blockLength;
  const bool append = block <= 0 || needed > had;
  if (append) {
    LockPage(0, true);
    if (NeedsLocks()) ReloadHeader();
    block = NextFreeBlock();
    if (block == 0) {
      SetNextFreeBlock(1);
      block = 1;
    }
  }
  char* buffer = buffer_.data();
  std::memset(buffer, ' ', size_t(blockLength));
  if (before == 8) {
    if (Version == TableFormat::FoxPro) {
      qToBigEndian<quint32>(1, buffer);
      qToBigEndian<quint32>(quint32(source.size()), buffer + 4);
    } else {
      qToLittleEndian<quint32>(0x0008FFFF, buffer);
      qToLittleEndian<quint32>(quint32(source.size() + 8), buffer + 4);
    }
  }
  int current = block;
  qsizetype position = 0;
  for (;;) {
    const qsizetype n = std::min<qsizetype>(blockLength - before, source.size() - position);
    std::memcpy(buffer + before, source.constData() + position, size_t(n));
    position += n;
    int used = before + int(n);
    while (used < blockLength && marksOwed > 0 && position == source.size()) {
      buffer[used++] = 0x1A;
      --marksOwed;
    }
    if (used == 0) break;
    std::memset(buffer + used, ' ', size_t(blockLength - used));
    WriteRecord(current++, buffer);
    before = 0;
    if (position == source.size() && marksOwed == 0) break;
  }
  if (append) {
    SetNextFreeBlock(current);
    WriteHeader();
    UnlockPage(0);
  }
}

// ---- dBASE layout -----------------------------------------------------------

int TDbaseMemoFile::BlockLength() const {
  return Version == TableFormat::Dbase3 ? 512 : qFromLittleEndian<quint16>(Header() + 20);
}

int TDbaseMemoFile::MemoLength() const {
  if (qFromLittleEndian<quint32>(Block()) != 0x0008FFFF) return -1;
  const quint32 total = qFromLittleEndian<quint32>(Block() + 4);
  if (total < 8) throw EXbError(XbMessages::InvalidMemoBlock().arg(total));
  return int(std::min<quint32>(total - 8, quint32(std::numeric_limits<int>::max())));
}

int TDbaseMemoFile::NextFreeBlock() const { return int(qFromLittleEndian<quint32>(Header())); }
void TDbaseMemoFile::SetNextFreeBlock(int block) { qToLittleEndian<quint32>(quint32(block), Header()); }
void TDbaseMemoFile::SetBlockLength(int length) { qToLittleEndian<quint16>(quint16(length), Header() + 20); }

// ---- FoxPro layout ----------------------------------------------------------

int TFoxProMemoFile::BlockLength() const { return qFromBigEndian<quint16>(Header() + 6); }

int TFoxProMemoFile::MemoLength() const {
  return int(std::min<quint32>(qFromBigEndian<quint32>(Block() + 4), quint32(std::numeric_limits<int>::max())));
}

int TFoxProMemoFile::NextFreeBlock() const { return int(qFromBigEndian<quint32>(Header())); }
void TFoxProMemoFile::SetNextFreeBlock(int block) { qToBigEndian<quint32>(quint32(block), Header()); }
void TFoxProMemoFile::SetBlockLength(int length) { qToBigEndian<quint16>(quint16(length), Header() + 6); }

// ---- missing memo file ----------------------------------------------------------

void TNullMemoFile::WriteMemo(int& block, int, const QByteArray& source) {
  // The memo file is missing: a value would be lost, so it is refused.
  if (!source.isEmpty()) throw EXbWriteError(XbMessages::WriteError());
  block = 0;
}
