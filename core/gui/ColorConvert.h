#pragma once
#include "core/Color.h"
#include <QtGui/QColor>

// The palette colour of a system colour index (clBtnFace is 15); without a
// GUI application, the default palette's.
QColor SystemColor(int index);
// A stored colour as a QColor for painting; system colours come from the
// application palette. clNone gives a transparent colour.
QColor ToQColor(TColor color);
// The stored form of an opaque QColor ($00BBGGRR).
TColor FromQColor(const QColor& color);
