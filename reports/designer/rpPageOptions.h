#pragma once
#include <QtCore/QString>
#include <optional>

class TrpPage;
class TrpPrinter;

// The fields of the page options dialog that are typed, in the order the
// dialog reads them.
enum class TrpPageField {
  None,
  PaperWidth,
  PaperHeight,
  LeftMargin,
  TopMargin,
  RightMargin,
  BottomMargin,
  Columns,
  ColumnGap
};

// What the page options dialog shows of a page: the paper and bin as
// positions in the printer's lists, lengths as millimetre texts.
struct TrpPageOptionsFields {
  bool PrintToPrevPage = false;
  bool StretchToPrintable = false;
  int Orientation = 0; // 0 portrait, 1 landscape
  int PaperIndex = 0;
  int BinIndex = 0;
  QString PaperWidth, PaperHeight; // empty unless the paper is the custom size
  QString LeftMargin, TopMargin, RightMargin, BottomMargin;
  QString Columns;
  QString ColumnGap;
};

// The page values the fields stand for, every one read.
struct TrpPageOptions {
  bool PrintToPrevPage = false;
  bool StretchToPrintable = false;
  int Orientation = 0;
  int PaperSize = 9;                                                    // the paper code, 256 the custom size
  int PaperWidth = 0, PaperHeight = 0;                                  // 0.1 mm, for the custom size
  int LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0; // pixels
  int Columns = 0;
  int ColumnGap = 0; // pixels
  int Bin = -1;      // the bin code, -1 the default source
};

// The result of reading the fields: the options, or the first field that
// does not read with the message that names it.
struct TrpPageOptionsReading {
  std::optional<TrpPageOptions> Options;
  TrpPageField Failed = TrpPageField::None;
  QString Error;
};

// The fields for the page, its paper and bin looked up in the printer's lists.
TrpPageOptionsFields rpPageOptionsFields(const TrpPage& page, const TrpPrinter& printer);
// Reads every field (the custom size only for the custom paper) before
// anything is used: millimetres with "," or "." converted to pixels, the
// custom size to tenths, the columns as a whole number.
TrpPageOptionsReading rpReadPageOptions(const TrpPageOptionsFields& fields, const TrpPrinter& printer);
// Stores the options in the page, the paper last through the printer.
void rpApplyPageOptions(TrpPage& page, const TrpPageOptions& options);
