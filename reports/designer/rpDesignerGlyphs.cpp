#include "reports/designer/rpDesignerGlyphs.h"
#include <QtCore/QHash>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <functional>

namespace {

using TGlyphPainter = std::function<void(QPainter&)>;

void Sheet(QPainter& p) {
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(3, 1, 10, 13);
}

void Letter(QPainter& p, const QString& text, bool bold = true, bool italic = false, bool underline = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(13);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Lines(QPainter& p, std::initializer_list<QLine> lines, const QColor& colour = Qt::black) {
  p.setPen(QPen(colour, 1));
  for (const QLine& line : lines)
    p.drawLine(line);
}

// A 15 x 15 box with a letter, drawn over an object in the workspace.
void ObjectMarker(QPainter& p, const QColor& fill, const QString& letter, const QColor& ink) {
  p.setPen(Qt::black);
  p.setBrush(fill);
  p.drawRect(0, 0, 14, 14);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QRect(0, 0, 15, 15), Qt::AlignCenter, letter);
}

// Two bars aligned on the left edge (0), centred (1), centred in the window (2),
// spaced evenly (3) or on the right edge (4).
void AlignBars(QPainter& p, int kind) {
  const QColor fill(0, 0, 128);
  switch (kind) {
  case 0:
    Lines(p, {{1, 1, 1, 14}});
    p.fillRect(2, 3, 10, 3, fill);
    p.fillRect(2, 9, 6, 3, fill);
    break;
  case 1:
    Lines(p, {{7, 1, 7, 14}});
    p.fillRect(2, 3, 11, 3, fill);
    p.fillRect(4, 9, 7, 3, fill);
    break;
  case 2:
    Lines(p, {{0, 0, 15, 0}, {0, 15, 15, 15}});
    p.fillRect(3, 5, 10, 6, fill);
    break;
  case 3:
    p.fillRect(1, 4, 3, 8, fill);
    p.fillRect(6, 4, 3, 8, fill);
    p.fillRect(11, 4, 3, 8, fill);
    break;
  default:
    Lines(p, {{14, 1, 14, 14}});
    p.fillRect(3, 3, 10, 3, fill);
    p.fillRect(7, 9, 6, 3, fill);
    break;
  }
}

const QHash<QString, TGlyphPainter>& GlyphPainters() {
  static const QHash<QString, TGlyphPainter> painters{
      {QStringLiteral("FileBtn1"), [](QPainter& p) { Sheet(p); }},
      {QStringLiteral("FileBtn2"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(QColor(255, 220, 120));
         p.drawRect(1, 5, 13, 9);
         p.drawRect(1, 3, 5, 2);
       }},
      {QStringLiteral("FileBtn3"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(QColor(60, 60, 160));
         p.drawRect(1, 1, 13, 13);
         p.setBrush(Qt::white);
         p.drawRect(4, 1, 7, 5);
       }},
      {QStringLiteral("FileBtn4"),
       [](QPainter& p) {
         Sheet(p);
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(6, 6, 6, 6);
         p.drawLine(11, 11, 14, 14);
       }},
      {QStringLiteral("CutB"),
       [](QPainter& p) {
         Lines(p, {{4, 1, 10, 10}, {11, 1, 5, 10}});
         p.drawEllipse(2, 10, 4, 4);
         p.drawEllipse(9, 10, 4, 4);
       }},
      {QStringLiteral("CopyB"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(Qt::white);
         p.drawRect(1, 1, 8, 10);
         p.drawRect(6, 4, 8, 10);
       }},
      {QStringLiteral("PstB"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(QColor(180, 130, 70));
         p.drawRect(1, 2, 10, 12);
         p.setBrush(Qt::white);
         p.drawRect(6, 6, 8, 9);
       }},
      {QStringLiteral("UndoB"), [](QPainter& p) { Letter(p, QStringLiteral("↶")); }},
      {QStringLiteral("RedoB"), [](QPainter& p) { Letter(p, QStringLiteral("↷")); }},
      {QStringLiteral("ZB1"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(Qt::gray);
         p.drawRect(1, 1, 8, 8);
         p.setBrush(Qt::white);
         p.drawRect(6, 6, 8, 8);
       }},
      {QStringLiteral("ZB2"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(Qt::white);
         p.drawRect(6, 6, 8, 8);
         p.setBrush(Qt::gray);
         p.drawRect(1, 1, 8, 8);
       }},
      {QStringLiteral("SelAllB"),
       [](QPainter& p) {
         p.setPen(QPen(Qt::black, 1, Qt::DotLine));
         p.drawRect(1, 1, 13, 13);
         p.fillRect(4, 4, 3, 3, Qt::black);
         p.fillRect(9, 9, 3, 3, Qt::black);
       }},
      {QStringLiteral("PgB1"),
       [](QPainter& p) {
         Sheet(p);
         Lines(p, {{6, 7, 10, 7}, {8, 5, 8, 9}}, Qt::darkGreen);
       }},
      {QStringLiteral("PgB2"),
       [](QPainter& p) {
         Sheet(p);
         Lines(p, {{5, 5, 11, 11}, {11, 5, 5, 11}}, Qt::red);
       }},
      {QStringLiteral("PgB3"),
       [](QPainter& p) {
         Sheet(p);
         Lines(p, {{5, 4, 11, 4}, {5, 7, 11, 7}, {5, 10, 11, 10}});
       }},
      {QStringLiteral("PgB4"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(QColor(212, 208, 200));
         p.drawRect(1, 2, 13, 11);
         p.fillRect(2, 3, 12, 3, QColor(10, 36, 106));
       }},
      {QStringLiteral("GB1"),
       [](QPainter& p) {
         for (int x = 1; x < 16; x += 4)
           for (int y = 1; y < 16; y += 4)
             p.fillRect(x, y, 1, 1, Qt::black);
       }},
      {QStringLiteral("GB2"),
       [](QPainter& p) {
         for (int x = 1; x < 16; x += 4)
           for (int y = 1; y < 16; y += 4)
             p.fillRect(x, y, 1, 1, Qt::black);
         p.setPen(Qt::blue);
         p.drawRect(5, 5, 8, 4);
       }},
      {QStringLiteral("GB3"),
       [](QPainter& p) {
         for (int x = 1; x < 16; x += 4)
           for (int y = 1; y < 16; y += 4)
             p.fillRect(x, y, 1, 1, Qt::black);
         p.setPen(Qt::blue);
         p.drawRect(1, 5, 12, 8);
       }},
      {QStringLiteral("HelpBtn"), [](QPainter& p) { Letter(p, QStringLiteral("?")); }},
      {QStringLiteral("OB1"),
       [](QPainter& p) {
         QPainterPath arrow;
         arrow.moveTo(4, 1);
         arrow.lineTo(4, 13);
         arrow.lineTo(7, 10);
         arrow.lineTo(10, 15);
         arrow.lineTo(11, 14);
         arrow.lineTo(9, 9);
         arrow.lineTo(13, 9);
         arrow.closeSubpath();
         p.setPen(Qt::black);
         p.setBrush(Qt::white);
         p.drawPath(arrow);
       }},
      {QStringLiteral("OB2"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.drawRect(1, 3, 13, 10);
         Letter(p, QStringLiteral("A"));
       }},
      {QStringLiteral("OB3"),
       [](QPainter& p) {
         p.fillRect(1, 4, 14, 8, QColor(192, 192, 192));
         Lines(p, {{1, 4, 14, 4}, {1, 11, 14, 11}});
       }},
      {QStringLiteral("OB4"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(QColor(160, 200, 255));
         p.drawRect(1, 2, 13, 11);
         p.setBrush(Qt::darkGreen);
         p.drawPolygon(QPolygon({QPoint(2, 12), QPoint(6, 6), QPoint(10, 12)}));
       }},
      {QStringLiteral("OB5"),
       [](QPainter& p) {
         Sheet(p);
         Sheet(p);
         p.drawRect(5, 4, 6, 7);
       }},
      {QStringLiteral("OB6"),
       [](QPainter& p) {
         Lines(p, {{2, 13, 13, 2}, {2, 12, 12, 2}});
       }},
      {QStringLiteral("FnB1"), [](QPainter& p) { Letter(p, QStringLiteral("B")); }},
      {QStringLiteral("FnB2"), [](QPainter& p) { Letter(p, QStringLiteral("I"), false, true); }},
      {QStringLiteral("FnB3"), [](QPainter& p) { Letter(p, QStringLiteral("U"), false, false, true); }},
      {QStringLiteral("AlB1"),
       [](QPainter& p) {
         Lines(p, {{1, 3, 14, 3}, {1, 6, 9, 6}, {1, 9, 14, 9}, {1, 12, 9, 12}});
       }},
      {QStringLiteral("AlB2"),
       [](QPainter& p) {
         Lines(p, {{1, 3, 14, 3}, {6, 6, 14, 6}, {1, 9, 14, 9}, {6, 12, 14, 12}});
       }},
      {QStringLiteral("AlB3"),
       [](QPainter& p) {
         Lines(p, {{1, 3, 14, 3}, {4, 6, 11, 6}, {1, 9, 14, 9}, {4, 12, 11, 12}});
       }},
      {QStringLiteral("AlB8"),
       [](QPainter& p) {
         Lines(p, {{1, 3, 14, 3}, {1, 6, 14, 6}, {1, 9, 14, 9}, {1, 12, 14, 12}});
       }},
      {QStringLiteral("FrB1"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(2, 2, 11, 11);
         Lines(p, {{2, 2, 13, 2}});
       }},
      {QStringLiteral("FrB2"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(2, 2, 11, 11);
         Lines(p, {{2, 2, 2, 13}});
       }},
      {QStringLiteral("FrB3"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(2, 2, 11, 11);
         Lines(p, {{2, 13, 13, 13}});
       }},
      {QStringLiteral("FrB4"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(2, 2, 11, 11);
         Lines(p, {{13, 2, 13, 13}});
       }},
      {QStringLiteral("FrB5"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.drawRect(2, 2, 11, 11);
       }},
      {QStringLiteral("FrB6"),
       [](QPainter& p) {
         p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
         p.drawRect(2, 2, 11, 11);
       }},
      {QStringLiteral("AlB4"),
       [](QPainter& p) {
         p.translate(16, 0);
         p.rotate(90);
         Letter(p, QStringLiteral("A"));
       }},
      {QStringLiteral("AlB5"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(1, 1, 13, 13);
         Lines(p, {{4, 7, 11, 7}});
       }},
      {QStringLiteral("AlB6"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(1, 1, 13, 13);
         Lines(p, {{4, 3, 11, 3}});
       }},
      {QStringLiteral("AlB7"),
       [](QPainter& p) {
         p.setPen(Qt::gray);
         p.drawRect(1, 1, 13, 13);
         Lines(p, {{4, 12, 11, 12}});
       }},
      {QStringLiteral("ClB1"),
       [](QPainter& p) {
         p.fillRect(2, 2, 12, 9, Qt::white);
         p.setPen(Qt::black);
         p.drawRect(2, 2, 11, 8);
         p.fillRect(1, 12, 14, 3, Qt::red);
       }},
      {QStringLiteral("ClB2"),
       [](QPainter& p) {
         p.setFont(QFont(QStringLiteral("Liberation Sans"), 8, QFont::Bold));
         p.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
         p.fillRect(1, 12, 14, 3, Qt::red);
       }},
      {QStringLiteral("ClB3"),
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.drawRect(2, 2, 11, 8);
         p.fillRect(1, 12, 14, 3, Qt::red);
       }},
      {QStringLiteral("HlB1"),
       [](QPainter& p) {
         p.fillRect(1, 3, 14, 10, Qt::yellow);
         Letter(p, QStringLiteral("!"));
       }},
      {QStringLiteral("StB1"),
       [](QPainter& p) {
         p.setPen(QPen(Qt::black, 1, Qt::DashLine));
         p.drawLine(1, 4, 14, 4);
         p.setPen(QPen(Qt::black, 1, Qt::DotLine));
         p.drawLine(1, 8, 14, 8);
         p.setPen(Qt::black);
         p.drawLine(1, 12, 14, 12);
       }},
      // The workspace's marks of an object with a script and of a text with a highlight condition.
      {QStringLiteral("RP_SCRIPT"),
       [](QPainter& p) { ObjectMarker(p, QColor(255, 255, 192), QStringLiteral("S"), Qt::darkBlue); }},
      {QStringLiteral("RP_HIGHLIGHT"),
       [](QPainter& p) { ObjectMarker(p, Qt::yellow, QStringLiteral("H"), Qt::darkRed); }},
      {QStringLiteral("Image2"), // inserting DB fields: a table with a plus
       [](QPainter& p) {
         p.setPen(Qt::black);
         p.setBrush(Qt::white);
         p.drawRect(1, 3, 10, 11);
         p.fillRect(2, 4, 9, 3, QColor(0, 0, 128));
         Lines(p, {{1, 10, 11, 10}, {6, 7, 6, 14}});
         p.fillRect(11, 1, 2, 7, QColor(0, 128, 0));
         p.fillRect(9, 3, 6, 2, QColor(0, 128, 0));
       }},
      {QStringLiteral("Align1"), [](QPainter& p) { AlignBars(p, 0); }},
      {QStringLiteral("Align2"), [](QPainter& p) { AlignBars(p, 1); }},
      {QStringLiteral("Align3"), [](QPainter& p) { AlignBars(p, 2); }},
      {QStringLiteral("Align4"), [](QPainter& p) { AlignBars(p, 3); }},
      {QStringLiteral("Align5"), [](QPainter& p) { AlignBars(p, 4); }},
      {QStringLiteral("Align6"),
       [](QPainter& p) {
         p.translate(16, 0);
         p.rotate(90);
         AlignBars(p, 0);
       }},
      {QStringLiteral("Align7"),
       [](QPainter& p) {
         p.translate(16, 0);
         p.rotate(90);
         AlignBars(p, 1);
       }},
      {QStringLiteral("Align8"),
       [](QPainter& p) {
         p.translate(16, 0);
         p.rotate(90);
         AlignBars(p, 2);
       }},
      {QStringLiteral("Align9"),
       [](QPainter& p) {
         p.translate(16, 0);
         p.rotate(90);
         AlignBars(p, 3);
       }},
      {QStringLiteral("Align10"),
       [](QPainter& p) {
         p.translate(16, 0);
         p.rotate(90);
         AlignBars(p, 4);
       }},
  };
  return painters;
}

} // namespace

QImage rpDesignerGlyph(const QString& button) {
  const auto painter = GlyphPainters().constFind(button);
  if (painter == GlyphPainters().constEnd()) return {};
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  (*painter)(p);
  return glyph;
}
