#pragma once
#include "core/Color.h"
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QPaintDevice>
#include <QtGui/QPaintEngine>
#include <memory>
#include <vector>

// The fixed-pitch font the editor tests measure: Liberation Mono, loaded from
// its files so that every machine measures the same cells.
QFont EditorTestFont(int pointSize = 10);

// One drawing call a painter made.
struct TPaintOp {
  enum Kind { Fill, Text, Line, Image } kind;
  QRect rect;   // Fill: the rectangle; Text: the clip in force; Line: the bounds; Image: the target
  QPoint point; // Text: the baseline start
  QString text;
  QColor color; // fill brush, text and line pen
  QFont font;
  QRect source; // Image: the part of the picture drawn
};

// A paint device that records the calls made on it instead of drawing.
class TRecordingPaintDevice : public QPaintDevice {
public:
  explicit TRecordingPaintDevice(QSize size);
  ~TRecordingPaintDevice() override;
  QPaintEngine* paintEngine() const override;
  const std::vector<TPaintOp>& Ops() const;
  std::vector<TPaintOp> OpsOf(TPaintOp::Kind kind) const;
  // The texts written, in order, each with the colour it was written in.
  QStringList Texts() const;

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  QSize size_;
  std::unique_ptr<QPaintEngine> engine_;
};

QColor Rgb(TColor color);

class TCustomCodeEdit;
// Shows the editor at a known size in the pinned font, without border and
// scroll bars (a hidden editor has no view size yet).
void ShowEditor(TCustomCodeEdit& edit, int width = 400, int height = 200);
// The editor's lines, for comparing texts in tests.
QStringList EditorLines(const TCustomCodeEdit& edit);
