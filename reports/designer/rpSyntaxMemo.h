#pragma once
#include "core/Color.h"
#include "reports/designer/rpSyntaxColouring.h"
#include "reports/designer/rpSyntaxMemoText.h"
#include <QtGui/QFont>
#include <QtWidgets/QWidget>

class QMenu;
class QScrollBar;
class QTreeView;

// The font and colour of one kind of coloured text.
struct TrpMemoTextAttr {
  QFont Font;
  TColor Color = clWindowText;
};

// The report designer's multi-line text control for scripts and SQL: it draws
// its own text in a fixed character grid with the colouring of its
// SyntaxType, a caret, the selection, a gutter with bookmark marks and a
// footer with the caret position or a message. Text, caret, undo, bookmarks
// and the edits of the keys live in TrpSyntaxMemoText; this control turns
// keys, mouse, scrolling and the clipboard into those edits and paints the
// result. Tab and the arrow keys stay in the control inside dialogs.
class TrpSyntaxMemo : public QWidget {
  Q_OBJECT
public:
  explicit TrpSyntaxMemo(QWidget* parent = nullptr);
  ~TrpSyntaxMemo() override;

  // The lines with their trailing blanks removed.
  QStringList Lines();
  // Replaces the text: caret and view at the start, no selection, empty undo.
  void SetLines(const QStringList& lines);
  // The lines joined with CR LF.
  QString Text();

  TSyntaxType SyntaxType() const { return syntaxType_; }
  void SetSyntaxType(TSyntaxType type);
  bool ReadOnly() const { return text_.ReadOnly; }
  void SetReadOnly(bool readOnly) { text_.ReadOnly = readOnly; }
  bool ShowGutter() const { return gutterWidth_ > 0; }
  void SetShowGutter(bool show);
  bool ShowFooter() const { return footerHeight_ > 0; }
  void SetShowFooter(bool show);

  const TrpMemoTextAttr& KeywordAttr() const { return attrs_[taKeyword]; }
  const TrpMemoTextAttr& StringAttr() const { return attrs_[taString]; }
  const TrpMemoTextAttr& TextAttr() const { return attrs_[taText]; }
  const TrpMemoTextAttr& CommentAttr() const { return attrs_[taComment]; }
  void SetKeywordAttr(const TrpMemoTextAttr& attr) { SetAttr(taKeyword, attr); }
  void SetStringAttr(const TrpMemoTextAttr& attr) { SetAttr(taString, attr); }
  void SetTextAttr(const TrpMemoTextAttr& attr) { SetAttr(taText, attr); }
  void SetCommentAttr(const TrpMemoTextAttr& attr) { SetAttr(taComment, attr); }
  TColor BlockColor = clHighlight;
  TColor BlockFontColor = clHighlightText;
  // The control's background.
  TColor Color = clWindow;

  // A font change reaches the four attribute fonts (name and size) and the metrics.
  void SetMemoFont(const QFont& font);

  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // Replaces the selection, or inserts at the caret.
  void InsertText(const QString& text);
  // Moves the caret (clamped) and scrolls it into view.
  void MoveCaret(int column, int line);
  int CaretColumn() const { return text_.CaretColumn(); }
  int CaretLine() const { return text_.CaretLine(); }
  // Shows the text in the footer; an empty text shows the caret position again.
  void SetFooterMessage(const QString& message);
  QString FooterMessage() const { return text_.FooterMessage; }
  QString GetSelectedText() const { return text_.SelectedText(); }
  void SetSelection(const QPoint& anchor, const QPoint& end);
  void Undo();
  bool FindText(const QString& text);
  void ShiftBlock(bool indent);
  int Bookmark(int digit) const { return text_.Bookmark(digit); }
  // What a drop from a tree does: the caret to the cell under the point, the node's text inserted there.
  void DropTreeNode(const QPoint& point, const QTreeView& tree);

  // The menu the right button opens instead of the control's own.
  QMenu* PopupMenu = nullptr;
  // The text searched last (Ctrl+F, F3).
  QString LastSearch;

  // The view: the first visible line (0-based) and the columns scrolled out at the left.
  int TopLine() const { return topLine_; }
  int LeftColumn() const { return leftColumn_; }
  int VisibleLines() const;
  int VisibleColumns() const;
  int LineHeight() const { return lineHeight_; }
  int CharWidth() const { return charWidth_; }
  // The caret's top left corner in the control.
  QPoint CaretPos() const;

  QSize sizeHint() const override { return {200, 200}; }

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void SetAttr(int code, const TrpMemoTextAttr& attr);
  // Tokenizes the whole text again and repaints.
  void Recolour();
  void MeasureFont();
  // Scrolls the caret into view and updates the scroll bar.
  void ShowCaret();
  void UpdateScrollBar();
  int ClientWidth() const;
  // The cell under a point, as (column, line).
  QPoint CellAt(const QPoint& point) const;
  bool HandleNavigation(QKeyEvent* event);
  bool HandleCommand(QKeyEvent* event);
  bool HandleCharacter(QKeyEvent* event);
  void PageUp();
  void PageDown();
  void Search();
  void ShowOwnMenu(const QPoint& globalPos);
  // After an edit: colours, caret in view, repaint.
  void Edited();

  void PaintLine(class QPainter& painter, int index);
  void PaintRun(QPainter& painter, int& x, int y, const QString& run, int attrs);
  void PaintGutter(QPainter& painter);
  void PaintFooter(QPainter& painter);

  TrpSyntaxMemoText text_;
  QStringList colours_;
  QString keywords_;
  TSyntaxType syntaxType_ = TSyntaxType::stPascal;
  TrpMemoTextAttr attrs_[6];
  QFont memoFont_;
  bool fixedPitch_ = true;
  int lineHeight_ = 16, charWidth_ = 8;
  int gutterWidth_ = 0, footerHeight_ = 0;
  int topLine_ = 0, leftColumn_ = 0;
  bool dragging_ = false;
  QScrollBar* scrollBar_;
};
