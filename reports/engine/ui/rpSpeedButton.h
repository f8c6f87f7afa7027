#pragma once
#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <array>

class QShortcut;

// The engine windows' button: never takes the focus, shows a glyph from a
// strip of 1 to 4 images (up, disabled, down, held down) beside its caption,
// and may belong to a group of its parent's buttons with the same GroupIndex,
// of which at most one is held down. A flat button shows its frame only under
// the mouse and, with GrayedInactive, a grey glyph until the mouse is over it.
class TrpSpeedButton : public QWidget {
  Q_OBJECT
public:
  enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
  // What the button paints.
  enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive, bsInactive };

  explicit TrpSpeedButton(QWidget* parent = nullptr);

  QImage Glyph() const { return glyph_; }
  // A strip whose width is a multiple of its height sets NumGlyphs to the
  // count of images when that is 1 to 4, else to 1.
  void SetGlyph(const QImage& strip);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count); // limited to 1..4
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  // Only a group button can be held down; a held-down button comes up only
  // with AllowAllUp. Holding one down brings the others of its group up.
  void SetDown(bool down);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool grayed);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin); // -1 centres; smaller values are ignored
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  TButtonState State() const { return state_; }
  // The image the glyph shows in a state (made once per state, then kept).
  QImage StateGlyph(TButtonState state);
  // Draws the up image (the disabled one when not enabled) on the button face at (x, y).
  void DrawGlyph(QPainter& painter, int x, int y, bool enabled);
  // 22 x 22, wider when glyph and caption need it.
  QSize sizeHint() const override;

signals:
  void clicked();
  void doubleClicked();
  void mouseEntered();
  void mouseLeft();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  // The other buttons of the group come up; they take over AllowAllUp.
  void UpdateExclusive();
  void ButtonPressed(TrpSpeedButton* sender);
  void ClearGlyphs() { images_ = {}; }
  TButtonState PaintState() const;
  void PlaceGlyphAndCaption(const QRect& client, QRect& glyphRect, QRect& captionRect) const;

  QImage glyph_;
  int numGlyphs_ = 1;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool grayedInactive_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  QString caption_;
  TButtonState state_ = bsUp;
  bool dragging_ = false;
  bool mouseInside_ = false;
  QShortcut* accelerator_ = nullptr;
  std::array<QImage, 5> images_; // per state, made on first use
};
