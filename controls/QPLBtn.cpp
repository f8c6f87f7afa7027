#include "controls/QPLBtn.h"
#include "controls/DataEntryControl.h"
#include "core/gui/ColorConvert.h"
#include "core/ui/Form.h"
#include "core/ui/ImageList.h"
#include <QtCore/QEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QShortcut>
#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/qdrawutil.h>

TQPLBtn::TQPLBtn(QWidget* parent) : TQPLBtn(QString(), parent) {}

void TQPLBtn::AddAccelerator(const QKeySequence& keys) {
  auto* shortcut = new QShortcut(keys, this);
  shortcut->setContext(Qt::WindowShortcut);
  connect(shortcut, &QShortcut::activated, this, [this] {
    if (isVisible() && isEnabled()) click();
  });
}

TQPLBtn::TQPLBtn(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  resize(97, 25);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, &TQPLBtn::ApplyModalResult);
}

void TQPLBtn::SetImages(TImageList* images) {
  if (images_ == images) return;
  if (images_) disconnect(images_, nullptr, this, nullptr);
  images_ = images;
  if (images_) connect(images_, &TImageList::Changed, this, qOverload<>(&QWidget::update));
  update();
}

void TQPLBtn::SetImageIndex(int index) {
  imageIndex_ = index;
  update();
}

void TQPLBtn::SetMargin(int margin) {
  if (margin < -1 || margin == margin_) return;
  margin_ = margin;
  update();
}

void TQPLBtn::SetSpacing(int spacing) {
  spacing_ = spacing;
  update();
}

void TQPLBtn::SetColor(TColor color) {
  color_ = color;
  update();
}

bool TQPLBtn::HasGlyph() const { return images_ && imageIndex_ != -1; }

QString TQPLBtn::DisplayCaption() const { return text().replace(QLatin1Char('|'), QLatin1Char('\n')); }

bool TQPLBtn::Active() const {
  if (hasFocus()) return true;
  if (!isDefault()) return false;
  const QWidget* focused = window()->focusWidget();
  return !(focused && qobject_cast<const QPushButton*>(focused));
}

TQPLBtn::TLayout TQPLBtn::Layout(const QRect& content) const {
  const QFontMetrics metrics(font());
  const QSize glyph = HasGlyph() ? QSize(images_->Width(), images_->Height()) : QSize(0, 0);
  const int spacing = HasGlyph() ? spacing_ : 0;
  const int room = content.width() - (margin_ == -1 ? 0 : margin_) - glyph.width() - spacing;
  QRect textBox = metrics.boundingRect(QRect(0, 0, 10000, 10000), Qt::TextShowMnemonic, DisplayCaption());
  const bool wrapped = textBox.width() > room && room > 0;
  if (wrapped)
    textBox = metrics.boundingRect(QRect(0, 0, room, 10000), Qt::TextShowMnemonic | Qt::TextWordWrap, DisplayCaption());
  const int total = glyph.width() + spacing + textBox.width();
  // Integer division rounds towards zero, also for a negative remainder.
  const int left = content.left() + (margin_ == -1 ? (content.width() - total) / 2 : margin_);
  TLayout layout;
  layout.Wrapped = wrapped;
  if (HasGlyph()) layout.Glyph = QRect(QPoint(left, content.top() + (content.height() - glyph.height()) / 2), glyph);
  layout.Caption =
      QRect(QPoint(left + glyph.width() + spacing, content.top() + (content.height() - textBox.height()) / 2),
            textBox.size());
  return layout;
}

QSize TQPLBtn::sizeHint() const { return QSize(97, 25); }

void TQPLBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  const bool active = Active();
  if (hasFocus() || active) {
    p.setPen(ToQColor(clWindowFrame));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  const bool pressed = isDown() && isEnabled();
  if (pressed) {
    p.setPen(ToQColor(clBtnShadow));
    p.setBrush(ToQColor(clBtnFace));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  } else {
    qDrawWinButton(&p, r, palette(), false);
    r.adjust(2, 2, -2, -2);
  }
  p.fillRect(r, ToQColor(color_));

  QRect content = rect().adjusted(4, 4, -4, -4);
  if (pressed) content.translate(1, 1);
  const TLayout layout = Layout(content);
  const QString caption = DisplayCaption();
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic |
                    (layout.Wrapped ? Qt::TextWordWrap : Qt::TextSingleLine);
  if (isEnabled()) {
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(layout.Caption, flags, caption);
  } else {
    p.setPen(ToQColor(clBtnHighlight));
    p.drawText(layout.Caption.translated(1, 1), flags, caption);
    p.setPen(ToQColor(clBtnShadow));
    p.drawText(layout.Caption, flags, caption);
  }
  if (HasGlyph()) p.drawPixmap(layout.Glyph.topLeft(), images_->Image(imageIndex_, isEnabled()));
  if (active) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(4, 4, -4, -4);
    option.backgroundColor = ToQColor(color_);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
  }
}

void TQPLBtn::focusInEvent(QFocusEvent* event) {
  QPushButton::focusInEvent(event);
  // A window hidden and shown again can give the focus twice without taking
  // it: the colour of before is the one the button had before the first.
  if (!focusColored_) colorBeforeFocus_ = color_;
  focusColored_ = true;
  SetColor(FocusColor);
  TDataEntryControl::EndUnseenFocus(this);
  emit OnEnter();
}

void TQPLBtn::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  DropFocusColor();
  emit OnExit();
}

void TQPLBtn::DropFocusColor() {
  if (focusColored_) SetColor(colorBeforeFocus_);
  focusColored_ = false;
}

void TQPLBtn::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
}

void TQPLBtn::mousePressEvent(QMouseEvent* event) {
  // The press gave this button the focus unless a data-entry control refused
  // to be left and took it back: then the press does not count, as a button
  // that loses the focus while pressed is not clicked.
  if (isEnabled() && !hasFocus() && (focusPolicy() & Qt::ClickFocus) && window()->isActiveWindow()) {
    event->ignore();
    return;
  }
  QPushButton::mousePressEvent(event);
}

void TQPLBtn::ApplyModalResult() {
  if (modalResult_ == 0) return;
  if (auto* form = qobject_cast<TForm*>(window()))
    form->SetModalResult(modalResult_);
  else if (auto* dialog = qobject_cast<QDialog*>(window()))
    dialog->done(modalResult_);
}
