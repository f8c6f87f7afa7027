#pragma once
#include "reports/export/rpExportForm.h"

class QCheckBox;
class QLineEdit;
class TrpGridExport;

// The common part of the grid exports' dialogs: page range, page
// properties (margins, scales in percent) and the quality group that each
// dialog fills with its own check boxes.
class TrpGridExportForm : public TrpExportForm {
  Q_OBJECT
public:
  // With `tabbed` the groups lie on two tabs, "Pages" and "Advanced".
  TrpGridExportForm(TrpGridExport& filter, int captionId, QWidget* parent = nullptr, bool tabbed = false);
  // Reads range, margins and scales back; then the subclass's boxes (ApplyChecks).
  void Apply() override;

  QLineEdit *PageRangeE, *TopMarginE, *LeftMarginE, *ScaleXE, *ScaleYE;

protected:
  virtual void ApplyChecks() = 0;
  QBoxLayout* quality_ = nullptr;

private:
  TrpGridExport& filter_;
};
