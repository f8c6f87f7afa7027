#pragma once
#include "core/Color.h"
#include "core/ui/ImageList.h"
#include <QtCore/QPointer>
#include <QtGui/QKeySequence>
#include <QtWidgets/QPushButton>

// The push button of the program's own forms: bold caption with a glyph from
// an image list on its left, both centred (or the glyph at `Margin`), its face
// painted in `Color`, aqua ($FFFF00) while it has the focus. A button with
// `Cancel` set lets the data-entry controls skip their leaving check when the
// focus goes to it; a click sets the form's modal result to `ModalResult`.
class TQPLBtn : public QPushButton {
  Q_OBJECT
public:
  static constexpr TColor FocusColor = clAqua;

  explicit TQPLBtn(QWidget* parent = nullptr);
  TQPLBtn(const QString& caption, QWidget* parent = nullptr);

  // The caption; "&" marks the accelerator and "|" breaks the line.
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // Glyph distance from the content's left edge; -1 centres glyph and
  // caption together; values below -1 are ignored.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // Set while Enter would press the button: it has the focus, or it is the
  // default button while no other button has the focus.
  bool Active() const;
  // Where the glyph and the caption go inside the content rectangle; an
  // empty glyph rectangle when no glyph is shown. A caption too long for the
  // room beside the glyph breaks between its words (`Wrapped`).
  struct TLayout {
    QRect Glyph;
    QRect Caption;
    bool Wrapped = false;
  };
  TLayout Layout(const QRect& content) const;

  // Further keys that press the button anywhere in its window, as its
  // caption's accelerator does, and are not typed into the focused control.
  void AddAccelerator(const QKeySequence& keys);

  QSize sizeHint() const override;
  // Puts back the colour of before the focus, if the focus colour shows.
  void DropFocusColor();

signals:
  void OnEnter();
  void OnExit();

protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  bool HasGlyph() const;
  QString DisplayCaption() const;
  void ApplyModalResult();

  QPointer<TImageList> images_;
  int imageIndex_ = -1;
  int margin_ = -1;
  int spacing_ = 4;
  int modalResult_ = 0;
  TColor color_ = clBtnFace;
  TColor colorBeforeFocus_ = clBtnFace;
  bool cancel_ = false;
  bool focusColored_ = false;
};
