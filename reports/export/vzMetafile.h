#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QSize>
#include <QtGui/QPaintDevice>
#include <memory>

class TVezoMetafileEngine;

// A paint device whose drawing becomes a Windows picture file: an enhanced
// metafile (EMF) or a placeable Windows metafile (WMF), one pixel a logical
// unit at 96 dpi. It keeps what the engine's objects draw: filled and
// outlined shapes, lines, text with its font (rotated too), pictures and
// rectangular clipping; brushes are solid. Data() is complete once every
// painter on it has ended.
class TVezoMetafile : public QPaintDevice {
public:
  enum TKind { Enhanced, Placeable };
  static constexpr int kPixelsPerInch = 96;

  TVezoMetafile(TKind kind, QSize size);
  ~TVezoMetafile() override;

  QPaintEngine* paintEngine() const override;
  TKind Kind() const { return kind_; }
  QSize Size() const { return size_; }
  // The file's bytes.
  QByteArray Data() const;

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  TKind kind_;
  QSize size_;
  std::unique_ptr<TVezoMetafileEngine> engine_;
};
