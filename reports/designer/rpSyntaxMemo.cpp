#include "reports/designer/rpSyntaxMemo.h"
#include "core/CodePage1250.h"
#include "core/gui/ColorConvert.h"
#include "reports/designer/rpCodeMemoSearch.h"
#include <QtGui/QClipboard>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTreeView>
#include <algorithm>

namespace {

constexpr int kMemoBarWidth = 20; // gutter width and footer height when shown

// The digit of Ctrl(+Shift)+digit: the key itself, the shifted digit row of
// a US keyboard, or the digit row's X scan codes 10..19 on other layouts.
int DigitOfKey(const QKeyEvent* event) {
  if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) return event->key() - Qt::Key_0;
  static const QString shifted = QStringLiteral(")!@#$%^&*(");
  if (event->key() < 0x80)
    if (const qsizetype at = shifted.indexOf(QChar(event->key())); at >= 0) return int(at);
  const quint32 scan = event->nativeScanCode();
  if (scan >= 10 && scan <= 19) return int(scan - 9) % 10;
  return -1;
}

bool IsNavigationKey(int key) {
  switch (key) {
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
  case Qt::Key_Home:
  case Qt::Key_End:
  case Qt::Key_Left:
  case Qt::Key_Right:
  case Qt::Key_Up:
  case Qt::Key_Down:
    return true;
  default:
    return false;
  }
}

// A character typed into the memo: printable and held by code page 1250.
bool IsTypeable(QChar c) { return c.unicode() >= 32 && c.unicode() != 127 && Cp1250::FromUnicode(c.unicode()) >= 32; }

QFont MemoFooterFont(bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  font.setBold(bold);
  return font;
}

} // namespace

TrpSyntaxMemo::TrpSyntaxMemo(QWidget* parent) : QWidget(parent), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::IBeamCursor);
  setAcceptDrops(true);
  resize(200, 200);
  attrs_[taKeyword].Font.setBold(true);
  attrs_[taString].Color = clNavy;
  attrs_[taComment].Color = clNavy;
  attrs_[taComment].Font.setItalic(true);
  QFont font(QStringLiteral("Courier New"));
  font.setPointSize(10);
  SetMemoFont(font);
  keywords_ = rpSyntaxKeywords(syntaxType_);
  scrollBar_->hide();
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
    topLine_ = std::min(value, text_.LineCount());
    update();
  });
  connect(scrollBar_, &QScrollBar::sliderPressed, this, [this] { setFocus(); });
  if (parent) {
    gutterWidth_ = footerHeight_ = kMemoBarWidth;
  }
  Recolour();
}

TrpSyntaxMemo::~TrpSyntaxMemo() = default;

QStringList TrpSyntaxMemo::Lines() { return text_.Lines(); }

QString TrpSyntaxMemo::Text() { return text_.Lines().join(QStringLiteral("\r\n")); }

void TrpSyntaxMemo::SetLines(const QStringList& lines) {
  text_.SetLines(lines);
  topLine_ = leftColumn_ = 0;
  Recolour();
  ShowCaret();
}

void TrpSyntaxMemo::SetSyntaxType(TSyntaxType type) {
  syntaxType_ = type;
  keywords_ = rpSyntaxKeywords(type);
  Recolour();
}

void TrpSyntaxMemo::SetShowGutter(bool show) {
  gutterWidth_ = show ? kMemoBarWidth : 0;
  ShowCaret();
}

void TrpSyntaxMemo::SetShowFooter(bool show) {
  footerHeight_ = show ? kMemoBarWidth : 0;
  ShowCaret();
}

void TrpSyntaxMemo::SetAttr(int code, const TrpMemoTextAttr& attr) {
  attrs_[code] = attr;
  Recolour();
}

void TrpSyntaxMemo::SetMemoFont(const QFont& font) {
  memoFont_ = font;
  for (const int code : {taText, taComment, taKeyword, taString}) {
    attrs_[code].Font.setFamily(font.family());
    attrs_[code].Font.setPointSizeF(font.pointSizeF());
  }
  MeasureFont();
  ShowCaret();
}

void TrpSyntaxMemo::MeasureFont() {
  QFont bold = memoFont_;
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  lineHeight_ = std::max(1, metrics.boundingRect(QStringLiteral("Wg")).height());
  lineHeight_ = std::max(lineHeight_, metrics.height());
  charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('W')));
  // The font's own pitch decides, not its name.
  fixedPitch_ = QFontInfo(memoFont_).fixedPitch();
}

void TrpSyntaxMemo::Recolour() {
  colours_ = rpColourLines(text_.StoredLines(), syntaxType_, keywords_);
  update();
}

int TrpSyntaxMemo::ClientWidth() const {
  return scrollBar_->isVisible() ? width() - scrollBar_->sizeHint().width() - 4 : width();
}

int TrpSyntaxMemo::VisibleColumns() const { return std::max(0, (ClientWidth() - gutterWidth_) / charWidth_); }

int TrpSyntaxMemo::VisibleLines() const { return std::max(0, (height() - footerHeight_) / lineHeight_); }

QPoint TrpSyntaxMemo::CaretPos() const {
  return {(text_.CaretColumn() - 1 - leftColumn_) * charWidth_ + gutterWidth_,
          (text_.CaretLine() - 1 - topLine_) * lineHeight_};
}

void TrpSyntaxMemo::ShowCaret() {
  UpdateScrollBar();
  const int columns = VisibleColumns(), lines = VisibleLines();
  if (columns > 0 && lines > 0) {
    topLine_ = std::min(topLine_, text_.LineCount() - 1);
    const int column = text_.CaretColumn(), line = text_.CaretLine();
    if (column > leftColumn_ + columns)
      leftColumn_ = column - columns;
    else if (column <= leftColumn_)
      leftColumn_ = column - 1;
    // The line comes into view also when the column had to scroll.
    if (line > topLine_ + lines)
      topLine_ = line - lines;
    else if (line <= topLine_)
      topLine_ = line - 1;
  }
  UpdateScrollBar();
  update();
}

void TrpSyntaxMemo::UpdateScrollBar() {
  const QSignalBlocker quiet(scrollBar_);
  const int lines = VisibleLines();
  scrollBar_->setVisible(lines < text_.LineCount());
  const int barWidth = scrollBar_->sizeHint().width();
  scrollBar_->setGeometry(width() - barWidth - 4, 0, barWidth, std::max(0, height() - 4));
  scrollBar_->setRange(0, std::max(0, text_.LineCount() - 1));
  scrollBar_->setSingleStep(1);
  scrollBar_->setPageStep(std::max(1, lines));
  scrollBar_->setValue(topLine_);
}

void TrpSyntaxMemo::MoveCaret(int column, int line) {
  text_.MoveCaret(column, line);
  ShowCaret();
}

void TrpSyntaxMemo::SetFooterMessage(const QString& message) {
  text_.FooterMessage = message;
  update();
}

void TrpSyntaxMemo::SetSelection(const QPoint& anchor, const QPoint& end) {
  text_.SetSelection(anchor, end);
  update();
}

void TrpSyntaxMemo::Edited() {
  Recolour();
  ShowCaret();
}

void TrpSyntaxMemo::InsertText(const QString& text) {
  text_.InsertText(text);
  Edited();
}

void TrpSyntaxMemo::Undo() {
  text_.Undo();
  Edited();
}

bool TrpSyntaxMemo::FindText(const QString& text) {
  const bool found = text_.FindText(text);
  ShowCaret();
  return found;
}

void TrpSyntaxMemo::ShiftBlock(bool indent) {
  text_.ShiftBlock(indent);
  Edited();
}

void TrpSyntaxMemo::CopyToClipboard() {
  if (text_.HasSelection()) QGuiApplication::clipboard()->setText(text_.SelectedText());
}

void TrpSyntaxMemo::CutToClipboard() {
  if (ReadOnly() || !text_.HasSelection()) return;
  CopyToClipboard();
  InsertText(QString());
}

void TrpSyntaxMemo::PasteFromClipboard() {
  if (ReadOnly()) return;
  // Any line break of the clipboard (CR LF, LF or a lone CR) becomes the memo's CR LF.
  QString text = QGuiApplication::clipboard()->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  InsertText(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

// --- keys

bool TrpSyntaxMemo::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    // Tab stays in the memo instead of moving the focus.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      keyPressEvent(key);
      return true;
    }
  }
  if (event->type() == QEvent::ShortcutOverride) {
    // The memo's own keys are not the window's shortcuts while it has the focus.
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier, alt = key->modifiers() & Qt::AltModifier;
    const bool ownCtrlKey = ctrl && !alt &&
                            (QStringLiteral("ACFIUVXYZ").contains(QChar(key->key() < 0x80 ? key->key() : 0)) ||
                             DigitOfKey(key) >= 0 || key->key() == Qt::Key_Insert);
    const bool plain = !ctrl && !alt &&
                       (key->key() == Qt::Key_F3 || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Insert ||
                        key->key() == Qt::Key_Backspace || IsNavigationKey(key->key()) ||
                        (!key->text().isEmpty() && IsTypeable(key->text().front())));
    if (ownCtrlKey || plain || (ctrl && IsNavigationKey(key->key()))) {
      event->accept();
      return true;
    }
  }
  if (event->type() == QEvent::ParentChange && parentWidget() && gutterWidth_ == 0 && footerHeight_ == 0) {
    gutterWidth_ = footerHeight_ = kMemoBarWidth;
    ShowCaret();
  }
  return QWidget::event(event);
}

void TrpSyntaxMemo::keyPressEvent(QKeyEvent* event) {
  if (HandleNavigation(event) || HandleCommand(event) || HandleCharacter(event)) {
    event->accept();
    return;
  }
  event->ignore(); // Esc, Ctrl+Enter and the rest go to the window
}

bool TrpSyntaxMemo::HandleNavigation(QKeyEvent* event) {
  if (!IsNavigationKey(event->key()) || event->modifiers() & Qt::AltModifier) return false;
  const bool ctrl = event->modifiers() & Qt::ControlModifier, shift = event->modifiers() & Qt::ShiftModifier;
  const QPoint before(text_.CaretColumn(), text_.CaretLine());
  const QPoint anchor = text_.HasSelection() ? text_.SelectionAnchor() : before;
  const int column = before.x(), line = before.y();
  switch (event->key()) {
  case Qt::Key_Left:
    if (ctrl)
      text_.WordLeft();
    else
      text_.MoveCaret(column - 1, line);
    break;
  case Qt::Key_Right:
    if (ctrl)
      text_.WordRight();
    else
      text_.MoveCaret(column + 1, line);
    break;
  case Qt::Key_Up:
    text_.MoveCaret(column, line - 1);
    break;
  case Qt::Key_Down:
    text_.MoveCaret(column, line + 1);
    break;
  case Qt::Key_Home:
    text_.MoveCaret(1, ctrl ? 1 : line);
    break;
  case Qt::Key_End:
    if (ctrl)
      text_.TextEnd();
    else
      text_.LineEnd();
    break;
  case Qt::Key_PageUp:
    PageUp();
    break;
  case Qt::Key_PageDown:
    PageDown();
    break;
  }
  if (shift)
    text_.SetSelection(anchor, QPoint(text_.CaretColumn(), text_.CaretLine()));
  else
    text_.ClearSelection();
  ShowCaret();
  return true;
}

void TrpSyntaxMemo::PageUp() {
  const int lines = VisibleLines();
  if (topLine_ > lines) {
    topLine_ -= lines - 1;
    text_.MoveCaret(text_.CaretColumn(), text_.CaretLine() - (lines - 1));
  } else {
    text_.MoveCaret(text_.CaretColumn(), topLine_ == 0 ? 1 : text_.CaretLine() - topLine_);
    topLine_ = 0;
  }
}

void TrpSyntaxMemo::PageDown() {
  const int lines = VisibleLines(), count = text_.LineCount();
  if (topLine_ + lines < count) {
    topLine_ += lines - 1;
    text_.MoveCaret(text_.CaretColumn(), text_.CaretLine() + lines - 1);
  } else {
    topLine_ = count;
    text_.MoveCaret(text_.CaretColumn(), count);
  }
}

bool TrpSyntaxMemo::HandleCommand(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier, alt = mods & Qt::AltModifier;
  if (alt) return false;
  const int key = event->key();
  if (ctrl && (mods & ~(Qt::ControlModifier | Qt::ShiftModifier)) == 0)
    if (const int digit = DigitOfKey(event); digit >= 0) {
      if (shift)
        text_.ToggleBookmark(digit);
      else
        text_.GotoBookmark(digit);
      ShowCaret();
      return true;
    }
  switch (key) {
  case Qt::Key_Backspace:
    text_.Backspace();
    Edited();
    return true;
  case Qt::Key_Tab:
    if (ctrl) return false;
    // The key's own edit, then its character 9: a selection the edit left indents.
    text_.Tab();
    if (text_.HasSelection()) text_.ShiftBlock(true);
    Edited();
    return true;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (mods != Qt::NoModifier) return false;
    text_.Enter();
    Edited();
    return true;
  case Qt::Key_Insert:
    if (ctrl)
      CopyToClipboard();
    else if (shift)
      PasteFromClipboard();
    return ctrl || shift;
  case Qt::Key_Delete:
    if (shift)
      CutToClipboard();
    else {
      text_.Delete();
      Edited();
    }
    return true;
  case Qt::Key_F3:
    FindText(LastSearch);
    return true;
  }
  if (!ctrl || shift) return false;
  switch (key) {
  case Qt::Key_A:
    text_.SelectAll();
    ShowCaret();
    return true;
  case Qt::Key_F:
    Search();
    return true;
  case Qt::Key_Y:
    text_.DeleteLine();
    Edited();
    return true;
  case Qt::Key_C:
    CopyToClipboard();
    return true;
  case Qt::Key_I:
    ShiftBlock(true);
    return true;
  case Qt::Key_U:
    ShiftBlock(false);
    return true;
  case Qt::Key_V:
    PasteFromClipboard();
    return true;
  case Qt::Key_X:
    CutToClipboard();
    return true;
  case Qt::Key_Z:
    Undo();
    return true;
  }
  return false;
}

bool TrpSyntaxMemo::HandleCharacter(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  const QString typed = event->text();
  if (typed.isEmpty() || !std::all_of(typed.begin(), typed.end(), IsTypeable)) return false;
  InsertText(typed);
  return true;
}

void TrpSyntaxMemo::Search() {
  TCodeMemoSearch dialog(this);
  dialog.Edit1->setText(LastSearch);
  const int result = dialog.ShowModal();
  LastSearch = dialog.Edit1->text();
  if (result == mrOk) FindText(LastSearch);
}

// --- mouse

QPoint TrpSyntaxMemo::CellAt(const QPoint& point) const {
  const int column = (point.x() - gutterWidth_) / charWidth_ + leftColumn_ + 1;
  const int line = point.y() / lineHeight_ + topLine_ + 1;
  return {std::clamp(column, 1, TrpSyntaxMemoText::kMaxColumn), std::clamp(line, 1, text_.LineCount())};
}

void TrpSyntaxMemo::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton && !PopupMenu) {
    ShowOwnMenu(event->globalPosition().toPoint());
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const QPoint cell = CellAt(event->position().toPoint());
  text_.ClearSelection();
  MoveCaret(cell.x(), cell.y());
  dragging_ = true;
  if (event->button() == Qt::RightButton) PopupMenu->popup(event->globalPosition().toPoint());
}

void TrpSyntaxMemo::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint from(text_.CaretColumn(), text_.CaretLine());
  const QPoint anchor = text_.HasSelection() ? text_.SelectionAnchor() : from;
  const QPoint cell = CellAt(event->position().toPoint());
  text_.MoveCaret(cell.x(), cell.y());
  text_.SetSelection(anchor, cell);
  ShowCaret();
}

void TrpSyntaxMemo::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TrpSyntaxMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  text_.SelectWordAtCaret();
  ShowCaret();
}

void TrpSyntaxMemo::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0 && scrollBar_->isVisible()) scrollBar_->setValue(scrollBar_->value() - notches);
  event->accept();
}

void TrpSyntaxMemo::ShowOwnMenu(const QPoint& globalPos) {
  QMenu menu(this);
  connect(menu.addAction(QStringLiteral("Cut")), &QAction::triggered, this, &TrpSyntaxMemo::CutToClipboard);
  connect(menu.addAction(QStringLiteral("Copy")), &QAction::triggered, this, &TrpSyntaxMemo::CopyToClipboard);
  connect(menu.addAction(QStringLiteral("Paste")), &QAction::triggered, this, &TrpSyntaxMemo::PasteFromClipboard);
  menu.exec(globalPos);
}

void TrpSyntaxMemo::dragEnterEvent(QDragEnterEvent* event) {
  if (qobject_cast<QTreeView*>(event->source())) event->acceptProposedAction();
}

void TrpSyntaxMemo::dragMoveEvent(QDragMoveEvent* event) {
  if (qobject_cast<QTreeView*>(event->source())) event->acceptProposedAction();
}

void TrpSyntaxMemo::dropEvent(QDropEvent* event) {
  auto* tree = qobject_cast<QTreeView*>(event->source());
  if (!tree) return;
  DropTreeNode(event->position().toPoint(), *tree);
  event->acceptProposedAction();
}

void TrpSyntaxMemo::DropTreeNode(const QPoint& point, const QTreeView& tree) {
  const QPoint cell = CellAt(point);
  text_.ClearSelection();
  MoveCaret(cell.x(), cell.y());
  InsertText(tree.currentIndex().data().toString());
}

void TrpSyntaxMemo::resizeEvent(QResizeEvent*) { ShowCaret(); }

void TrpSyntaxMemo::focusInEvent(QFocusEvent*) { update(); }

void TrpSyntaxMemo::focusOutEvent(QFocusEvent*) {
  dragging_ = false;
  update();
}

// --- painting

void TrpSyntaxMemo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(Color));
  const int lines = VisibleLines();
  for (int i = topLine_; i < topLine_ + lines && i < text_.LineCount(); ++i)
    PaintLine(painter, i);
  PaintGutter(painter);
  PaintFooter(painter);
  if (hasFocus()) painter.fillRect(QRect(CaretPos(), QSize(2, lineHeight_)), ToQColor(clWindowText));
}

void TrpSyntaxMemo::PaintLine(QPainter& painter, int index) {
  const QString& line = text_.StoredLines()[index];
  const QString codes = index < colours_.size() ? colours_[index] : QString();
  const int y = (index - topLine_) * lineHeight_, lineNumber = index + 1;
  const int first = leftColumn_ + 1, last = std::min<int>(leftColumn_ + VisibleColumns() + 1, int(line.size()));
  auto attrsOf = [&](int column) {
    const int code = column - 1 < codes.size() ? codes[column - 1].unicode() : int(taText);
    return (code >= 32 ? int(taText) : code) | (text_.IsSelected(column, lineNumber) ? 0x100 : 0);
  };
  int x = gutterWidth_;
  int runStart = first;
  for (int column = first; column <= last; ++column)
    if (column == last || attrsOf(column + 1) != attrsOf(runStart)) {
      PaintRun(painter, x, y, line.mid(runStart - 1, column - runStart + 1), attrsOf(runStart));
      runStart = column + 1;
    }
  // A line the selection runs past shows the selection colour to the right edge.
  const int end = int(line.size()) + 1;
  if (text_.IsSelected(std::max(end, first), lineNumber) && text_.IsSelected(1, lineNumber))
    painter.fillRect(QRect(x, y, ClientWidth() - x, lineHeight_), ToQColor(BlockColor));
}

void TrpSyntaxMemo::PaintRun(QPainter& painter, int& x, int y, const QString& run, int attrs) {
  if (run.isEmpty()) return;
  const bool selected = attrs & 0x100;
  const int code = attrs & 0xFF;
  const TrpMemoTextAttr& attr =
      code >= taText && code <= taString && code != taSelection ? attrs_[code] : attrs_[taText];
  const QRect cells(x, y, int(run.size()) * charWidth_, lineHeight_);
  painter.fillRect(cells, ToQColor(selected ? BlockColor : Color));
  painter.setFont(attr.Font);
  painter.setPen(ToQColor(selected ? BlockFontColor : attr.Color));
  const int baseline = y + QFontMetrics(attr.Font).ascent();
  if (fixedPitch_) {
    painter.drawText(x, baseline, run);
  } else {
    // Each character at the start of its cell keeps the grid of the caret.
    for (qsizetype i = 0; i < run.size(); ++i)
      painter.drawText(x + int(i) * charWidth_, baseline, QString(run[i]));
  }
  x = cells.right() + 1;
}

void TrpSyntaxMemo::PaintGutter(QPainter& painter) {
  const QColor face = ToQColor(clBtnFace);
  const int bottom = height() - footerHeight_;
  if (gutterWidth_ > 0) painter.fillRect(QRect(0, 0, gutterWidth_ - 1, bottom), face);
  painter.setPen(ToQColor(clBtnHighlight));
  if (gutterWidth_ > 0) painter.drawLine(gutterWidth_ - 4, 0, gutterWidth_ - 4, bottom + 1);
  if (footerHeight_ > 0) {
    painter.fillRect(QRect(0, bottom, width(), footerHeight_), face);
    painter.drawLine(gutterWidth_ - 4, bottom + 1, width(), bottom + 1);
  }
  if (gutterWidth_ == 0) return;
  QFont digitFont(QStringLiteral("Tahoma"));
  digitFont.setPointSize(7);
  digitFont.setBold(true);
  painter.setFont(digitFont);
  for (int i = topLine_; i < topLine_ + VisibleLines() && i < text_.LineCount(); ++i) {
    const int y = (i - topLine_) * lineHeight_;
    const int digit = text_.BookmarkOfLine(i);
    if (digit < 0) continue;
    painter.fillRect(QRect(3, y + 1, 10, 11), ToQColor(clBlack));
    painter.fillRect(QRect(2, y + 2, 10, 11), ToQColor(clGreen));
    painter.setPen(ToQColor(clWhite));
    painter.drawText(QRect(2, y + 2, 10, 11), Qt::AlignCenter, QString::number(digit));
  }
}

void TrpSyntaxMemo::PaintFooter(QPainter& painter) {
  if (footerHeight_ == 0 && text_.FooterMessage.isEmpty()) return;
  const bool message = !text_.FooterMessage.isEmpty();
  const QFont font = MemoFooterFont(message);
  const int textHeight = QFontMetrics(font).height();
  painter.setFont(font);
  if (message) {
    painter.fillRect(QRect(0, height() - textHeight - 6, width(), textHeight + 6), ToQColor(clMaroon));
    painter.setPen(ToQColor(clWhite));
    painter.drawText(QRect(6, height() - textHeight - 5, width() - 6, textHeight), Qt::AlignLeft | Qt::AlignTop,
                     text_.FooterMessage);
    return;
  }
  painter.setPen(ToQColor(clBlack));
  painter.drawText(QRect(gutterWidth_ + 4, height() - textHeight - 5, width(), textHeight),
                   Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("%1 : %2    ").arg(text_.CaretLine()).arg(text_.CaretColumn()));
}
