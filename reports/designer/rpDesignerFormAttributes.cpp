// The designer window's drop-downs of the attribute tool bars: the colour
// selector under the three colour buttons and the frame-style panel under
// StB1, and the colours the buttons show.
#include "reports/designer/rpColorSelector.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtGui/QPainter>

namespace {

// The colour buttons with the glyph kind and tag of each.
struct TrpColorButton {
  const char* Name;
  int Kind; // 0 font, 1 fill, 2 frame colour
  int Tag;
};
constexpr TrpColorButton kColorButtons[] = {{"ClB2", 0, 17}, {"ClB1", 1, 5}, {"ClB3", 2, 19}};

// A frame style's line across a 16 x 16 glyph.
QImage FrameStyleGlyph(int style) {
  static const Qt::PenStyle pens[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  if (style == 5) {
    p.drawLine(1, 6, 14, 6);
    p.drawLine(1, 9, 14, 9);
  } else {
    p.setPen(QPen(Qt::black, 1, pens[style]));
    p.drawLine(1, 8, 14, 8);
  }
  return glyph;
}

} // namespace

void TrpDesignerForm::CreateAttributeDropDowns() {
  colorSelector_ = new TColorSelector(this);
  colorSelector_->OnColorSelected = [this](TColorSelector* selector) {
    ShowButtonColor(colorButton_, selector->SelectedColor);
    UseAttribute(colorButtonTag_);
  };
  linePanel_ = new QFrame(this);
  linePanel_->setObjectName(QStringLiteral("LinePanel"));
  linePanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  linePanel_->setAutoFillBackground(true);
  linePanel_->resize(4 + 6 * 22 + 4, 30);
  for (int style = 0; style < 6; ++style) {
    auto* button = new TrpSpeedButton(linePanel_);
    button->setObjectName(QStringLiteral("rpSpeedButton%1").arg(style + 1));
    button->SetFlat(true);
    button->SetGrayedInactive(false);
    button->SetGlyph(FrameStyleGlyph(style));
    button->setGeometry(4 + 22 * style, 4, 22, 22);
    const int tag = 25 + style;
    connect(button, &TrpSpeedButton::clicked, this, [this, tag] {
      linePanel_->hide();
      UseAttribute(tag);
    });
    controls_.insert(button->objectName(), button);
  }
  linePanel_->hide();
  for (const TrpColorButton& entry : kColorButtons) {
    auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(entry.Name)));
    ShowButtonColor(button, entry.Kind == 1 ? clNone : clBlack);
    const int tag = entry.Tag;
    connect(button, &TrpSpeedButton::clicked, this, [this, button, tag] { ToggleColorSelector(button, tag); });
  }
  auto* style = controls_.value(QStringLiteral("StB1"));
  connect(qobject_cast<TrpSpeedButton*>(style), &TrpSpeedButton::clicked, this, [this, style] {
    colorSelector_->hide();
    DropDownUnder(linePanel_, style, !linePanel_->isVisible());
  });
}

void TrpDesignerForm::DropDownUnder(QWidget* dropDown, QWidget* button, bool show) {
  if (!show) {
    dropDown->hide();
    return;
  }
  dropDown->move(button->mapTo(this, QPoint(0, 26)));
  dropDown->raise();
  dropDown->show();
}

void TrpDesignerForm::ToggleColorSelector(TrpSpeedButton* button, int tag) {
  linePanel_->hide();
  const bool again = colorSelector_->isVisible() && colorButton_ == button;
  colorButton_ = button;
  colorButtonTag_ = tag;
  if (!again) colorSelector_->ShowColor(buttonColors_.value(button, clNone));
  DropDownUnder(colorSelector_, button, !again);
}

void TrpDesignerForm::ShowButtonColor(TrpSpeedButton* button, TColor color) {
  if (!button) return;
  buttonColors_.insert(button, color);
  for (const TrpColorButton& entry : kColorButtons)
    if (button->objectName() == QLatin1String(entry.Name)) button->SetGlyph(rpColorButtonGlyph(entry.Kind, color));
}

TColor TrpDesignerForm::ButtonColor(const QString& button) const {
  return buttonColors_.value(qobject_cast<TrpSpeedButton*>(controls_.value(button)), clNone);
}

void TrpDesignerForm::ShowSelectionColors() {
  colorSelector_->hide();
  linePanel_->hide();
  const auto show = [this](const char* name, TColor color) {
    ShowButtonColor(qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name))), color);
  };
  TrpView* object = selection_.LastSelected();
  if (selection_.Count() == 1 && !dynamic_cast<TrpBandView*>(object)) {
    show("ClB1", object->FillColor);
    show("ClB3", object->FrameColor);
    if (auto* text = dynamic_cast<TrpMemoView*>(object)) show("ClB2", text->Font.Color);
  } else if (selection_.Count() > 1) {
    show("ClB1", TColor(0));
  }
}

void TrpDesignerForm::UseAttribute(int tag) {
  if (attributeHandler_) attributeHandler_(tag);
}
