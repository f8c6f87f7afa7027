#pragma once
#include <QtCore/QSize>
#include <QtGui/QPaintDevice>

// What a paint device of `size` pixels answers QPainter when its pages are
// laid out for a 96-dpi screen: the devices that record or scan painting
// rather than show it (text scan, metafile) measure as that screen does.
int ScreenPaintMetric(QPaintDevice::PaintDeviceMetric metric, QSize size);
