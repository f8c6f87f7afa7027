#pragma once
#include "core/Color.h"
#include "reports/engine/ui/rpObjEditorForm.h"
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TrpRoundRectView;

// The rounded rectangle's editor: its text, plain mode (rounded corners,
// corner size, shadow width, shadow colour) or gradient mode (style, begin
// and end colours), with a sample of the body. OK applies everything, after
// the designer's before-change operation; Cancel changes nothing.
class TrpRoundRectForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpRoundRectForm(QWidget* parent = nullptr);

  // Fills the dialog from the object, shows it, and applies it on OK. An
  // object whose restrictions forbid changes is shown but not changed.
  int ShowEditor(TrpView* object) override;
  // Takes the dialog's values into the object.
  void Apply(TrpRoundRectView& view);
  // Draws the sample from the dialog's entries.
  void DrawSample();

  // The colour chooser (the colour dialog); invalid when cancelled.
  static std::function<QColor(const QColor& initial)>& ChooseColor();

  QPlainTextEdit* M1;
  QLabel* lblSample;
  QLabel* imgSample;
  QPushButton* Button5;
  QPushButton* Button6;
  QCheckBox* cbGradian;
  QFrame* panCurve;
  QCheckBox* cmShadow;
  QLineEdit* sCurve;
  QLabel* lblSWidth;
  QLineEdit* ShWidth;
  QLabel* lblSColor;
  QLabel* bcolor;
  QFrame* panGrad;
  QLabel* Label3;
  QComboBox* cbStyle;
  QLabel* Label2;
  QLabel* bColor2;
  QLabel* Label1;
  QLabel* bcolor3;
  QPushButton* bOk;
  QPushButton* bCancel;

  TColor FirstColor = 0x808080; // shadow colour, gradient begin colour
  TColor SecondColor = clWhite; // FillColor, gradient end colour

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool FormKeyDown(QKeyEvent* event) override;
  void FormShow() override;

private:
  void Fill(const TrpRoundRectView& view);
  void GradientToggled(bool on);
  void ColorClicked(QLabel* image);
  void PaintSwatch(QLabel* image, TColor color);
  void InsertText(const QString& text);

  TColor frameColor_ = clBlack;
  quint16 frameTyp_ = 0xFF;
};
