// The control's model and lifecycle: construction, the font and the character
// cell, coordinates, the paint lock and status changes, buffer notifications.
#include "console/editor/CodeEdit.h"
#include "console/editor/CodeEditInternalImage.h"
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/CodeTextDrawer.h"
#include "console/editor/text/CodeEditHighlighter.h"
#include <QtGui/QFontInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <cmath>

TCustomCodeEdit::TCustomCodeEdit(QWidget* parent)
    : QAbstractScrollArea(parent), ownBuffer_(std::make_unique<TCodeEditStringList>()),
      ownUndoList_(std::make_unique<TCodeEditUndoList>()), ownRedoList_(std::make_unique<TCodeEditUndoList>()),
      bookMarkOptions_(this), keystrokes_(this), wordWrapGlyph_(QStringLiteral("CodeEditWrapped"), clLime) {
  lines_ = ownBuffer_.get();
  WireBuffer();
  for (TCodeEditUndoList* list : {ownUndoList_.get(), ownRedoList_.get()})
    list->OnItemAdded = [this](TCodeEditUndoList* sender) { UndoListItemAdded(sender); };
  activeUndoList_ = ownUndoList_.get();
  activeRedoList_ = ownRedoList_.get();

  selectedColor_.OnChange = [this](TCodeSelectedColor*) { InvalidateSelectionLines(); };
  bookMarkOptions_.OnChange = [this](TCodeBookMarkOpt*) { InvalidateGutterRange(-1, -1); };
  bookMarkOptions_.OnImagesDestroyed = [this] { InvalidateGutterRange(-1, -1); };
  gutter_.OnChange = [this](TCodeGutter*) { GutterSettingsChanged(); };
  gutterPixelWidth_ = gutter_.Width();
  wordWrapGlyph_.OnChange = [this](TCodeGlyph*) { InvalidateGutterRange(-1, -1); };
  marks_.OnChange = [this](TCodeEditMarkList*) { InvalidateGutterRange(-1, -1); };

  // Painting covers every pixel: the background is never erased on its own.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_InputMethodEnabled);
  resize(200, 150);
  setFocusPolicy(Qt::StrongFocus);
  ShowBorder();
  substituteFont_ = QFont(QStringLiteral("Courier New"), 10);
  textDrawer_ = std::make_unique<TheTextDrawer>(fsBold, substituteFont_);
  QWidget::setFont(substituteFont_);
  keystrokes_.LoadDefaultBindings();

  autoScrollTimer_.setInterval(100);
  connect(&autoScrollTimer_, &QTimer::timeout, this, &TCustomCodeEdit::AutoScrollTick);
  viewport()->setMouseTracking(true);
  for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, orientation](int action) { OnScrollBarAction(orientation, action); });
    connect(bar, &QScrollBar::sliderReleased, this, [this, orientation] { OnScrollBarReleased(orientation); });
  }
  caretBlinkTimer_.setInterval(qMax(1, QApplication::cursorFlashTime() / 2));
  connect(&caretBlinkTimer_, &QTimer::timeout, this, &TCustomCodeEdit::BlinkCaret);
  horizontalScrollBar()->setRange(1, 1);
  verticalScrollBar()->setRange(1, 1);
  constructed_ = true;
  ApplyDropAcceptance();
  ApplyFontChange();
}

TCustomCodeEdit::~TCustomCodeEdit() {
  if (highlighter_) highlighter_->UnhookChange(this);
}

void TCustomCodeEdit::WireBuffer() {
  lines_->OnChanging = [this](TCodeEditStringList*) { BufferChanging(); };
  lines_->OnChanged = [this](TCodeEditStringList*) { BufferChanged(); };
  lines_->OnLinesCleared = [this](TCodeEditStringList*) { BufferCleared(); };
  lines_->OnLinesDeleted = [this](TCodeEditStringList*, int i, int n) { BufferLinesDeleted(i, n); };
  lines_->OnLinesInserted = [this](TCodeEditStringList*, int i, int n) { BufferLinesInserted(i, n); };
  lines_->OnLinesReplaced = [this](TCodeEditStringList*, int i, int n) { BufferLinesReplaced(i, n); };
}

void TCustomCodeEdit::SetStateFlag(TCodeEditorStateFlag flag, bool on) {
  stateFlags_ = on ? (stateFlags_ | flag) : (stateFlags_ & ~flag);
}

// --- text

void TCustomCodeEdit::SetLines(const QStringList& lines) {
  lines_->BeginUpdate();
  lines_->Clear();
  lines_->AddStrings(lines);
  lines_->EndUpdate();
}

QString TCustomCodeEdit::Text() const { return lines_->Text(); }

void TCustomCodeEdit::SetText(const QString& text) { lines_->SetText(text); }

QString TCustomCodeEdit::CaretLineText() const { return lines_->Get(caretLine_ - 1); }

void TCustomCodeEdit::SetCaretLineText(const QString& text) {
  if (caretLine_ >= 1 && caretLine_ <= qMax(1, lines_->Count())) lines_->Put(caretLine_ - 1, text);
}

// --- font and cell

void TCustomCodeEdit::SetFont(const QFont& font) {
  if (QFontInfo(font).fixedPitch()) {
    QWidget::setFont(font);
  } else {
    substituteFont_ = font;
    substituteFont_.setFixedPitch(true);
    substituteFont_.setStyleHint(QFont::Monospace);
    if (!QFontInfo(substituteFont_).fixedPitch()) substituteFont_.setFamily(QStringLiteral("Courier New"));
    QWidget::setFont(substituteFont_);
  }
  if (gutter_.ShowLineNumbers()) GutterSettingsChanged();
}

void TCustomCodeEdit::SetFontColor(TColor color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  viewport()->update();
}

void TCustomCodeEdit::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange && constructed_) ApplyFontChange();
}

void TCustomCodeEdit::ApplyFontChange() {
  MeasureCharCell();
  RecomputeViewSize(true);
}

void TCustomCodeEdit::MeasureCharCell() {
  // The style combinations the text can take: bold and italic, which change
  // the cell; underline and strike-out do not.
  bool used[4] = {};
  if (highlighter_ && highlighter_->AttributeCount() > 0) {
    for (int i = 0; i < highlighter_->AttributeCount(); ++i)
      used[highlighter_->AttributeAt(i)->Style() & (fsBold | fsItalic)] = true;
  } else {
    used[(font().bold() ? fsBold : 0) | (font().italic() ? fsItalic : 0)] = true;
  }
  rowHeight_ = 0;
  charCellWidth_ = 0;
  textDrawer_->SetBaseFont(font());
  for (TFontStyles style = 0; style < 4; ++style) {
    if (!used[style]) continue;
    textDrawer_->SetBaseStyle(style);
    rowHeight_ = qMax(rowHeight_, textDrawer_->CharHeight());
    charCellWidth_ = qMax(charCellWidth_, textDrawer_->CharWidth());
  }
  rowHeight_ += extraLineSpacing_;
}

void TCustomCodeEdit::RecomputeViewSize(bool fontChanged) {
  if (!constructed_ || charCellWidth_ == 0) return;
  visibleColumns_ = qMax(viewport()->width() - gutterPixelWidth_ - 2, 0) / charCellWidth_;
  visibleRows_ = rowHeight_ > 0 ? viewport()->height() / rowHeight_ : 0;
  if (wrapPlugin_) {
    wrapPlugin_->ViewWidthChanged();
    viewport()->update();
  }
  if (fontChanged) {
    if (gutter_.ShowLineNumbers())
      GutterSettingsChanged();
    else
      UpdateScrollBarState();
    CreateEditorCaret();
    SetStateFlag(esCaretPending, false);
    viewport()->update();
  } else {
    UpdateScrollBarState();
  }
  SetStateFlag(esScrollBarsPending, false);
  if (!HasOption(eoScrollPastEol)) ScrollToColumn(leftColumn_);
  if (!HasOption(eoScrollPastEof)) ScrollToRow(topRow_);
}

void TCustomCodeEdit::SetGutterPixelWidth(int width) {
  width = qMax(0, width);
  if (width == gutterPixelWidth_) return;
  gutterPixelWidth_ = width;
  if (!constructed_) return;
  if (charCellWidth_ > 0) visibleColumns_ = qMax(viewport()->width() - gutterPixelWidth_ - 2, 0) / charCellWidth_;
  if (wrapPlugin_) wrapPlugin_->ViewWidthChanged();
  UpdateScrollBarState();
  viewport()->update();
}

// --- coordinates

TScreenCoord TCustomCodeEdit::ToScreenCoord(const TBufferCoord& position) const {
  int column = position.Char;
  if (position.Line >= 1 && position.Line <= lines_->Count())
    column = CharIndexToColumn(position.Char, tabWidth_, lines_->Get(position.Line - 1));
  if (wrapPlugin_) return wrapPlugin_->BufferToScreen({column, position.Line});
  return {column, position.Line};
}

TBufferCoord TCustomCodeEdit::ToBufferCoord(const TScreenCoord& position) const {
  const TBufferCoord unwrapped =
      wrapPlugin_ ? wrapPlugin_->ScreenToBuffer(position) : TBufferCoord{position.Column, position.Row};
  if (unwrapped.Line < 1 || unwrapped.Line > lines_->Count()) return unwrapped;
  const QString text = lines_->Get(unwrapped.Line - 1);
  int cells = 0;
  int index = 0;
  while (cells < unwrapped.Char) {
    cells += index < text.size() && text[index] == u'\t' ? tabWidth_ - cells % tabWidth_ : 1;
    ++index;
  }
  if (IsTrailByte(text, index)) ++index;
  return {index, unwrapped.Line};
}

int TCustomCodeEdit::RowCount() const {
  if (!wrapPlugin_) return lines_->Count();
  return lines_->Count() == 0 ? 0 : wrapPlugin_->RowCount();
}

int TCustomCodeEdit::RowOfLine(int line) const {
  return wrapPlugin_ ? wrapPlugin_->BufferToScreen({1, line}).Row : line;
}

int TCustomCodeEdit::LineOfRow(int row) const { return wrapPlugin_ ? wrapPlugin_->ScreenToBuffer({1, row}).Line : row; }

QPoint TCustomCodeEdit::ScreenCoordToPixel(const TScreenCoord& position) const {
  return {(position.Column - 1) * charCellWidth_ + TextOriginX(), (position.Row - topRow_) * rowHeight_};
}

TScreenCoord TCustomCodeEdit::PixelToScreenCoord(int x, int y) const {
  const int column = leftColumn_ + (x - gutterPixelWidth_ - 2) / qMax(1, charCellWidth_);
  const int row = topRow_ + y / qMax(1, rowHeight_);
  return {qMax(1, column), qMax(1, row)};
}

TScreenCoord TCustomCodeEdit::PixelToNearestScreenCoord(int x, int y) const {
  const int column =
      leftColumn_ + int(std::nearbyint(double(x - gutterPixelWidth_ - 2) / double(qMax(1, charCellWidth_))));
  if (y >= visibleRows_ * rowHeight_) y = qMax(visibleRows_ * rowHeight_ - 1, 0);
  const int row = topRow_ + y / qMax(1, rowHeight_);
  return {qMax(1, column), qMax(1, row)};
}

// --- paint lock and status

void TCustomCodeEdit::EndPaintLock() {
  Q_ASSERT(paintLockDepth_ >= 1);
  if (--paintLockDepth_ > 0 || !constructed_) return;
  if (StateFlag(esScrollBarsPending)) UpdateScrollBarState();
  if (wrapPlugin_ && (pendingStatusChanges_ & (stcCaretChar | stcCaretLine))) {
    const TScreenCoord caret = CaretScreenPos();
    if (visibleColumns_ > 0 && caret.Column > visibleColumns_ + 1) {
      if (caretAtRowEnd_) {
        caretAtRowEnd_ = false;
      } else if (pendingStatusChanges_ & stcCaretLine) {
        caretChar_ = ToBufferCoord({visibleColumns_ + 1, caret.Row}).Char;
        pendingStatusChanges_ |= stcCaretChar;
        RememberCaretColumn();
      }
      SetStateFlag(esCaretPending, true);
    }
  }
  if (StateFlag(esCaretPending)) UpdateCaretPosition();
  if (pendingStatusChanges_ != 0) FireStatusChange();
}

void TCustomCodeEdit::NotifyStatusChange(TCodeStatusChanges changes) {
  pendingStatusChanges_ |= changes;
  if (paintLockDepth_ == 0) FireStatusChange();
}

void TCustomCodeEdit::FireStatusChange() {
  if (!OnStatusChange) return;
  const TCodeStatusChanges changes = pendingStatusChanges_;
  pendingStatusChanges_ = 0;
  OnStatusChange(this, changes);
}

void TCustomCodeEdit::FireChange() {
  if (OnChange) OnChange(this);
}

// --- buffer notifications

void TCustomCodeEdit::BufferChanging() { SetStateFlag(esLinesChanging, true); }

void TCustomCodeEdit::BufferChanged() {
  SetStateFlag(esLinesChanging, false);
  if (!constructed_) return;
  UpdateScrollBarState();
  const TCodeSelectionMode mode = currentSelectionMode_;
  SetSelectionAnchor(CaretPos());
  currentSelectionMode_ = mode;
  if (!dirtyRect_.isEmpty()) InvalidatePixels(dirtyRect_);
  dirtyRect_ = QRect();
  if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.FitDigitsToLineCount(lines_->Count());
  if (!HasOption(eoScrollPastEof)) ScrollToRow(topRow_);
}
