#pragma once
#include "reports/engine/rpExportFilter.h"
#include <QtCore/QStringList>

// The plain text export: every line a text object draws is placed on a
// character grid of its page (6.5 report pixels a column, 14 a line, over
// the scale factors); object frames may be drawn with ASCII or DOS
// box-drawing characters, and each page may end with a form feed. The CSV,
// line HTML and line RTF exports collect their lines through it.
class TrpTextExport : public TrpExportFilter {
  Q_OBJECT
public:
  explicit TrpTextExport(QObject* owner = nullptr);

  int OptionsDialog() override;
  void BeginPage() override;
  void EndPage() override;
  void ObjectText(const QRect& drawRect, int x, int y, const QString& text, int frameType, TrpView* object) override;

  double ScaleX = 1, ScaleY = 1;
  bool KillEmptyLines = true;
  bool ConvertToOEM = false;
  bool ExportFrames = false;
  bool UsePseudographic = false;
  bool PageBreaks = true;

protected:
  // For the exports built on it: collects like the text export but registers nothing.
  TrpTextExport(QObject* owner, bool registerSelf);
  // Files a record into its line's chain, in front of the first record whose X is not smaller.
  void InsertRecord(int lineIndex, const TrpExportTextLine& record);
  // The line of a vertical position (14 report pixels a line at scale 1).
  int LineIndexOf(double y) const;
  // The last line index whose chain holds a record, -1 when none does.
  int LastUsedLine() const;

private:
  void LayOutPage();
  void DrawFrame(const TrpExportTextLine& record, int& out, double columnWidth);
  void Mark(int line, int position, int count, int mark);
  void MergeRow(int out, const QString& row);
  QByteArray OutputLine(const QString& line) const;

  QStringList pageText_; // frame marks kept apart from text as private-use characters
};

// The CSV export: each collected line becomes a row of fields separated by
// Delimiter, one field for every left edge of an object on the page, so that
// a column's header and values share a field and two texts never do.
class TrpCSVExport : public TrpTextExport {
  Q_OBJECT
public:
  explicit TrpCSVExport(QObject* owner = nullptr);

  int OptionsDialog() override;
  void EndPage() override;

  QChar Delimiter = QLatin1Char(';');
  // The field as written: in double quotes, its quotes doubled, when it holds the delimiter or a quote.
  QString Field(const QString& text) const;
};
