#include "platform/base/FileMapping.h"

bool TFileMapping::Fail(TFailure failure) {
  failure_ = failure;
  errorString_ = file_.errorString();
  Close();
  return false;
}

bool TFileMapping::Open(const QString& fileName, bool copyOnWrite) {
  Close();
  failure_ = TFailure::None;
  file_.setFileName(fileName);
  if (!file_.open(QIODevice::ReadOnly)) return Fail(TFailure::Open);
  const qint64 size = file_.size();
  if (size < 0) return Fail(TFailure::Size);
  // An empty file cannot be mapped, as with the system's mapping objects.
  if (size == 0) return Fail(TFailure::Map);
  data_ = file_.map(0, size, copyOnWrite ? QFileDevice::MapPrivateOption : QFileDevice::NoOptions);
  if (!data_) return Fail(TFailure::Map);
  size_ = size;
  return true;
}

void TFileMapping::Close() {
  if (data_) file_.unmap(data_);
  data_ = nullptr;
  size_ = 0;
  if (file_.isOpen()) file_.close();
}
