#include "reports/designer/rpPageOptions.h"
#include "reports/designer/rpDesignerUnits.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <cmath>
#include <limits>

namespace {

constexpr int kDefaultBin = 65535; // the page's value for the printer's default source

// The caption that names a field in a message, without its accelerator.
QString PageFieldCaption(TrpPageField field) {
  int id = 0;
  switch (field) {
  case TrpPageField::PaperWidth:
    id = 53396;
    break;
  case TrpPageField::PaperHeight:
    id = 53397;
    break;
  case TrpPageField::LeftMargin:
    id = 53400;
    break;
  case TrpPageField::TopMargin:
    id = 53401;
    break;
  case TrpPageField::RightMargin:
    id = 53402;
    break;
  case TrpPageField::BottomMargin:
    id = 53403;
    break;
  case TrpPageField::Columns:
    id = 53408;
    break;
  case TrpPageField::ColumnGap:
    id = 53410;
    break;
  case TrpPageField::None:
    break;
  }
  return rpLoadStr(id).remove(QLatin1Char('&'));
}

// A number scaled to a whole count (pixels, tenths); a value beyond what a
// page can hold does not read either.
int ReadScaled(const QString& text, double factor) {
  const double scaled = rpStrToFloat(text) * factor;
  if (!std::isfinite(scaled) || std::abs(scaled) > std::numeric_limits<qint32>::max())
    throw ErpConversionError(QStringLiteral("'%1' nie je platné číslo.").arg(text));
  return rpRoundEven(scaled);
}

int ReadPixels(const QString& text) { return ReadScaled(text, 18.0 / 5); }

int ReadWholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' nie je platné celé číslo.").arg(text));
  return value;
}

QString MillimetresText(int pixels) { return rpUnitsValueText(rpPixelsToUnits(pixels, TrpDesignerUnits::Millimetres)); }

} // namespace

TrpPageOptionsFields rpPageOptionsFields(const TrpPage& page, const TrpPrinter& printer) {
  TrpPageOptionsFields fields;
  fields.PrintToPrevPage = page.PrintToPrevPage;
  fields.StretchToPrintable = !page.UseMargins;
  fields.Orientation = page.Orientation;
  fields.PaperIndex = printer.PaperSizeToIndex(page.PaperSize);
  if (page.PaperSize == kCustomPaper) {
    fields.PaperWidth = rpUnitsValueText(page.PaperWidth / 10.0);
    fields.PaperHeight = rpUnitsValueText(page.PaperHeight / 10.0);
  }
  fields.BinIndex = printer.BinToIndex(page.Bin == kDefaultBin ? -1 : page.Bin);
  fields.LeftMargin = MillimetresText(page.LeftMargin);
  fields.TopMargin = MillimetresText(page.TopMargin);
  fields.RightMargin = MillimetresText(page.RightMargin);
  fields.BottomMargin = MillimetresText(page.BottomMargin);
  fields.Columns = QString::number(page.ColumnCount);
  fields.ColumnGap = MillimetresText(page.ColumnGap);
  return fields;
}

TrpPageOptionsReading rpReadPageOptions(const TrpPageOptionsFields& fields, const TrpPrinter& printer) {
  TrpPageOptions options;
  options.PrintToPrevPage = fields.PrintToPrevPage;
  options.StretchToPrintable = fields.StretchToPrintable;
  options.Orientation = fields.Orientation == 1 ? 1 : 0;
  options.PaperSize = printer.PaperCodes.value(fields.PaperIndex, kCustomPaper);
  options.Bin = printer.BinCodes.value(fields.BinIndex, -1);
  TrpPageField field = TrpPageField::None;
  try {
    if (options.PaperSize == kCustomPaper) {
      field = TrpPageField::PaperWidth;
      options.PaperWidth = ReadScaled(fields.PaperWidth, 10);
      field = TrpPageField::PaperHeight;
      options.PaperHeight = ReadScaled(fields.PaperHeight, 10);
    }
    const struct {
      TrpPageField Field;
      const QString& Text;
      int& Pixels;
    } margins[] = {{TrpPageField::LeftMargin, fields.LeftMargin, options.LeftMargin},
                   {TrpPageField::TopMargin, fields.TopMargin, options.TopMargin},
                   {TrpPageField::RightMargin, fields.RightMargin, options.RightMargin},
                   {TrpPageField::BottomMargin, fields.BottomMargin, options.BottomMargin}};
    for (const auto& margin : margins) {
      field = margin.Field;
      margin.Pixels = ReadPixels(margin.Text);
    }
    field = TrpPageField::Columns;
    options.Columns = ReadWholeNumber(fields.Columns);
    field = TrpPageField::ColumnGap;
    options.ColumnGap = ReadPixels(fields.ColumnGap);
  } catch (const ErpConversionError& error) {
    return {std::nullopt, field, PageFieldCaption(field) + QStringLiteral(": ") + error.Message()};
  }
  return {options, TrpPageField::None, QString()};
}

void rpApplyPageOptions(TrpPage& page, const TrpPageOptions& options) {
  page.PrintToPrevPage = options.PrintToPrevPage;
  page.UseMargins = !options.StretchToPrintable;
  page.LeftMargin = options.LeftMargin;
  page.TopMargin = options.TopMargin;
  page.RightMargin = options.RightMargin;
  page.BottomMargin = options.BottomMargin;
  page.ColumnCount = options.Columns;
  page.ColumnGap = options.ColumnGap;
  page.ApplyPaper(options.PaperSize, options.PaperWidth, options.PaperHeight, options.Bin, options.Orientation);
}
