#pragma once
#include "core/ui/Form.h"

class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The frame of the export filters' options dialogs: a column of controls
// over "OK" (default, result 1) and "Návrat" (result 2). Execute shows the
// dialog modally and then lets the filter read its values back.
class TrpExportForm : public TForm {
  Q_OBJECT
public:
  explicit TrpExportForm(QWidget* parent = nullptr);

  // Shows the dialog modally, then Apply; answers the modal result.
  int Execute();
  // Puts the controls' values into the filter (raises ErpConversionError for a bad number).
  virtual void Apply() = 0;

  QPushButton* OKB;
  QPushButton* CancelB;

protected:
  // A check box with the engine string as its caption, added to `layout` (the form's column when null).
  QCheckBox* AddCheck(int stringId, bool checked, QBoxLayout* layout = nullptr);
  // A titled group in the form's column.
  QGroupBox* AddGroup(const QString& title, QBoxLayout*& inside, bool horizontal = false);
  // A label and an edit in a row of `layout`.
  QLineEdit* AddEdit(const QString& label, const QString& text, QBoxLayout* layout, const QString& suffix = {});
  // The "Škálovateľný faktor" group with an X edit (when `x` is given) and a Y edit.
  void AddScaleEdits(QLineEdit** x, double scaleX, QLineEdit** y, double scaleY);
  QVBoxLayout* column_;
};

// Scale percentages as the dialogs show them: factor × 100 without the fraction.
QString rpPercentText(double factor);
// A typed percentage back as a factor; a text that is no whole number raises ErpConversionError.
double rpPercentFactor(const QString& text);
// A number typed with "," or "." (ErpConversionError otherwise).
double rpNumberOf(const QString& text);
