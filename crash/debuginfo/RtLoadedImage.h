#pragma once
#include "crash/debuginfo/RtModules.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>

// A PE file laid out in memory by its section addresses, as the system's
// loader would place it: the stand-in for a loaded module of another
// platform. Bytes that hold no PE image that can be laid out are kept as they
// are, so the reader finds no PE headers (or finds what the bytes say,
// always inside them).
class TRtLoadedImage {
public:
  // Images that claim more memory than this are not laid out.
  static constexpr quint32 kMaxImageSize = 32u << 20;

  TRtLoadedImage(const QByteArray& fileBytes, const QString& fileName, quint32 maxImageSize = kMaxImageSize);
  // Reads the file; an unreadable file gives an empty image.
  static TRtLoadedImage FromFile(const QString& fileName);

  TRtLoadedImage(const TRtLoadedImage&) = delete;
  TRtLoadedImage& operator=(const TRtLoadedImage&) = delete;
  TRtLoadedImage(TRtLoadedImage&&) = default;

  // The image as a module: its base is where the image lies in memory.
  TRtModule Module() const;
  uchar* Data() { return reinterpret_cast<uchar*>(memory_.data()); }
  qsizetype Size() const { return memory_.size(); }
  bool IsLaidOut() const { return laidOut_; }

private:
  bool LayOut(const QByteArray& fileBytes, quint32 maxImageSize);

  QByteArray memory_;
  QString fileName_;
  bool laidOut_ = false;
};
