#include "app/ToolImages.h"
#include "core/ui/ImageList.h"
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

namespace {

enum class Glyph {
  None,
  Add,
  Edit,
  Delete,
  Print,
  Refresh,
  Up,
  Down,
  Rows,
  RowsChecked,
  CheckAll,
  UncheckAll,
  Show,
  Info,
  Repeat,
  Copy,
  Save,
  Find,
  Filter,
  FilterOff,
  Sum,
  Services,
  Next,
  Ok,
  Run
};

// Draws on a 32 x 32 canvas; smaller lists get it scaled.
void Draw(QPainter& p, Glyph glyph) {
  const QColor green(0x2e, 0x8b, 0x2e), red(0xc8, 0x1e, 0x1e), blue(0x1e, 0x5a, 0xb4), gray(0x50, 0x50, 0x50);
  auto pen = [&p](const QColor& c, double w) { p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)); };
  auto rows = [&](bool checked) {
    pen(gray, 1.5);
    for (int i = 0; i < 3; ++i) {
      p.setBrush(i == 1 ? QColor(Qt::yellow) : QColor(Qt::white));
      p.drawRect(QRectF(5, 6 + i * 8, 22, 6));
    }
    if (checked) {
      pen(red, 3);
      p.drawLine(QPointF(20, 24), QPointF(24, 29));
      p.drawLine(QPointF(24, 29), QPointF(30, 18));
    }
  };
  auto funnel = [&] {
    pen(gray, 1.5);
    p.setBrush(QColor(0x9c, 0xc8, 0xf0));
    p.drawPolygon(
        QPolygonF({QPointF(5, 6), QPointF(27, 6), QPointF(18, 17), QPointF(18, 27), QPointF(14, 24), QPointF(14, 17)}));
  };
  auto arrow = [&](bool up) {
    pen(blue, 3);
    p.drawLine(QPointF(16, 5), QPointF(16, 27));
    const double tip = up ? 5 : 27, base = up ? 13 : 19;
    p.drawLine(QPointF(16, tip), QPointF(9, base));
    p.drawLine(QPointF(16, tip), QPointF(23, base));
  };
  switch (glyph) {
  case Glyph::None:
    return;
  case Glyph::Add:
    pen(green, 5);
    p.drawLine(QPointF(16, 6), QPointF(16, 26));
    p.drawLine(QPointF(6, 16), QPointF(26, 16));
    return;
  case Glyph::Edit:
    pen(blue, 4);
    p.drawLine(QPointF(8, 24), QPointF(24, 8));
    pen(gray, 2);
    p.drawLine(QPointF(5, 28), QPointF(27, 28));
    return;
  case Glyph::Delete:
    pen(red, 5);
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
    return;
  case Glyph::Print:
    pen(gray, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 14, 10));
    p.setBrush(QColor(0xb4, 0xb4, 0xb4));
    p.drawRect(QRectF(4, 13, 24, 11));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 8));
    return;
  case Glyph::Refresh:
  case Glyph::Repeat:
    pen(green, 3);
    p.drawArc(QRectF(7, 7, 18, 18), 30 * 16, 280 * 16);
    p.drawLine(QPointF(24, 6), QPointF(24, 13));
    p.drawLine(QPointF(24, 13), QPointF(17, 13));
    return;
  case Glyph::Up:
    arrow(true);
    return;
  case Glyph::Down:
    arrow(false);
    return;
  case Glyph::Rows:
    rows(false);
    return;
  case Glyph::RowsChecked:
    rows(true);
    return;
  case Glyph::CheckAll:
  case Glyph::Ok:
    pen(green, 4);
    p.drawLine(QPointF(6, 17), QPointF(13, 25));
    p.drawLine(QPointF(13, 25), QPointF(26, 8));
    return;
  case Glyph::UncheckAll:
    pen(gray, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 7, 18, 18));
    return;
  case Glyph::Show:
    pen(gray, 2);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4, 10, 24, 12));
    p.setBrush(blue);
    p.drawEllipse(QRectF(12, 12, 8, 8));
    return;
  case Glyph::Info:
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    pen(Qt::white, 4);
    p.drawPoint(QPointF(16, 10));
    p.drawLine(QPointF(16, 15), QPointF(16, 24));
    return;
  case Glyph::Copy:
    pen(gray, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 5, 14, 17));
    p.drawRect(QRectF(13, 10, 14, 17));
    return;
  case Glyph::Save:
    pen(gray, 1.5);
    p.setBrush(blue);
    p.drawRect(QRectF(5, 5, 22, 22));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10, 5, 12, 8));
    return;
  case Glyph::Find:
    pen(gray, 3);
    p.setBrush(QColor(0xdc, 0xf0, 0xff));
    p.drawEllipse(QRectF(5, 5, 15, 15));
    p.drawLine(QPointF(18, 18), QPointF(27, 27));
    return;
  case Glyph::Filter:
    funnel();
    return;
  case Glyph::FilterOff:
    funnel();
    pen(red, 3);
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.drawLine(QPointF(28, 20), QPointF(20, 28));
    return;
  case Glyph::Sum: {
    pen(gray, 3);
    p.drawPolyline(QPolygonF({QPointF(24, 7), QPointF(8, 7), QPointF(17, 16), QPointF(8, 25), QPointF(24, 25)}));
    return;
  }
  case Glyph::Services:
    pen(gray, 4);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(9, 9, 14, 14));
    for (int i = 0; i < 8; ++i) {
      p.save();
      p.translate(16, 16);
      p.rotate(45 * i);
      p.drawLine(QPointF(0, 7), QPointF(0, 11));
      p.restore();
    }
    return;
  case Glyph::Next:
    pen(blue, 4);
    p.drawLine(QPointF(6, 16), QPointF(25, 16));
    p.drawLine(QPointF(25, 16), QPointF(17, 8));
    p.drawLine(QPointF(25, 16), QPointF(17, 24));
    return;
  case Glyph::Run:
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPolygon(QPolygonF({QPointF(9, 6), QPointF(26, 16), QPointF(9, 26)}));
    return;
  }
}

QPixmap Picture(Glyph glyph, int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  Draw(painter, glyph);
  return picture;
}

void Fill(TImageList& list, std::initializer_list<Glyph> glyphs) {
  for (Glyph glyph : glyphs)
    list.Add(Picture(glyph, list.Width()));
}

} // namespace

void AddStandardToolImages(TImageList& il16, TImageList& il32) {
  using G = Glyph;
  Fill(il32, {G::Add,       G::Edit,       G::Delete, G::Print, G::Refresh, G::Up,   G::Down, G::Rows, G::RowsChecked,
              G::CheckAll,  G::UncheckAll, G::Show,   G::Info,  G::Repeat,  G::Copy, G::Save, G::Find, G::Filter,
              G::FilterOff, G::None,       G::Sum,    G::None,  G::None,    G::None, G::None, G::None, G::Services});
  Fill(il16, {G::Next, G::Ok, G::Delete, G::FilterOff, G::Refresh, G::Add, G::Edit, G::Delete, G::Run, G::Sum, G::Rows,
              G::RowsChecked, G::CheckAll, G::UncheckAll});
}
