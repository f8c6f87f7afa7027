#pragma once
#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtGui/QPaintDevice>
#include <memory>

// A paint device that keeps no picture, only the order of what was drawn on
// it: every drawing call is one record, and text records keep their text and
// their bounds in device pixels. The preview's find scans a page drawn on it.
class TrpTextScan : public QPaintDevice {
public:
  struct TRecord {
    QString Text; // empty for records that draw no text
    QRect Bounds;
  };
  explicit TrpTextScan(const QSize& size);
  ~TrpTextScan() override;

  QPaintEngine* paintEngine() const override;
  const QList<TRecord>& Records() const { return records_; }

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  class TEngine;
  QSize size_;
  QList<TRecord> records_;
  std::unique_ptr<TEngine> engine_;
};
