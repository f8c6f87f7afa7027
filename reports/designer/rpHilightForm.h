#pragma once
#include "core/Color.h"
#include "core/ui/Form.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TrpComboEdit;
class TrpReportDesigner;

// The highlight dialog: the condition under which a text object changes its
// look, the font's style and colour and the background (transparent or a
// colour) it then takes.
class TrpHilightForm : public TForm {
  Q_OBJECT
public:
  explicit TrpHilightForm(QWidget* parent = nullptr);

  // Fills the dialog from the designer's last selected text object; on OK
  // records one undo step and gives every selected text object the condition,
  // the colours and the bold, italic and underline bits (strike-out cleared).
  // Returns the modal result.
  static int EditSelection(TrpReportDesigner& designer);

  void SetFontColor(TColor color);
  void SetFillColor(TColor color);
  TColor FontColor() const { return fontColor_; }
  TColor FillColor() const { return fillColor_; }
  // The style word from the boxes (2 bold, 1 italic, 4 underline), strike-out cleared.
  quint16 Style(quint16 previous) const;
  void SetStyle(quint16 style);

  QGroupBox* GroupBox1;
  TrpComboEdit* ConditionEdit;
  QGroupBox* GroupBox2;
  QPushButton* FontColorBtn;
  QCheckBox* BoldCB;
  QCheckBox* ItalicCB;
  QCheckBox* UnderlineCB;
  QGroupBox* GroupBox3;
  QRadioButton* TransparentRB;
  QRadioButton* OtherRB;
  QPushButton* FillColorBtn;

protected:
  void FormShow() override;

private:
  void ChooseColor(TColor& color);
  void ShowColors();

  TColor fontColor_ = clBlack;
  TColor fillColor_ = clNone;
};
