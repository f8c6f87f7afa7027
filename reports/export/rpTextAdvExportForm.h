#pragma once
#include "core/ui/Form.h"
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;
class TrpTextAdvExport;

// The options dialog of the dot-matrix export, with a live preview of one
// page written by an exporter of its own. With "Save settings" the options
// come from the registry and go back there on OK; only OK reads the
// controls back into the export.
class TrpTEXTExprSet : public TForm {
  Q_OBJECT
public:
  explicit TrpTEXTExprSet(TrpTextAdvExport& filter, QWidget* parent = nullptr);
  ~TrpTEXTExprSet() override;

  // Shows the dialog modally; on OK puts the controls into the export (and
  // the registry). Answers the modal result.
  int Execute();
  // Shows or hides the preview panel (the dialog widens to the left).
  void SetPreviewShown(bool shown);
  // Writes the chosen page with the dialog's options into the preview.
  void RefreshPreview();
  // The preview's font size, 2 to 30 points.
  void SetPreviewFontSize(int points);
  int PreviewFontSize() const { return fontSize_; }

  QCheckBox *PageBreaksCB, *OEMCB, *EmptyLinesCB, *LeadSpacesCB, *PrintAfterCB, *SaveSettingsCB;
  QLineEdit* PageRangeE;
  QSpinBox *ScaleWidthE, *ScaleHeightE;
  QRadioButton *NoneRB, *SimpleRB, *GraphicRB;
  QToolButton* PreviewB;
  QGroupBox* PreviewGB;
  QPlainTextEdit* PreviewMemo;
  QLabel *WidthL, *HeightL;
  QSpinBox* PageSE;
  QToolButton *EnlargeB, *ReduceB;
  QPushButton *OKB, *CancelB;

private:
  void ReadRegistry();
  void WriteRegistry() const;
  void FillControls();
  void ApplyOptions(TrpTextAdvExport& target) const;
  void OEMChanged();

  TrpTextAdvExport& filter_;
  std::unique_ptr<TrpTextAdvExport> preview_;
  bool previewShown_ = false;
  bool previewWanted_ = false;
  int fontSize_ = 9;
};
