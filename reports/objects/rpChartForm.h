#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;
class TrpChartView;

// The chart's editor: the kind and options, the two objects whose printed
// texts give captions and values, the top count with its rest caption, and
// the marks style. One hidden instance lives for the program's run
// (rpChartForm). OK checks the top count before it changes anything.
class TrpChartForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpChartForm(QWidget* parent = nullptr);

  int ShowEditor(TrpView* object) override;
  // False, after saying why, when an entry cannot be taken.
  bool EntriesValid();
  void Apply(TrpChartView& view);

  QTabWidget* Tabs;
  QWidget* Tab1;
  QWidget* Tab2;
  QWidget* Tab3;
  QGroupBox* GroupBox1;
  QToolButton* SB[6]; // SB1 .. SB6: the kinds line, area, point, bar, horizontal bar, pie
  QGroupBox* GroupBox3;
  QCheckBox* CB1;
  QCheckBox* CB2;
  QCheckBox* CB3;
  QCheckBox* CB4;
  QCheckBox* CB5;
  QCheckBox* CB6;
  QGroupBox* GroupBox2;
  QLabel* Label1;
  QLineEdit* E1;
  QLabel* Label2;
  QLineEdit* E2;
  QGroupBox* GroupBox5;
  QLabel* Label3;
  QLineEdit* E3;
  QLabel* Label4;
  QLineEdit* E4;
  QLabel* Label5;
  QGroupBox* GroupBox4;
  QRadioButton* RB[5]; // RB1 .. RB5: the marks styles
  QPushButton* Button1;
  QPushButton* Button2;

protected:
  void FormShow() override;

private:
  void Fill(const TrpChartView& view);
  void SetTexts();
};

// The hidden editor, created on first use.
TrpChartForm& rpChartForm();
