#pragma once
#include "reports/engine/rpView.h"
#include "reports/objects/rpCross.h"
#include "reports/objects/rpCrossLists.h"
#include <QtCore/QPointer>
#include <memory>

class TrpBandView;
class TrpMemoView;
class TrpPage;
class TrpReport;
class TrpUserDataset;

// A cross-tab in a template: the definition in Memo (line 1 the data set,
// lines 2 to 4 the row, column and cell fields, each followed by ";") and
// its options. Beside it on its page stand seven hidden text objects, the
// format memos, whose look the generated cells copy. The object itself never
// prints: when the report builds, it computes its table and adds to its page
// two row bands and two cross bands with one text object per cell field,
// header column, header row and corner cell, measures them, and fills them
// while they print through the report's events, which all cross-tabs of a
// report share in a chain.
class TrpCrossView : public TrpView {
public:
  static constexpr int kLineHeight = 18; // generated bands and format memos
  static constexpr quint8 kClassVersion = 3;

  TrpCrossView();
  ~TrpCrossView() override;

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  // A miniature cross-tab of its own format memos (made on the first drawing).
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  // "Repeat captions", "Internal frame" and "Show header" with check marks.
  void AddContextMenuItems(QList<TrpContextMenuItem>& items) override;
  void OpenEditor() override;

  // The caption Dictionary gives the name, else the name.
  QString FieldCaption(const QString& name) const;
  // The format memo of that prefix ("CellMemo" ...) on the report; null when absent.
  TrpMemoView* FormatMemo(const QString& prefix) const;
  // The seven format memos appended to the object's page.
  void CreateFormatMemos();
  // The caption dictionary's editor: an empty dictionary is first filled with one line per field.
  void EditDictionary();
  // The Name= lines an empty dictionary starts with.
  QStringList DictionaryTemplate() const;

  // --- the build (handlers of the report's events)
  void BeforeBuild();
  void BeforePrint(QStringList& lines, TrpView* object);
  void PrintColumn(int column, int& width);
  void EndDoc();
  // A caption longer than MaxNameLen becomes its abbreviation of asterisks.
  QString ShortCaption(const QString& caption);
  // One line per abbreviation: "*** - caption".
  QString ShortNameLegend() const;

  bool InternalFrame = false;
  bool RepeatCaptions = false;
  bool ShowHeader = true;
  bool ShowGrandTotal = true;
  qint32 DataWidth = -1;
  qint32 HeaderWidth = -1;
  QStringList Dictionary; // Name=Caption
  qint32 MaxNameLen = 100;
  QString DataCaption = QStringLiteral("Data");

  QPointer<TrpReport> Report;
  TrpCrossHandlers Saved; // the handlers the report had when the object joined

  // --- run time, valid during one build
  std::unique_ptr<TrpCross> Cross;
  QPointer<TrpUserDataset> RowDS, ColumnDS;
  QList<int> ColumnWidths, RowHeights, SpanBreaks;
  int CellHeight = 0, GrandTotalHeight = 0, CaptionSpanBreak = 0;
  QString LongestCellCaption;
  QList<QPair<QString, QString>> ShortNames; // caption, abbreviation
  bool Measuring = false;
  bool Disabled = true;
  QList<TrpMemoView*> Generated; // the table's text objects of the running build

private:
  void RunBeforeBuild(TrpRunContext& run);
  // Line 1's data set on the report's owner; a name it does not find raises Exception.
  TDataSet* FindCrossDataSet(const QString& name) const;
  void SetCaptions();
  TrpView* AddGenerated(TrpPage& page, std::unique_ptr<TrpView> object, const QString& name, const QRect& bounds);
  TrpBandView* AddBand(TrpPage& page, const char* prefix, int type, const QRect& bounds);
  void BuildBands(TrpRunContext& run, TrpPage& page);
  void MeasureCells(TrpRunContext& run);
  void MeasureCellField(TrpRunContext& run, TrpMemoView& m);
  // The width of a table column: the option's, else the measured one.
  int ColumnWidth(int column) const;
  // Stacks the cell objects and sizes the data band for the row data set's record (the grand total has its height).
  void ArrangeDataRow();
  void FreeBuild();
  // BeforePrint's work on one generated object.
  void FillObject(TrpRunContext& run, TrpMemoView& memo);
  // Widens a header over the following columns while `continues` and the page allows; a cut is kept in `spanBreak`.
  void WidenHeader(const TrpRunContext& run, TrpMemoView& memo, int from, int& spanBreak,
                   const std::function<bool(int)>& continues);
  QString FormattedValue(TrpRunContext& run, TrpMemoView& memo, const QVariant& value) const;
  // The corner's caption: the cell fields' shortened captions, each followed by two blanks.
  QString CornerCaption();
  // The text of the header group the cell at (row, column) belongs to: the nearest one at its left.
  QVariant GroupText(int row, int column) const;
  // The page of the report whose list holds this object; null when none does.
  TrpPage* HoldingPage() const;
  // A format memo copies its look (not its frame lines, place or text) into a generated object.
  void CopyMemoFormat(const TrpRunContext& run, TrpMemoView& target, const char* prefix) const;

  TrpBandView *header1_ = nullptr, *data1_ = nullptr, *header2_ = nullptr, *data2_ = nullptr;
  QList<TrpMemoView*> cells_, headerColumns_, headerRows_;
};

// The field name of an entry ("NAME" of "NAME+", "NAME+sum").
QString rpCrossFieldName(const QString& entry);
// The field entries of a definition line, as many as it has ";".
QStringList rpCrossFieldEntries(const QString& line);
