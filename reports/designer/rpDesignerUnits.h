#pragma once
#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <QtCore/QString>

// The units in which the designer shows positions and sizes; report pixels
// are 18 to every 5 millimetres.
enum class TrpDesignerUnits { Pixels = 0, Millimetres = 1, Inches = 2 };

double rpPixelsToUnits(double pixels, TrpDesignerUnits units);
// Whole pixels, rounded half to even.
int rpUnitsToPixels(double value, TrpDesignerUnits units);
// With the fraction (a frame width).
double rpUnitsToExactPixels(double value, TrpDesignerUnits units);
// The unit's name in the status line ("Bodov", "MM", "Palcov").
QString rpUnitsName(TrpDesignerUnits units);
// The unit after this one, back to pixels after inches.
TrpDesignerUnits rpNextUnits(TrpDesignerUnits units);
// Two values as the status line shows them: pixels "36;18", other units with
// two decimals in the user's locale, "10,00; 5,00".
QString rpStatusPair(int first, int second, TrpDesignerUnits units);
// A value as the option dialogs show it: a general number of at most four
// significant digits in the user's locale, "10", "12,5", "2,778".
QString rpUnitsValueText(double value);
