#pragma once
#include "core/ui/Form.h"
#include "reports/engine/rpPrintJob.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// Asks, before prepared pages go to the printer, for the printer, the number
// of copies, collation and the pages. Choosing a printer makes it the report
// printer's current one at once; closing with anything but OK makes the
// printer that was current at creation current again. Callers read E1, CollateCB,
// RB1/RB2/RB3 with E2 and CB2's index (0 all, 1 odd, 2 even) after OK.
class TrpPrintForm : public TForm {
  Q_OBJECT
public:
  explicit TrpPrintForm(QWidget* parent = nullptr);

  // The controls preset from `settings`; "current page" offered when `currentPage` (1-based) is above 0.
  void Preset(const TrpPrintSettings& settings, int currentPage);
  // What the controls say: page list ("" for all pages), copies, collation, odd/even.
  TrpPrintSettings Settings() const;

  QGroupBox* GroupBox1;
  QLabel* Label4;
  QComboBox* CB1;
  QPushButton* PropButton;
  QGroupBox* GroupBox3;
  QLabel* Label1;
  QLineEdit* E1;
  QToolButton* rpSpeedButton1; // copies + 1
  QToolButton* rpSpeedButton2; // copies - 1, never below 1
  QCheckBox* CollateCB;
  QLabel* Label3; // clicking it toggles CollateCB
  QWidget* PB1;   // the collate picture
  QGroupBox* GroupBox2;
  QRadioButton* RB1;
  QRadioButton* RB2;
  QRadioButton* RB3;
  QLineEdit* E2;
  QLabel* Label2;
  QLabel* Label5;
  QComboBox* CB2;
  QPushButton* Button1;
  QPushButton* Button2;

protected:
  void FormCloseQuery(bool& canClose) override;
  void FormClose(TCloseAction& action) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CB1Change(int index);
  void PropButtonClick();
  void StepCopies(int step);
  int Copies() const;

  int rememberedPrinter_ = 0;
  int currentPage_ = 0;
};

// The print dialog as the engine's TrpGlobals::PrintDialog hook: preset with
// `settings`, fills them on OK; false when cancelled.
bool rpExecPrintForm(TrpPrintSettings& settings, int currentPage);
