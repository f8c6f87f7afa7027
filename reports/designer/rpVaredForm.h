#pragma once
#include "core/ui/Form.h"

class QPlainTextEdit;
class TrpVariables;

// The variables list of a data dictionary as plain text, one entry a line:
// categories plain, variables with one blank in front. After OK the edited
// lines replace the list (names keep their values); Cancel leaves it alone.
class TrpVaredForm : public TForm {
  Q_OBJECT
public:
  explicit TrpVaredForm(QWidget* parent = nullptr);

  // The list edited; not owned, and set before the form is shown.
  void SetVariables(TrpVariables* list) { list_ = list; }

  QPlainTextEdit* M1;

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  TrpVariables* list_ = nullptr;
};
