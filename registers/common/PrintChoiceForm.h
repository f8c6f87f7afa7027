#pragma once
#include "core/ui/Form.h"
#include "registers/common/PrintChoicePattern.h"

// A register's print-options dialog: a form of `clientSize` with its
// TPrintChoicePattern `choice` and the pattern's placement `fp`, its keys
// handed to the pattern. The register derives from it and adds its prints.
class TPrintChoiceForm : public TForm {
  Q_OBJECT
public:
  TPrintChoiceForm(QWidget* owner, QSize clientSize) : TForm(owner), choice(*this, clientSize), fp(choice.fp) {}

  TPrintChoicePattern choice;
  TUxFormPlacement* fp;

protected:
  bool FormKeyDown(QKeyEvent* event) override { return choice.FormKeyDown(event); }
};
