#pragma once
#include "reports/export/rpExportForm.h"

class QCheckBox;
class QLineEdit;
class TrpTextExport;
class TrpCSVExport;
class TrpHTMExport;
class TrpRTFExport;

// The options dialogs of the line exports. Scale texts that are no number
// give 1; an empty delimiter keeps the old one.

class TrpTXTExportForm : public TrpExportForm {
  Q_OBJECT
public:
  explicit TrpTXTExportForm(TrpTextExport& filter, QWidget* parent = nullptr);
  void Apply() override;
  QCheckBox *KillEmptyLinesCB, *ConvertToOEMCB, *ExportFramesCB, *UsePseudographicCB, *PageBreaksCB;
  QLineEdit *ScaleXE, *ScaleYE;

private:
  TrpTextExport& filter_;
};

class TrpCSVExportForm : public TrpExportForm {
  Q_OBJECT
public:
  explicit TrpCSVExportForm(TrpCSVExport& filter, QWidget* parent = nullptr);
  void Apply() override;
  QCheckBox *KillEmptyLinesCB, *ConvertToOEMCB;
  QLineEdit *ScaleXE, *ScaleYE, *DelimiterE;

private:
  TrpCSVExport& filter_;
};

class TrpHTMExportForm : public TrpExportForm {
  Q_OBJECT
public:
  explicit TrpHTMExportForm(TrpHTMExport& filter, QWidget* parent = nullptr);
  void Apply() override;
  QCheckBox *KillEmptyLinesCB, *ExportPicturesCB;
  QLineEdit* ScaleYE;

private:
  TrpHTMExport& filter_;
};

class TrpRTFExportForm : public TrpExportForm {
  Q_OBJECT
public:
  explicit TrpRTFExportForm(TrpRTFExport& filter, QWidget* parent = nullptr);
  void Apply() override;
  QCheckBox *KillEmptyLinesCB, *ExportBitmapsCB, *ConvertToTableCB, *PageBreaksCB;
  QLineEdit *ScaleXE, *ScaleYE;

private:
  TrpRTFExport& filter_;
};

// A scale factor as typed; text that is no number gives 1.
double rpScaleOf(const QString& text);
