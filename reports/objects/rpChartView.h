#pragma once
#include "reports/engine/rpView.h"
#include "reports/objects/rpChart.h"
#include <QtCore/QByteArray>
#include <memory>

// A business chart of values the report prints elsewhere: while the report
// is built it collects the printed texts of two named objects (captions and
// values) into Memo, line 0 the captions and line 1 on the values, each item
// followed by ";", and draws them as one series or one series per caption.
// Without data and object names it keeps a picture (a QPicture recording).
class TrpChartView : public TrpView {
public:
  TrpChartView();
  ~TrpChartView() override;

  void ListProperties() override;
  void NotifyObjectPrinted(TrpView* object) override;
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  // The collected Memo goes with the prepared object; the next band starts a new collection.
  void WritePrepared(TrpRunContext& run, TBinaryWriter& stream) override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void AddContextMenuItems(QList<TrpContextMenuItem>& items) override {}
  void OpenEditor() override;

  // Builds the chart from WorkLines and draws it into DrawRect; false when
  // there is nothing to draw (no captions or values, or counts that disagree).
  bool ShowChart(const TrpRunContext& run, QPainter* canvas, const QSize& designSize);
  // Fills the chart's series from WorkLines; false as for ShowChart.
  bool BuildSeries();
  bool PictureForm() const { return Memo.isEmpty() && CaptionObject.isEmpty() && ValueObject.isEmpty(); }
  TrpChart& Chart() { return *chart_; }

  // An item's number: junk before the first "-" or digit and after the last
  // digit dropped, thousand separators removed, the locale's decimal
  // separator; 0 for a text that is no number.
  static double ParseNumber(const QString& item);
  // Keeps the `count` largest values, largest first, and adds the sum of the
  // others as one more point under `restCaption` when that is not empty.
  static void KeepLargest(QStringList& captions, QStringList& values, int count, const QString& restCaption);

  quint8 ChartType = ckLine;
  bool Chart3D = true;
  bool Single = true;
  bool ShowLegend = true;
  bool ShowAxes = false;
  bool ShowMarks = true;
  bool MultiColor = true;
  quint8 MarksStyle = msValue;
  qint32 TopCount = 0;
  QByteArray Reserved = QByteArray(36, '\0'); // completes the 48-byte settings block, kept as read
  QString CaptionObject;
  QString ValueObject;
  QString RestCaption;
  int SeriesCounter = 0; // captions collected in multi-series mode
  QByteArray Picture;    // a stored picture: the bytes of a QPicture recording

private:
  void PrepareChart();
  // Stretches the picture's `source` rectangle into DrawRect.
  void DrawPicture(const TrpRunContext& run, QPainter* canvas, const QPicture& picture, const QRect& source) const;

  std::unique_ptr<TrpChart> chart_;
};
