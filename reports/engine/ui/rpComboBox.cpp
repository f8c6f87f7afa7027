#include "reports/engine/ui/rpComboBox.h"
#include "core/gui/ColorConvert.h"
#include "platform/base/Registry.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyledItemDelegate>
#include <algorithm>

namespace {

const QString kDefaultMRUKey = QStringLiteral("\\Software\\ZiviVudire\\MRUFont");
constexpr int kFontTypeRole = Qt::UserRole + 1;

QColor WindowColor() { return QApplication::palette().color(QPalette::Base); }

// A 3D edge of one pixel: `topLeft` on the upper and left lines, `bottomRight` on the others.
void DrawEdge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(bottomRight);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

void FrameRect(QPainter& p, const QRect& r, const QColor& color) {
  p.setPen(color);
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

// The three rows of 5, 3 and 1 pixels.
void DrawArrow(QPainter& p, int x, int y) {
  p.setPen(Qt::black);
  for (int row = 0; row < 3; ++row)
    p.drawLine(x + row, y + row, x + 4 - row, y + row);
}

} // namespace

// --- TrpCustomComboBox

TrpCustomComboBox::TrpCustomComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  resize(100, sizeHint().height());
  lineEdit()->setFrame(false);
  lineEdit()->installEventFilter(this);
  TakeFontHeight();
}

void TrpCustomComboBox::TakeFontHeight() {
  itemHeight_ = QFontMetrics(font()).height();
  view()->setStyleSheet(QString());
}

void TrpCustomComboBox::SetEditIndent(int indent) {
  editIndent_ = indent;
  PlaceEdit();
}

void TrpCustomComboBox::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  lineEdit()->setReadOnly(readOnly);
}

int TrpCustomComboBox::ListHeight() const {
  if (count() == 0 || maxVisibleItems() <= 0) return itemHeight_ + 4;
  return std::min(maxVisibleItems(), count()) * itemHeight_ + 4;
}

bool TrpCustomComboBox::IsHot() const { return dropped_ || lineEdit()->hasFocus() || mouseInside_; }

void TrpCustomComboBox::PlaceEdit() {
  lineEdit()->setGeometry(editIndent_ + 3, 3, width() - kButtonWidth - 7 - editIndent_, height() - 6);
}

void TrpCustomComboBox::showPopup() {
  QComboBox::showPopup();
  QWidget* list = view()->window();
  const int listWidth = width() - 1;
  const int listHeight = ListHeight();
  QPoint at = mapToGlobal(QPoint(0, height()));
  const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
  droppedUpward_ = at.y() + listHeight > screen.bottom();
  if (droppedUpward_) at = mapToGlobal(QPoint(0, -listHeight - 2));
  list->setGeometry(QRect(at, QSize(listWidth, listHeight)));
  dropped_ = true;
  update();
  PopupShown();
}

void TrpCustomComboBox::hidePopup() {
  QComboBox::hidePopup();
  dropped_ = false;
  update();
  PopupHidden();
}

void TrpCustomComboBox::DrawImage(QPainter& painter, const QRect& rect) {
  if (editIndent_ > 0) painter.fillRect(rect, WindowColor());
}

void TrpCustomComboBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect all = rect();
  const int w = width(), h = height();
  const QRect button(QPoint(w - kButtonWidth - 2, 2), QPoint(w - 3, h - 3));
  const int arrowX = w + 6 - kButtonWidth - 4, arrowY = qRound((h - 4) / 2.0) + 1;
  if (!isEnabled()) {
    p.fillRect(all, ToQColor(clBtnFace));
    FrameRect(p, all.adjusted(2, 2, -2, -2), WindowColor());
    DrawArrow(p, arrowX, arrowY);
    return;
  }
  p.fillRect(all.adjusted(2, 2, -2, -2), WindowColor());
  DrawImage(p, QRect(QPoint(3, 3), QPoint(editIndent_ + 2, h - 4)));
  FrameRect(p, all.adjusted(1, 1, -1, -1), ToQColor(clBtnFace));
  FrameRect(p, all.adjusted(2, 2, -(kButtonWidth + 3), -2), WindowColor());
  const bool hot = IsHot();
  if (hot)
    DrawEdge(p, all.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark), palette().color(QPalette::Light));
  else
    FrameRect(p, all, ToQColor(clBtnFace));
  p.fillRect(button, ToQColor(clBtnFace));
  int shift = 0;
  if (dropped_) {
    DrawEdge(p, button, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    shift = 1;
  } else if (hot) {
    DrawEdge(p, button, palette().color(QPalette::Light), palette().color(QPalette::Dark));
  } else {
    FrameRect(p, button.adjusted(0, 0, 1, 1), WindowColor());
  }
  p.setPen(hot ? ToQColor(clBtnFace) : WindowColor());
  p.drawLine(button.left() - 1, button.top(), button.left() - 1, button.bottom());
  DrawArrow(p, arrowX + shift, arrowY + shift);
}

void TrpCustomComboBox::resizeEvent(QResizeEvent* event) {
  QComboBox::resizeEvent(event);
  PlaceEdit();
}

void TrpCustomComboBox::showEvent(QShowEvent* event) {
  QComboBox::showEvent(event);
  PlaceEdit();
}

void TrpCustomComboBox::changeEvent(QEvent* event) {
  QComboBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) TakeFontHeight();
  if (event->type() == QEvent::EnabledChange) update();
}

void TrpCustomComboBox::enterEvent(QEnterEvent* event) {
  QComboBox::enterEvent(event);
  mouseInside_ = true;
  update();
}

void TrpCustomComboBox::leaveEvent(QEvent* event) {
  QComboBox::leaveEvent(event);
  mouseInside_ = false;
  update();
}

bool TrpCustomComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) update();
  return QComboBox::eventFilter(watched, event);
}

// --- TrpFontPreview

TrpFontPreview::TrpFontPreview(QWidget* box)
    : QWidget(box, Qt::ToolTip | Qt::FramelessWindowHint), panel_(new QLabel(this)) {
  resize(200, 50);
  panel_->setGeometry(rect());
  panel_->setAlignment(Qt::AlignCenter);
  panel_->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel_->setAutoFillBackground(true);
  QPalette colours = panel_->palette();
  colours.setColor(QPalette::Window, palette().color(QPalette::Base));
  colours.setColor(QPalette::WindowText, palette().color(QPalette::Text));
  panel_->setPalette(colours);
  hide();
}

void TrpFontPreview::ShowFont(const QString& family) {
  QFont font(family);
  font.setPointSize(18);
  panel_->setFont(font);
  panel_->setText(family);
}

QString TrpFontPreview::Family() const { return panel_->text(); }

// --- TrpFontComboBox

// Draws a font entry: its mark, its name 17 pixels in, and the line under the
// remembered fonts; the highlighted entry shows in the preview.
class TrpFontItemDelegate : public QStyledItemDelegate {
public:
  explicit TrpFontItemDelegate(TrpFontComboBox* box) : QStyledItemDelegate(box), box_(box) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool highlighted = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, option.palette.color(highlighted ? QPalette::Highlight : QPalette::Base));
    const QString name = index.data(Qt::DisplayRole).toString();
    if (index.data(kFontTypeRole).toInt() & TrpFontComboBox::kTrueType) {
      const QImage mark = rpTrueTypeMark();
      p->drawImage(option.rect.left() + 1, option.rect.top() + (option.rect.height() - mark.height()) / 2, mark);
    }
    p->setPen(option.palette.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
    const QRect text = option.rect.adjusted(17, 0, 0, 0);
    p->drawText(text,
                int(Qt::AlignVCenter | Qt::TextSingleLine) |
                    (option.direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft),
                name);
    const int recent = box_->RecentCount();
    if (box_->ShowMRU() && recent > 0 && (index.row() == recent - 1 || index.row() == recent)) {
      p->setPen(option.palette.color(QPalette::Dark));
      const int y = index.row() == recent - 1 ? option.rect.bottom() : option.rect.top();
      p->drawLine(option.rect.left(), y, option.rect.right(), y);
    }
    if (highlighted && box_->Preview()) box_->Preview()->ShowFont(name);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width() + 17,
                 std::max(rpTrueTypeMark().height() + 1, box_->ItemHeight()));
  }

private:
  TrpFontComboBox* box_;
};

QImage rpTrueTypeMark() {
  static const QImage mark = [] {
    QImage image(15, 12, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(QRect(0, 0, 10, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("T"));
    p.setPen(Qt::black);
    p.drawText(QRect(5, 0, 10, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("T"));
    return image;
  }();
  return mark;
}

TrpFontComboBox::TrpFontComboBox(QWidget* parent) : TrpCustomComboBox(parent), mruRegKey_(kDefaultMRUKey) {
  SetDropDownCount(12);
  resize(150, height());
  SetEditIndent(16);
  SetReadOnly(true);
  setItemDelegate(new TrpFontItemDelegate(this));
  preview_ = new TrpFontPreview(this);
  connect(this, &QComboBox::activated, this, &TrpFontComboBox::FontChosen);
  connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, &TrpFontComboBox::FillFontList);
  // Filled once the window exists, as a loaded component is.
  QTimer::singleShot(0, this, [this] {
    if (count() == 0) FillFontList();
  });
}

void TrpFontComboBox::SetMRURegKey(const QString& key) { mruRegKey_ = key.isEmpty() ? kDefaultMRUKey : key; }

void TrpFontComboBox::FillFontList() {
  // The application removes its own fonts while it ends: nothing is shown any more.
  if (QCoreApplication::closingDown()) return;
  filling_ = true;
  const QString kept = currentText();
  QStringList families = QFontDatabase::families();
  families.removeDuplicates();
  std::sort(families.begin(), families.end(),
            [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
  clear();
  for (const QString& family : families)
    addItem(family, QFontDatabase::isScalable(family) && !QFontDatabase::isBitmapScalable(family) ? kTrueType : 0);
  for (int i = 0; i < count(); ++i)
    setItemData(i, itemData(i), kFontTypeRole);
  recentCount_ = 0;
  if (showMRU_) ReadRecent();
  const int keptIndex = kept.isEmpty() ? -1 : findText(kept, Qt::MatchFixedString);
  setCurrentIndex(keptIndex >= 0 ? keptIndex : 0);
  filling_ = false;
}

void TrpFontComboBox::ReadRecent() {
  TRegistry& registry = TRegistry::Root();
  registry.CreateKey(mruRegKey_);
  for (int i = kMaxRecent - 1; i >= 0; --i) {
    const QString digit = QString::number(i);
    const std::optional<TRegValue> name = registry.ReadValue(mruRegKey_, QStringLiteral("Font") + digit);
    const QString family = name ? name->Text : QString();
    if (!family.isEmpty() && findText(family, Qt::MatchFixedString) >= recentCount_) {
      const std::optional<TRegValue> type = registry.ReadValue(mruRegKey_, QStringLiteral("FontType") + digit);
      insertItem(0, family, int(type ? type->Dword : 0));
      setItemData(0, int(type ? type->Dword : 0), kFontTypeRole);
      ++recentCount_;
    } else {
      registry.WriteValue(mruRegKey_, QStringLiteral("Font") + digit, TRegValue::String(QString()));
      registry.WriteValue(mruRegKey_, QStringLiteral("FontType") + digit, TRegValue::FromDword(0));
    }
  }
}

void TrpFontComboBox::FontChosen(int index) {
  if (preview_) preview_->hide();
  if (filling_ || index <= 0) return;
  if (showMRU_) {
    const QString family = itemText(index);
    const int first = findText(family, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    const QVariant type = itemData(first, kFontTypeRole);
    if (first >= recentCount_) {
      insertItem(0, family, type);
      setItemData(0, type, kFontTypeRole);
      if (recentCount_ == kMaxRecent)
        removeItem(kMaxRecent);
      else
        ++recentCount_;
    } else {
      removeItem(first);
      insertItem(0, family, type);
      setItemData(0, type, kFontTypeRole);
    }
    setCurrentIndex(0);
    WriteRecent();
  }
  emit Click();
}

void TrpFontComboBox::WriteRecent() {
  TRegistry& registry = TRegistry::Root();
  for (int i = 0; i < kMaxRecent; ++i) {
    const bool recent = i < recentCount_;
    const QString digit = QString::number(i);
    registry.WriteValue(mruRegKey_, QStringLiteral("Font") + digit, TRegValue::String(recent ? itemText(i) : QString()),
                        true);
    registry.WriteValue(mruRegKey_, QStringLiteral("FontType") + digit,
                        TRegValue::FromDword(recent ? itemData(i, kFontTypeRole).toUInt() : 0), true);
  }
}

void TrpFontComboBox::DrawImage(QPainter& painter, const QRect& rect) {
  TrpCustomComboBox::DrawImage(painter, rect);
  const int index = findText(currentText(), Qt::MatchFixedString);
  if (index < 0 || !(itemData(index, kFontTypeRole).toInt() & kTrueType)) return;
  const QImage mark = rpTrueTypeMark();
  painter.drawImage(rect.left(), rect.top() + (rect.height() - mark.height()) / 2, mark);
}

void TrpFontComboBox::PopupShown() {
  if (currentIndex() < kMaxRecent) view()->setCurrentIndex(model()->index(0, 0));
  if (!preview_) return;
  preview_->ShowFont(currentText());
  const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
  QPoint at = mapToGlobal(QPoint(width(), height()));
  if (at.x() + preview_->width() > screen.right()) at.setX(mapToGlobal(QPoint(0, 0)).x() - 1 - preview_->width());
  if (DroppedUpward()) at.setY(mapToGlobal(QPoint(0, 0)).y() - preview_->height());
  preview_->move(at);
  preview_->show();
}

void TrpFontComboBox::PopupHidden() {
  if (preview_) preview_->hide();
}
