#pragma once
#include "core/ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a report's password. Callers read E1 after modal result 1; to
// confirm a new password they show it again with L1 showing L2's text.
class TrpPasswForm : public TForm {
  Q_OBJECT
public:
  explicit TrpPasswForm(QWidget* parent = nullptr);

  QLabel* L1;
  QLabel* L2; // hidden: the text of the confirming prompt
  QLineEdit* E1;
  QPushButton* OK;
  QPushButton* Cancel;

protected:
  void FormShow() override;
};
