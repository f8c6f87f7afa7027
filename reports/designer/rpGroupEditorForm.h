#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"

class TrpComboEdit;

// The condition of a group header band in one line; its button replaces the
// line with an expression composed in the expression builder.
class TrpGroupEditorForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpGroupEditorForm(QWidget* parent = nullptr);

  // After OK records the designer's undo step and stores the condition.
  int ShowEditor(TrpView* object) override;

  TrpComboEdit* ConditionE;
};
