#pragma once
#include "reports/engine/rpStream.h"
#include "reports/engine/ui/rpWindowControl.h"
#include <QtGui/QPalette>

// The base of the dialog-page controls: colour, enabled state and font of
// the wrapped widget, the click script, geometry that reaches the widget
// while a report runs, and the record's base block (colour, enabled, font).
class TrpStdControl : public TrpWindowControl {
public:
  explicit TrpStdControl(QWidget* control);

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  void OpenEditor() override { EditOnClick(); }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  const TrpFont& Font() const { return font_; }
  void SetFont(const TrpFont& font);
  // The widget's own font as the control's font.
  static TrpFont FontOf(const QFont& font, TColor color);
  // Runs the script while a report runs (the widget's click).
  void ControlClick();

  // The designer's editors: the click script and the font of every selected,
  // modifiable control.
  void EditOnClick();
  void EditFont();
  // Gives the font to each selected standard control the designer may modify.
  static void ApplyFontToSelection(const TrpFont& font);

protected:
  // The palette role the colour paints (the window of labels and buttons, the base of edits).
  virtual QPalette::ColorRole ColorRole() const { return QPalette::Window; }

private:
  void ApplyLook();
  TColor color_ = clBtnFace;
  TrpFont font_;
};

// A list of texts of a widget, as an editor and scripts change it.
QStringList rpItemsOf(const class QComboBox& box);
