#include "reports/designer/rpColorSelector.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtGui/QPainter>
#include <QtWidgets/QColorDialog>

namespace {

constexpr int kTransparentTag = 16, kOtherTag = 17;

// A 16 x 17 swatch: the colour in a 16 x 16 square outlined in button shadow.
QImage ColorSwatch(TColor color, QSize size) {
  QImage swatch(size, QImage::Format_ARGB32);
  swatch.fill(ToQColor(clBtnFace));
  QPainter p(&swatch);
  p.setPen(ToQColor(clBtnShadow));
  p.setBrush(ToQColor(color));
  p.drawRect(0, 0, size.height() - 2, size.height() - 2);
  return swatch;
}

} // namespace

TColorSelector::TColorSelector(QWidget* owner) : QFrame(owner) {
  setObjectName(QStringLiteral("ColorSelector"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  resize(96, 132);
  const QList<TrpNamedColor>& table = rpColorTable();
  for (int tag = 0; tag < 18; ++tag) {
    auto* button = new TrpSpeedButton(this);
    button->setObjectName(QStringLiteral("ColorButton%1").arg(tag));
    button->SetFlat(true);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true); // a colour outside the table presses none
    button->SetGrayedInactive(false);
    if (tag < 16) {
      button->setGeometry(4 + 22 * (tag % 4), 4 + 22 * (tag / 4), 22, 22);
      button->SetGlyph(ColorSwatch(TColor(table.at(tag).Color), QSize(16, 17)));
    } else {
      button->setGeometry(4, tag == kTransparentTag ? 92 : 110, 88, 18);
      button->SetCaption(rpLoadStr(tag == kTransparentTag ? 55229 : 55230));
    }
    connect(button, &TrpSpeedButton::clicked, this, [this, tag] { ColorSelected(tag); });
    buttons_[tag] = button;
  }
  ChooseOtherColor = [this](TColor& color) {
    const QColor chosen = QColorDialog::getColor(color == clNone ? QColor(Qt::white) : ToQColor(color), parentWidget());
    if (!chosen.isValid()) return false;
    color = FromQColor(chosen);
    return true;
  };
  hide();
}

void TColorSelector::ShowColor(TColor color) {
  const QList<TrpNamedColor>& table = rpColorTable();
  int index = color == clNone ? kTransparentTag : -1;
  for (int tag = 0; tag < 16 && index < 0; ++tag)
    if (TColor(table.at(tag).Color) == color) index = tag;
  for (int tag = 0; tag < 18; ++tag)
    buttons_[tag]->SetDown(tag == index);
  buttons_[kOtherTag]->SetGlyph(index < 0 ? ColorSwatch(color, QSize(12, 13)) : QImage());
}

void TColorSelector::ColorSelected(int tag) {
  if (tag < 16) {
    SelectedColor = TColor(rpColorTable().at(tag).Color);
  } else if (tag == kTransparentTag) {
    SelectedColor = clNone;
  } else {
    hide();
    TColor color = SelectedColor;
    if (!ChooseOtherColor || !ChooseOtherColor(color)) return;
    SelectedColor = color;
  }
  hide();
  if (OnColorSelected) OnColorSelected(this);
}

QImage rpColorButtonGlyph(int kind, TColor color) {
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  p.setPen(Qt::black);
  if (kind == 0) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
  } else if (kind == 1) {
    p.setBrush(Qt::white);
    p.drawRect(2, 1, 11, 9);
  } else {
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawRect(2, 1, 11, 9);
  }
  // The bar below shows the colour; none shows the button face.
  p.fillRect(1, 12, 14, 3, color == clNone ? ToQColor(clBtnFace) : ToQColor(color));
  return glyph;
}
