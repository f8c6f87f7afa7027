#pragma once
#include "core/Color.h"
#include <QtWidgets/QWidget>
#include <functional>

// A panel aligned to one edge of its parent whose size the user changes by
// dragging a coloured strip along its inner edge (the edge facing the rest of
// the parent). The children are laid out inside the panel less the strip.
// The panel does not place itself: the parent (or its layout) keeps it on its
// edge; a drag changes its height (top, bottom) or width (left, right), and
// moves its top or left edge for a bottom- or right-aligned panel.
class TZvetsovaciPanel : public QWidget {
  Q_OBJECT
public:
  enum class TAlign { None, Top, Bottom, Left, Right, Client };
  enum class TBevel { None, Lowered, Raised };

  explicit TZvetsovaciPanel(QWidget* parent = nullptr);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  int DragStripWidth() const { return stripWidth_; }
  void SetDragStripWidth(int width);
  TColor DragStripColor() const { return stripColor_; }
  void SetDragStripColor(TColor color);
  bool ResizeEnabled() const { return resizeEnabled_; }
  void SetResizeEnabled(bool on) { resizeEnabled_ = on; }
  TBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevel bevel);
  TBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevel bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  Qt::Alignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(Qt::Alignment alignment);

  // The strip's rectangle in the panel (empty without a strip).
  QRect StripRect() const;
  bool Dragging() const { return dragging_; }

  std::function<void(TZvetsovaciPanel* sender)> OnStartResize;
  std::function<void(TZvetsovaciPanel* sender)> OnEndResize;
  // Before every size change of a drag; the handler may change the new size.
  std::function<void(TZvetsovaciPanel* sender, int& newSize)> OnPanelResize;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  bool OnStrip(QPoint pos) const;
  void Drag(QPoint pos);
  void ApplySize(const QRect& geometry);
  void UpdateMargins();
  int Margin() const { return 2 * bevelWidth_ + stripWidth_; }

  TAlign align_ = TAlign::None;
  TBevel bevelOuter_ = TBevel::Raised;
  TBevel bevelInner_ = TBevel::None;
  TColor stripColor_ = clBlack;
  TColor color_ = clBtnFace;
  QString caption_;
  Qt::Alignment captionAlignment_ = Qt::AlignHCenter;
  QPoint dragPos_;
  int stripWidth_ = 0;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  bool resizeEnabled_ = false;
  bool dragging_ = false;
};
