#pragma once
#include "core/ui/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class TrpReport;

// The report options dialog: the printer and two passes on its first tab,
// the report's information (name, author, version, comment and dates) on
// its second.
class TrpDocOptForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDocOptForm(QWidget* parent = nullptr);

  // Shows the report's options; the printer list is the engine printer's.
  void SetReport(const TrpReport& report);
  // Stores the printer flag, two passes and information; the printer and
  // the password are the designer's to apply.
  void StoreInto(TrpReport& report) const;

  QTabWidget* PageControl;
  QComboBox* PrinterCB;
  QCheckBox* SelectPrinterCB;
  QCheckBox* TwoPassCB;
  QCheckBox* PasswordCB;
  QLineEdit* NameE;
  QLineEdit* AuthorE;
  QLineEdit* MajorE;
  QLineEdit* MinorE;
  QLineEdit* ReleaseE;
  QLineEdit* BuildE;
  QPlainTextEdit* CommentM;
  QLabel* ModifiedL;
  QLabel* CreatedL;

private:
  QWidget* CreateGeneralTab();
  QWidget* CreateDocumentTab();
};
