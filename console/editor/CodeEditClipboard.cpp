// The selection as text, the clipboard (plain text and the editor's own block
// that keeps the selection mode) and dragging the selection within an editor
// or between two.
#include "console/editor/CodeEditPrivate.h"
#include "console/editor/text/CodeEditErrors.h"
#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtCore/QScopeGuard>
#include <QtGui/QClipboard>
#include <QtGui/QDrag>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>

QString TCustomCodeEdit::SelectedText() const { return SelectionText(!HasOption(eoTrimTrailingSpaces)); }

QString TCustomCodeEdit::SelectionContents() const { return SelectionText(false); }

QString TCustomCodeEdit::SelectionText(bool padColumns) const {
  if (!HasSelection()) return {};
  const TBufferCoord first = SelectionFirst(), last = SelectionLast();
  const QString breakText = QStringLiteral("\r\n");
  switch (currentSelectionMode_) {
  case smNormal: {
    if (first.Line == last.Line) return lines_->Get(first.Line - 1).mid(first.Char - 1, last.Char - first.Char);
    QString text = lines_->Get(first.Line - 1).mid(first.Char - 1) + breakText;
    for (int line = first.Line + 1; line < last.Line; ++line)
      text += lines_->Get(line - 1) + breakText;
    return text + lines_->Get(last.Line - 1).left(last.Char - 1);
  }
  case smLine: {
    QString text;
    // No line break follows the text's last line.
    for (int line = first.Line; line <= qMin(last.Line, lines_->Count()); ++line) {
      text += lines_->Get(line - 1);
      if (line < lines_->Count()) text += breakText;
    }
    return text;
  }
  case smColumn: {
    // The same character indexes on every line, as the block is deleted,
    // moved and taken back.
    const int left = qMin(first.Char, last.Char), right = qMax(first.Char, last.Char);
    QStringList rows;
    for (int line = first.Line; line <= last.Line; ++line) {
      const QString text = lines_->Get(line - 1);
      int from = left, to = right;
      SnapColumnsToCharBounds(text, from, to);
      QString piece = text.mid(from - 1, qMax(0, to - from));
      if (padColumns) piece = piece.leftJustified(qMax(0, to - from), u' ');
      rows << piece;
    }
    return rows.join(breakText);
  }
  }
  return {};
}

// --- the clipboard

namespace {

// The block of the editor's private clipboard format ("CodeEdit Control Block
// Type"): the selection mode byte, the text in UTF-8 and a closing zero.
QByteArray BlockBytes(TCodeSelectionMode mode, const QString& text) {
  QByteArray block(1, char(mode));
  block += text.toUtf8();
  block += '\0';
  return block;
}

bool ReadBlock(const QByteArray& block, TCodeSelectionMode& mode, QString& text) {
  if (block.isEmpty() || quint8(block[0]) > smColumn) return false;
  mode = TCodeSelectionMode(quint8(block[0]));
  const qsizetype end = block.indexOf('\0', 1);
  text = QString::fromUtf8(block.mid(1, end < 0 ? -1 : end - 1));
  return true;
}

QClipboard* Clipboard() { return QGuiApplication::clipboard(); }

} // namespace

const QString& TCustomCodeEdit::BlockMimeType() {
  static const QString type = QStringLiteral("application/x-codeedit-control-block-type");
  return type;
}

QMimeData* TCustomCodeEdit::SelectionMimeData(const QString& text) const {
  auto* mime = new QMimeData;
  // Programs of this desktop expect lines ending in LF; our editors read the
  // block with the text as it is.
  mime->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  mime->setData(BlockMimeType(), BlockBytes(currentSelectionMode_, text));
  return mime;
}

void TCustomCodeEdit::CopyToClipboardEx(const QString& text) {
  if (text.isEmpty()) return;
  QClipboard* clipboard = Clipboard();
  if (!clipboard) throw ECodeEditError(QStringLiteral("Clipboard copy operation failed"));
  clipboard->setMimeData(SelectionMimeData(text));
}

void TCustomCodeEdit::CopySelection() {
  if (!HasSelection()) return;
  // A copied column block keeps its full width in every row.
  const bool padded = currentSelectionMode_ == smColumn && HasOption(eoTrimTrailingSpaces);
  QString text;
  {
    TCodeEditOptionSwitch trim(*this, eoTrimTrailingSpaces, HasOption(eoTrimTrailingSpaces) && !padded);
    text = SelectedText();
  }
  CopyToClipboardEx(text);
}

void TCustomCodeEdit::CutSelection() {
  const QString text = SelectedText();
  TCodeEditUndoBlock block(*this);
  CopyToClipboardEx(text);
  ReplaceSelection(QString());
}

bool TCustomCodeEdit::CanPaste() const {
  if (readOnly_ || !Clipboard()) return false;
  const QMimeData* mime = Clipboard()->mimeData();
  return mime && (mime->hasText() || mime->hasFormat(BlockMimeType()));
}

void TCustomCodeEdit::PasteClipboard() {
  if (!CanPaste()) return;
  const QMimeData* mime = Clipboard()->mimeData();
  TCodeSelectionMode mode = smNormal;
  QString text;
  const bool ownBlock = mime->hasFormat(BlockMimeType());
  if (ownBlock && !ReadBlock(mime->data(BlockMimeType()), mode, text))
    throw ECodeEditError(QStringLiteral("Clipboard paste operation failed."));
  if (!ownBlock) text = mime->text();
  PaintTransient(ttBefore);
  {
    TCodeEditUndoBlock block(*this);
    activeUndoList_->RecordChange(urPasteOpen, SelectionFirst(), SelectionLast(), QString(), smNormal);
    const auto close = qScopeGuard([this] {
      activeUndoList_->RecordChange(urPasteClose, SelectionFirst(), SelectionLast(), QString(), smNormal);
    });
    if (HasSelection()) {
      // The selection goes first; the text then goes where it began.
      activeUndoList_->RecordChange(urDelete, selectionAnchor_, selectionActiveEnd_, SelectionContents(),
                                    currentSelectionMode_);
      ReplaceSelectionRaw(currentSelectionMode_, QString(), true);
    } else if (!ownBlock) {
      currentSelectionMode_ = selectionMode_;
    }
    if (!ownBlock) mode = currentSelectionMode_;
    if (mode == smNormal) FillLineToCaret();
    TBufferCoord start = CaretPos();
    if (mode == smLine) start.Char = 1;
    ReplaceSelectionRaw(mode, text, true);
    const TBufferCoord end = SelectionLast();
    if (mode == smNormal) {
      activeUndoList_->RecordChange(urPaste, start, end, QString(), smNormal);
    } else if (mode == smLine) {
      if (caretChar_ == 1)
        activeUndoList_->RecordChange(urPaste, {1, start.Line},
                                      {qMax(2, visibleColumns_), qMax(start.Line, end.Line - 1)}, QString(), smLine);
      else
        activeUndoList_->RecordChange(urPaste, {1, start.Line}, end, QString(), smNormal);
    }
  }
  if (HasOption(eoHideShowScrollbars)) {
    const int depth = std::exchange(paintLockDepth_, 0);
    UpdateScrollBarState();
    paintLockDepth_ = depth;
  }
  EnsureCaretVisible();
  NotifyStatusChange(stcSelection);
  PaintTransient(ttAfter);
}

// --- drag and drop of the selection

namespace {

// What a drag of the selection carries: the text and the block, and the
// editor it comes from, which moves or copies it when dropped.
class TCodeEditDragData : public QMimeData {
public:
  explicit TCodeEditDragData(TCustomCodeEdit* source) : source_(source) {}
  TCustomCodeEdit* Source() const { return source_; }

private:
  QPointer<TCustomCodeEdit> source_;
};

} // namespace

QMimeData* TCustomCodeEdit::DragMimeData() {
  auto* data = new TCodeEditDragData(this);
  const std::unique_ptr<QMimeData> contents(SelectionMimeData(SelectedText()));
  for (const QString& format : contents->formats())
    data->setData(format, contents->data(format));
  return data;
}

void TCustomCodeEdit::StartDragOfSelection() {
  auto* drag = new QDrag(this);
  drag->setMimeData(DragMimeData());
  dragging_ = true;
  const auto done = qScopeGuard([this] {
    dragging_ = false;
    autoScrollTimer_.stop();
  });
  // The drop handler moves or copies the text itself; the drag only carries it.
  drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

TCustomCodeEdit* TCustomCodeEdit::DragSourceEdit(const QDropEvent* event) const {
  const auto* data = dynamic_cast<const TCodeEditDragData*>(event->mimeData());
  TCustomCodeEdit* source = data ? data->Source() : nullptr;
  return source && source->HasSelection() && !readOnly_ ? source : nullptr;
}

void TCustomCodeEdit::DragOverFromEditor(TCustomCodeEdit* source, const QPoint& point) {
  if (source != this) {
    MoveCaretToPixel(point.x(), point.y());
    return;
  }
  if (!viewport()->rect().contains(point)) {
    MoveCaretToPixel(mouseDownPoint_.x(), mouseDownPoint_.y());
    return;
  }
  TScreenCoord p = PixelToNearestScreenCoord(point.x(), point.y());
  p.Column = qMax(leftColumn_, qMin(p.Column, leftColumn_ + visibleColumns_ - 1));
  p.Row = qMax(topRow_, qMin(p.Row, topRow_ + visibleRows_ - 1));
  MoveCaretTo(ToBufferCoord(p));
  lastMousePoint_ = point;
  UpdateAutoScroll(point);
}

void TCustomCodeEdit::DropSelection(TCustomCodeEdit* source, const QPoint& point, Qt::KeyboardModifiers modifiers) {
  TCodeEditPaintLock lock(*this);
  MoveCaretToPixel(point.x(), point.y());
  TBufferCoord target = CaretPos();
  const bool inside = source == this;
  const TBufferCoord first = source->SelectionFirst(), last = source->SelectionLast();
  bool move = true, drop = true, after = false;
  if (inside) {
    move = !(modifiers & Qt::ControlModifier);
    const bool copy = !move;
    after = target.Line > last.Line ||
            (target.Line == last.Line && (target.Char > last.Char || (copy && target.Char == last.Char)));
    const bool before = target.Line < first.Line || (target.Line == first.Line &&
                                                     (target.Char < first.Char || (copy && target.Char == first.Char)));
    drop = after || before;
  } else {
    move = modifiers & Qt::ShiftModifier;
  }
  if (!drop) return;
  TCodeEditUndoBlock block(*this);
  const QString text = source->SelectedText();
  if (move) source->ReplaceSelection(QString());
  if (inside && after) {
    // The text taken out before the target moves the target with it.
    if (target.Line == last.Line) target.Char -= last.Char - first.Char;
    if (last.Line > first.Line) target.Line -= last.Line - first.Line;
  }
  {
    TCodeEditOptionSwitch pastEol(*this, eoScrollPastEol, true);
    MoveCaretTo(target);
    FillLineToCaret();
    target = CaretPos();
    SetSelectionAnchor(target);
    SuspendUndo();
    const auto resume = qScopeGuard([this] { ResumeUndo(); });
    ReplaceSelection(text);
  }
  activeUndoList_->RecordChange(inside ? urDragDropInsert : urInsert, target, SelectionLast(), SelectionContents(),
                                currentSelectionMode_);
  SetSelectionActiveEnd(CaretPos());
  ProcessCommand(ecSelGotoXY, QChar(), &target);
}
