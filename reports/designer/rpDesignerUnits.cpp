#include "reports/designer/rpDesignerUnits.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include <QtCore/QLocale>

double rpPixelsToUnits(double pixels, TrpDesignerUnits units) {
  switch (units) {
  case TrpDesignerUnits::Millimetres:
    return pixels / 18.0 * 5;
  case TrpDesignerUnits::Inches:
    return pixels / 18.0 * 5 / 25.4;
  case TrpDesignerUnits::Pixels:
    break;
  }
  return pixels;
}

double rpUnitsToExactPixels(double value, TrpDesignerUnits units) {
  switch (units) {
  case TrpDesignerUnits::Millimetres:
    return value / 5 * 18;
  case TrpDesignerUnits::Inches:
    return value * 25.4 / 5 * 18;
  case TrpDesignerUnits::Pixels:
    break;
  }
  return value;
}

int rpUnitsToPixels(double value, TrpDesignerUnits units) { return rpRoundEven(rpUnitsToExactPixels(value, units)); }

QString rpUnitsName(TrpDesignerUnits units) { return rpLoadStr(55330 + int(units)); }

TrpDesignerUnits rpNextUnits(TrpDesignerUnits units) { return TrpDesignerUnits((int(units) + 1) % 3); }

QString rpStatusPair(int first, int second, TrpDesignerUnits units) {
  if (units == TrpDesignerUnits::Pixels) return QString::number(first) + QLatin1Char(';') + QString::number(second);
  const QLocale locale;
  return locale.toString(rpPixelsToUnits(first, units), 'f', 2) + QStringLiteral("; ") +
         locale.toString(rpPixelsToUnits(second, units), 'f', 2);
}

QString rpUnitsValueText(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'g', 4);
}
