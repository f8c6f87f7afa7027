#pragma once
#include "core/ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The syntax memo's search dialog: the text to find; Enter or "Search"
// answers OK, Esc or "Cancel" Cancel.
class TCodeMemoSearch : public TForm {
  Q_OBJECT
public:
  explicit TCodeMemoSearch(QWidget* parent = nullptr);

  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Search;
  QPushButton* Button1;

protected:
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override;
};
