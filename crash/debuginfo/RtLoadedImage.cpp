#include "crash/debuginfo/RtLoadedImage.h"
#include "crash/debuginfo/RtPeImage.h"
#include <QtCore/QFile>
#include <cstring>

TRtLoadedImage::TRtLoadedImage(const QByteArray& fileBytes, const QString& fileName, quint32 maxImageSize)
    : fileName_(fileName) {
  laidOut_ = LayOut(fileBytes, maxImageSize);
  if (!laidOut_) memory_ = fileBytes;
  // A detached, non-shared copy: the module's memory may be written
  // (import entries) and must stay where it is.
  memory_.detach();
}

TRtLoadedImage TRtLoadedImage::FromFile(const QString& fileName) {
  QFile file(fileName);
  return TRtLoadedImage(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), fileName);
}

TRtModule TRtLoadedImage::Module() const {
  if (memory_.isEmpty()) return {};
  return {quintptr(memory_.constData()), fileName_, quint64(memory_.size())};
}

bool TRtLoadedImage::LayOut(const QByteArray& fileBytes, quint32 maxImageSize) {
  const TRtByteView file(reinterpret_cast<const uchar*>(fileBytes.constData()), quint64(fileBytes.size()));
  const std::optional<quint32> nt = NtHeadersOffset(file);
  if (!nt) return false;
  const quint32 imageSize = file.U32(*nt + RtPe::kOptSizeOfImage).value_or(0);
  const quint32 headersSize = file.U32(*nt + RtPe::kOptSizeOfHeaders).value_or(0);
  if (imageSize == 0 || imageSize > maxImageSize || headersSize > imageSize) return false;
  memory_ = QByteArray(qsizetype(imageSize), '\0');
  std::memcpy(memory_.data(), file.Data(), size_t(qMin<quint64>(headersSize, file.Size())));
  const TRtByteView image(reinterpret_cast<const uchar*>(memory_.constData()), imageSize);
  for (const TRtSectionHeader& section : ReadSectionHeaders(file, *nt)) {
    quint32 length = section.SizeOfRawData;
    if (section.VirtualSize != 0) length = qMin(length, section.VirtualSize);
    const TRtByteView raw = file.Sub(section.PointerToRawData, length);
    if (raw.IsEmpty() || !image.Contains(section.VirtualAddress, raw.Size())) continue;
    std::memcpy(memory_.data() + section.VirtualAddress, raw.Data(), size_t(raw.Size()));
  }
  return true;
}
