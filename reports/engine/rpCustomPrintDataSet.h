#pragma once
#include "core/Color.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStream.h"
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <functional>

class TDataSet;
class TField;
class TrpDBDataSet;
class TrpUserDataset;

// The frame lines a section draws, combined as flags.
enum TrpFrameLine : int { rpLeft = 1, rpTop = 2, rpRight = 4, rpBottom = 8, rpAllFrameLines = 15 };

// Font, fill and frame of one part of an ad-hoc table.
class TrpSectionParams {
public:
  TrpSectionParams();
  virtual ~TrpSectionParams() = default;
  // Copies the font, the colour and the frame lines (not the frame width).
  virtual void Assign(const TrpSectionParams& other);
  // The frame lines as the engine's frame flags (right 1, bottom 2, left 4, top 8).
  quint16 FrameTyp() const;

  TrpFont Font;
  TColor Color = clWhite;
  int Frame = rpAllFrameLines;
  float FrameWidth = 1;
};

enum class TrpSectionAlign { Left, Right, Center };

// A section that prints a text of its own (title, summary, page header and footer).
class TrpAdvSectionParams : public TrpSectionParams {
public:
  TrpAdvSectionParams();
  // Also copies the alignment and the text.
  void Assign(const TrpSectionParams& other) override;
  // The engine's horizontal text alignment: left 0, right 1, centre 2.
  int EngineAlignment() const;

  TrpSectionAlign Align = TrpSectionAlign::Center;
  QString Text;
};

// A percentage between 1 and 100; another value is refused with a message and the old one stays.
bool rpCheckResizePercent(int percent);

// Fitting the columns to the page width.
class TrpFitWidth {
public:
  void Assign(const TrpFitWidth& other) { *this = other; }
  int ResizePercent() const { return resizePercent_; }
  void SetResizePercent(int percent);

  bool Enabled = false;
  QString Fields; // names separated by ";"; empty: every column
  bool Proportional = true, ShrinkOnly = true;
  bool ApplyBeforeOnCustomize = false;

private:
  int resizePercent_ = 30;
};

struct TrpPageMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0; // millimetres
};

// Turning the page when the table fits the other way better.
class TrpAutoOrientation {
public:
  void Assign(const TrpAutoOrientation& other);
  int ResizePercent() const { return resizePercent_; }
  void SetResizePercent(int percent);

  bool Enabled = true;

private:
  int resizePercent_ = 20;
};

enum TrpPrintOption : int { frpoHeader = 1, frpoHeaderOnEveryPage = 2, frpoFooter = 4 };
enum class TrpPrintOrientation { Portrait, Landscape };

// Prints the columns of a data set as a table without a template: builds a
// one-page report whose cross data band repeats the header, cell and footer
// texts once per column, sizes the columns from the data, fits the table to
// the page, turns the page when that suits the table better, and previews it.
// Subclasses say which columns there are and what they show.
class TrpCustomPrintDataSet : public QObject {
  Q_OBJECT
public:
  explicit TrpCustomPrintDataSet(QObject* owner = nullptr);
  ~TrpCustomPrintDataSet() override;

  // Builds the owned report's template; nothing without a data set.
  void BuildAdHocReport();
  // Builds the table and shows it with ReportBefore and ReportAfter in one preview.
  void PreviewAdHocReport();

  // The owned report that receives the template.
  TrpReport& Report() const { return *report_; }
  // The column widths in page units, one per printed column.
  const QList<int>& Widths() const { return widths_; }

  int PageSize = 9;
  int PageWidth = 0, PageHeight = 0; // millimetres; 0: the paper code's size
  TrpPageMargins PageMargins;
  TrpPrintOrientation Orientation = TrpPrintOrientation::Portrait;
  TrpAdvSectionParams Title, Summary, PageHeader, PageFooter;
  TrpSectionParams Header, Footer, Body;
  int PrintOptions = frpoHeader | frpoHeaderOnEveryPage;
  bool AutoWidth = true;
  TrpFitWidth FitWidth;
  TrpAutoOrientation AutoOrientation;
  QStringList AggregateFields; // "FIELD=SUM" (SUM, MIN, MAX, COUNT, AVG in any case)
  TrpReport* ReportBefore = nullptr;
  TrpReport* ReportAfter = nullptr;
  bool DoublePassReport = false;
  unsigned PreviewButtons = pbZoom | pbSave | pbPrint | pbFind | pbHelp | pbExit | pbPageSetup;
  QObject* Preview = nullptr;

  std::function<void(int columnNo, int& width)> OnPrintColumn;
  // Section: 1 header, 2 cell, 3 footer, 0 any other object.
  std::function<void(TField* field, QStringList& memo, TrpView* view, int section)> OnPrintData;
  std::function<void(QList<int>& widths, int dataColumns, int pageActiveWidth)> OnCustomizeWidths;
  std::function<void(bool& isPrint)> OnPrintRow;
  std::function<void()> OnBeginDoc, OnEndDoc;
  std::function<void(int pageNumber)> OnBeginPage, OnEndPage;
  TrpDataset::TNotifyEvent OnFirst, OnNext, OnPrior;
  TrpDataset::TCheckEOFEvent OnCheckEOF;

protected:
  // The data set printed; null when none is known.
  virtual TDataSet* PrintedDataSet() const = 0;
  virtual int ColumnCount() const = 0;
  // The field of the n-th column (0-based).
  virtual TField* ColumnField(int n) const = 0;
  // The column's caption in the header row: the field's label.
  virtual QString ColumnTitle(int n) const;
  // The data set's fields that are not hidden from display.
  static int VisibleFieldCount(const TDataSet* dataSet);
  static TField* VisibleField(const TDataSet* dataSet, int n);
  // The text a data cell shows.
  virtual QString CellText(int n) const;
  // The text of an aggregate value in the footer row: a money field's with
  // two decimals, any other as a plain number.
  virtual QString AggregateText(int n, double value) const;
  // The width without AutoWidth: the field's display width or its label's
  // length, whichever is larger, in widths of "0" in the body font, + 8.
  virtual int FixedWidth(int n) const;
  // Before the column records are made (a grid takes its data set here).
  virtual void TakeDataSet() {}
  // The column records and the measured widths; Orientation by the automatic orientation.
  void PrepareColumns();
  // The current column: the column data set's record.
  int CurrentColumn() const;
  int CurrentWidth() const { return currentWidth_; }
  // The body font as text is measured at 96 dpi.
  int MeasureText(const TrpFont& font, const QString& text) const;

private:
  enum TAggregateKind { akNone, akSum, akAvg, akCount, akMin, akMax };
  struct TColumn {
    TField* Field = nullptr;
    double Value = 0;
    TAggregateKind Kind = akNone;
  };
  void ApplyPaper(TrpPage& page) const;
  void Fit(int activeWidth);
  void ChooseOrientation(int tableWidth);
  void AddObjects(TrpPage& page, int x0);
  void BeforePrint(QStringList& lines, TrpView* object);
  void PrintColumn(int column, int& width);
  void UserFunction(const QString& name, QVariant& value);
  TAggregateKind AggregateKindOf(const QString& fieldName) const;

  TrpReport* report_;
  TrpDBDataSet* rows_;
  TrpUserDataset* columns_;
  QList<int> widths_;
  QList<TColumn> columnRecords_;
  bool hasAggregates_ = false;
  int currentWidth_ = 0;
};
