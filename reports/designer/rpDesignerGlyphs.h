#pragma once
#include <QtCore/QString>
#include <QtGui/QImage>

// The 16 x 16 glyph of a designer tool button by the button's name, drawn in
// code; a null image for a name without one.
QImage rpDesignerGlyph(const QString& button);
