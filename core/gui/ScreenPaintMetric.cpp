#include "core/gui/ScreenPaintMetric.h"

int ScreenPaintMetric(QPaintDevice::PaintDeviceMetric metric, QSize size) {
  constexpr int kPixelsPerInch = 96;
  switch (metric) {
  case QPaintDevice::PdmWidth:
    return size.width();
  case QPaintDevice::PdmHeight:
    return size.height();
  case QPaintDevice::PdmWidthMM:
    return size.width() * 254 / (kPixelsPerInch * 10);
  case QPaintDevice::PdmHeightMM:
    return size.height() * 254 / (kPixelsPerInch * 10);
  case QPaintDevice::PdmNumColors:
    return 1 << 24;
  case QPaintDevice::PdmDepth:
    return 32;
  case QPaintDevice::PdmDpiX:
  case QPaintDevice::PdmDpiY:
  case QPaintDevice::PdmPhysicalDpiX:
  case QPaintDevice::PdmPhysicalDpiY:
    return kPixelsPerInch;
  case QPaintDevice::PdmDevicePixelRatio:
    return 1;
  case QPaintDevice::PdmDevicePixelRatioScaled:
    return int(QPaintDevice::devicePixelRatioFScale());
  default:
    return 0;
  }
}
