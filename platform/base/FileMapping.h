#pragma once
#include <QtCore/QFile>
#include <QtCore/QString>

// A whole file mapped into memory (QFile::map). Read-only, or copy-on-write:
// writes into the memory change only this process's copy, never the file.
class TFileMapping {
public:
  enum class TFailure { None, Open, Size, Map };

  TFileMapping() = default;
  ~TFileMapping() { Close(); }
  TFileMapping(const TFileMapping&) = delete;
  TFileMapping& operator=(const TFileMapping&) = delete;

  // Maps the file; on failure everything opened so far is closed again and
  // Failure() tells which step failed.
  bool Open(const QString& fileName, bool copyOnWrite);
  void Close();

  uchar* Data() const { return data_; }
  qint64 Size() const { return size_; }
  TFailure Failure() const { return failure_; }
  QString ErrorString() const { return errorString_; }

private:
  bool Fail(TFailure failure);

  QFile file_;
  uchar* data_ = nullptr;
  qint64 size_ = 0;
  TFailure failure_ = TFailure::None;
  QString errorString_;
};
