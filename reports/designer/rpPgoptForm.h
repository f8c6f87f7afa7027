#pragma once
#include "core/ui/Form.h"
#include "reports/designer/rpPageOptions.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QToolButton;

// The page options dialog: paper and orientation, margins, the page's
// options and columns, and the paper source. OK reads every typed field; an
// unreadable one is named in an error message and the dialog stays open on it.
class TrpPgoptForm : public TForm {
  Q_OBJECT
public:
  explicit TrpPgoptForm(QWidget* parent = nullptr);

  // The paper and bin lists are those of the engine's printer.
  void SetFields(const TrpPageOptionsFields& fields);
  TrpPageOptionsFields Fields() const;
  // What OK read (empty until the dialog was confirmed).
  const std::optional<TrpPageOptions>& Options() const { return options_; }

  QTabWidget* PageControl;
  QRadioButton* PortraitRB;
  QRadioButton* LandscapeRB;
  QLabel* OrientationImage;
  QComboBox* PaperCB;
  QLabel* WidthL;
  QLabel* HeightL;
  QLineEdit* WidthE;
  QLineEdit* HeightE;
  QLineEdit* LeftE;
  QLineEdit* TopE;
  QLineEdit* RightE;
  QLineEdit* BottomE;
  QCheckBox* StretchCB;
  QCheckBox* PrintToPrevCB;
  QCheckBox* UnlimitedHeightCB;
  QLineEdit* ColumnsE;
  QToolButton* ColumnsUpB;
  QToolButton* ColumnsDownB;
  QLineEdit* GapE;
  QComboBox* BinCB;

protected:
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;

private:
  QWidget* CreatePaperTab();
  QWidget* CreateMarginsTab();
  QWidget* CreateOptionsTab();
  QWidget* CreateSourceTab();
  // The orientation's picture and the custom size fields follow the choices.
  void ShowPaperChoice();
  void StepColumns(int step);
  QLineEdit* FieldEdit(TrpPageField field) const;

  std::optional<TrpPageOptions> options_;
};
