#pragma once
#include "core/ui/Form.h"
#include "reports/designer/rpDesignerSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QTabWidget;
class TrpFontComboBox;

// The designer options dialog: grid, units, drawing and page position on
// its first tab, the fonts of the text and script editors and the syntax
// options on its second. The editor fonts come from the registry and go
// back there when the dialog is confirmed; the rest is the designer's.
class TrpDesOptionsForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDesOptionsForm(QWidget* parent = nullptr);

  void SetSettings(const TrpDesignerSettings& settings);
  // The settings the dialog shows, into a copy of the designer's.
  void GetSettings(TrpDesignerSettings& settings) const;
  void SetEditorFonts(const TrpTextEditorFonts& fonts);
  TrpTextEditorFonts EditorFonts() const;

  QTabWidget* PageControl;
  QCheckBox* ShowGridCB;
  QCheckBox* AlignGridCB;
  QRadioButton* Grid4RB;
  QRadioButton* Grid8RB;
  QRadioButton* Grid18RB;
  QRadioButton* PixelsRB;
  QRadioButton* MillimetresRB;
  QRadioButton* InchesRB;
  QCheckBox* SelectionCB;
  QLabel* SelectionL;
  QCheckBox* ColoredButtonsCB;
  QCheckBox* EditAfterInsertCB;
  QCheckBox* BandTitlesCB;
  QCheckBox* LocalizedNamesCB;
  QRadioButton* CentreRB;
  QRadioButton* LeftRB;
  QRadioButton* RightRB;
  QRadioButton* ObjectFontRB;
  QRadioButton* FixedFontRB;
  QLabel* TextFontNameL;
  QLabel* TextFontSizeL;
  TrpFontComboBox* TextFontCB;
  QComboBox* TextSizeCB;
  QLabel* TextSample;
  TrpFontComboBox* ScriptFontCB;
  QComboBox* ScriptSizeCB;
  QLabel* ScriptSample;
  QCheckBox* SyntaxCB;
  QCheckBox* DisableUndoCB;

protected:
  void FormClose(TCloseAction& action) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* CreateDesignerTab();
  QWidget* CreateEditorTab();
  void ShowFontChoice();
};
