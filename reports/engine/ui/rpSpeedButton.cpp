#include "reports/engine/ui/rpSpeedButton.h"
#include <QtGui/QKeySequence>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QShortcut>
#include <QtWidgets/qdrawutil.h>

namespace {

QColor ButtonFace(const QWidget* w) { return w->palette().color(QPalette::Button); }
QColor Highlight(const QWidget* w) { return w->palette().color(QPalette::Light); }
QColor Shadow(const QWidget* w) { return w->palette().color(QPalette::Dark); }

// Button face and white in a checkerboard: white where row and column are both even or both odd.
QBrush HeldDownPattern(const QWidget* w) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pattern.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(255, 255, 255) : ButtonFace(w).rgb());
  return QBrush(pattern);
}

} // namespace

TrpSpeedButton::TrpSpeedButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  resize(22, 22);
}

QSize TrpSpeedButton::sizeHint() const {
  const int glyph = glyph_.isNull() ? 0 : glyph_.width() / numGlyphs_;
  const int text = caption_.isEmpty() ? 0 : fontMetrics().size(Qt::TextShowMnemonic, caption_).width();
  const int gap = glyph > 0 && text > 0 ? std::max(spacing_, 0) : 0;
  return QSize(std::max(22, glyph + gap + text + 12), 22);
}

void TrpSpeedButton::SetGlyph(const QImage& strip) {
  glyph_ = strip.convertToFormat(QImage::Format_ARGB32);
  if (strip.height() > 0 && strip.width() % strip.height() == 0) {
    const int count = strip.width() / strip.height();
    numGlyphs_ = count >= 1 && count <= 4 ? count : 1;
  }
  ClearGlyphs();
  update();
}

void TrpSpeedButton::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (count == numGlyphs_) return;
  numGlyphs_ = count;
  ClearGlyphs();
  update();
}

void TrpSpeedButton::SetGroupIndex(int index) {
  if (index == groupIndex_) return;
  groupIndex_ = index;
  UpdateExclusive();
}

void TrpSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_ || (down_ && !allowAllUp_)) return;
  down_ = down;
  state_ = down ? bsExclusive : bsUp;
  update();
  if (down) UpdateExclusive();
}

void TrpSpeedButton::SetAllowAllUp(bool allow) {
  if (allow == allowAllUp_) return;
  allowAllUp_ = allow;
  UpdateExclusive();
}

void TrpSpeedButton::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  update();
}

void TrpSpeedButton::SetGrayedInactive(bool grayed) {
  if (grayed == grayedInactive_) return;
  grayedInactive_ = grayed;
  update();
}

void TrpSpeedButton::SetLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  update();
}

void TrpSpeedButton::SetMargin(int margin) {
  if (margin < -1 || margin == margin_) return;
  margin_ = margin;
  update();
}

void TrpSpeedButton::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  update();
}

void TrpSpeedButton::SetCaption(const QString& caption) {
  caption_ = caption;
  updateGeometry();
  delete accelerator_;
  accelerator_ = nullptr;
  const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
  if (!mnemonic.isEmpty()) {
    // The caption's accelerator clicks the button.
    accelerator_ = new QShortcut(mnemonic, this);
    connect(accelerator_, &QShortcut::activated, this, [this] {
      if (isEnabled()) emit clicked();
    });
  }
  update();
}

void TrpSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !parentWidget()) return;
  for (TrpSpeedButton* other : parentWidget()->findChildren<TrpSpeedButton*>(Qt::FindDirectChildrenOnly))
    if (other != this) other->ButtonPressed(this);
}

void TrpSpeedButton::ButtonPressed(TrpSpeedButton* sender) {
  if (sender->groupIndex_ != groupIndex_) return;
  if (sender->down_ && down_) {
    down_ = false;
    state_ = bsUp;
    update();
  }
  allowAllUp_ = sender->allowAllUp_;
}

QImage TrpSpeedButton::StateGlyph(TButtonState state) {
  QImage& image = images_[size_t(state)];
  if (!image.isNull() || glyph_.isNull()) return image;
  const int width = glyph_.width() / numGlyphs_, height = glyph_.height();
  // The strip's transparent colour is its bottom-left pixel.
  const QRgb transparent = glyph_.pixel(0, height - 1);
  auto part = [&](int index) { return glyph_.copy(index < numGlyphs_ ? index * width : 0, 0, width, height); };
  auto clearTransparent = [transparent](QImage picture) {
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (picture.pixel(x, y) == transparent) picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    return picture;
  };
  const QRgb face = ButtonFace(this).rgb();
  switch (state) {
  case bsUp:
    image = clearTransparent(part(0));
    break;
  case bsDown:
    image = clearTransparent(part(numGlyphs_ >= 3 ? 2 : 0));
    break;
  case bsExclusive:
    image = clearTransparent(part(3));
    break;
  case bsDisabled:
    if (numGlyphs_ >= 2) {
      image = part(1);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const QRgb p = image.pixel(x, y);
          if (p == transparent)
            image.setPixel(x, y, face);
          else if (qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255)
            image.setPixel(x, y, Highlight(this).rgb());
          else if (qRed(p) == 128 && qGreen(p) == 128 && qBlue(p) == 128)
            image.setPixel(x, y, Shadow(this).rgb());
        }
    } else {
      // Embossed: the shape in the highlight colour one pixel off, then in the shadow colour.
      const QImage up = part(0);
      image = QImage(width, height, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      auto shape = [&](int x, int y) {
        const QRgb p = up.pixel(x, y);
        return p != transparent && qGray(p) < 192;
      };
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (shape(x, y) && x + 1 < width && y + 1 < height) image.setPixel(x + 1, y + 1, Highlight(this).rgb());
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (shape(x, y)) image.setPixel(x, y, Shadow(this).rgb());
    }
    break;
  case bsInactive:
    image = part(0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const QRgb p = image.pixel(x, y);
        if (p == transparent) {
          image.setPixel(x, y, face);
        } else if (p != face) {
          const int grey = (77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p)) / 256;
          image.setPixel(x, y, qRgb(grey, grey, grey));
        }
      }
    break;
  }
  return image;
}

void TrpSpeedButton::DrawGlyph(QPainter& painter, int x, int y, bool enabled) {
  const QImage image = StateGlyph(enabled ? bsUp : bsDisabled);
  if (image.isNull()) return;
  painter.fillRect(QRect(QPoint(x, y), image.size()), ButtonFace(this));
  painter.drawImage(x, y, image);
}

TrpSpeedButton::TButtonState TrpSpeedButton::PaintState() const {
  if (!isEnabled()) return bsDisabled;
  if (flat_ && grayedInactive_ && !mouseInside_) return bsInactive;
  return state_;
}

void TrpSpeedButton::PlaceGlyphAndCaption(const QRect& client, QRect& glyphRect, QRect& captionRect) const {
  const QSize glyph = glyph_.isNull() ? QSize() : QSize(glyph_.width() / numGlyphs_, glyph_.height());
  const QSize text = caption_.isEmpty() ? QSize() : fontMetrics().size(Qt::TextShowMnemonic, caption_);
  const bool across = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  // Along the layout direction: the extent of the client, the glyph and the caption.
  const int extent = across ? client.width() : client.height();
  const int glyphSize = across ? glyph.width() : glyph.height();
  const int textSize = across ? text.width() : text.height();
  int margin = margin_, spacing = spacing_;
  if (caption_.isEmpty() || glyph_.isNull()) spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (extent - glyphSize - textSize) / 3;
  } else if (margin == -1) {
    margin = (extent - glyphSize - spacing - textSize + 1) / 2;
  } else if (spacing == -1) {
    spacing = (extent - margin - glyphSize - textSize) / 2;
  }
  int glyphAt = 0, textAt = 0;
  switch (layout_) {
  case blGlyphLeft:
  case blGlyphTop:
    glyphAt = margin;
    textAt = glyphAt + glyphSize + spacing;
    break;
  case blGlyphRight:
  case blGlyphBottom:
    glyphAt = extent - margin - glyphSize;
    textAt = glyphAt - spacing - textSize;
    break;
  }
  // Across the layout direction both are centred.
  if (across) {
    glyphRect = QRect(client.left() + glyphAt, client.top() + (client.height() - glyph.height() + 1) / 2, glyph.width(),
                      glyph.height());
    captionRect = QRect(client.left() + textAt, client.top() + (client.height() - text.height() + 1) / 2, text.width(),
                        text.height());
  } else {
    glyphRect = QRect(client.left() + (client.width() - glyph.width() + 1) / 2, client.top() + glyphAt, glyph.width(),
                      glyph.height());
    captionRect = QRect(client.left() + (client.width() - text.width() + 1) / 2, client.top() + textAt, text.width(),
                        text.height());
  }
}

void TrpSpeedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const TButtonState paintState = PaintState();
  const bool pressed = state_ == bsDown || state_ == bsExclusive;
  QRect client = rect();
  if (flat_) {
    painter.fillRect(client, ButtonFace(this));
  } else {
    qDrawWinButton(&painter, client, palette(), pressed, nullptr);
    client.adjust(2, 2, -2, -2);
  }
  if (state_ == bsExclusive && (!flat_ || !mouseInside_)) painter.fillRect(client, HeldDownPattern(this));
  if (state_ == bsDown || (state_ == bsExclusive && !flat_)) client.translate(1, 1);

  QRect glyphRect, captionRect;
  PlaceGlyphAndCaption(client, glyphRect, captionRect);
  const QImage image = StateGlyph(paintState);
  if (!image.isNull()) painter.drawImage(glyphRect.topLeft(), image);
  if (!caption_.isEmpty()) {
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    if (paintState == bsDisabled) {
      painter.setPen(Qt::white);
      painter.drawText(captionRect.translated(1, 1), flags, caption_);
      painter.setPen(QColor(128, 128, 128));
    } else {
      painter.setPen(palette().color(QPalette::ButtonText));
    }
    painter.drawText(captionRect, flags, caption_);
  }
  if (flat_ && isEnabled() && (mouseInside_ || state_ == bsExclusive))
    qDrawShadeRect(&painter, rect(), palette(), pressed, 1);
}

void TrpSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (!down_) {
    state_ = bsDown;
    update();
  }
  dragging_ = true;
}

void TrpSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const bool inside = rect().contains(event->position().toPoint());
  const TButtonState state = down_ ? bsExclusive : inside ? bsDown : bsUp;
  if (state != state_) {
    state_ = state;
    update();
  }
}

void TrpSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  if (groupIndex_ == 0) {
    state_ = bsUp;
  } else if (inside) {
    SetDown(!down_);
    state_ = down_ ? bsExclusive : bsUp;
  } else {
    state_ = down_ ? bsExclusive : bsUp;
  }
  mouseInside_ = inside;
  update();
  if (inside) emit clicked();
}

void TrpSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (down_)
    emit doubleClicked();
  else
    mousePressEvent(event);
}

void TrpSpeedButton::enterEvent(QEnterEvent*) {
  mouseInside_ = true;
  if (flat_ && isEnabled()) emit mouseEntered();
  update();
}

void TrpSpeedButton::leaveEvent(QEvent*) {
  mouseInside_ = false;
  if (flat_ && isEnabled()) emit mouseLeft();
  update();
}

void TrpSpeedButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    state_ = !isEnabled() ? bsDisabled : down_ ? bsExclusive : bsUp;
    update();
  }
}
