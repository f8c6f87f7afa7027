#pragma once
#include "core/ui/Form.h"

class TrpComboEdit;
class TrpView;

// The tag editor: an object's Tag in one line, with a button that inserts a
// composed expression at the caret.
class TrpAttrEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TrpAttrEditorForm(QWidget* parent = nullptr);

  // Edits the object's tag (the designer's last selected object when null)
  // unless its contents may not be changed; on OK records the designer's
  // undo step, stores the tag and redraws. Returns the modal result, 0 when not opened.
  static int EditTag(TrpView* object);

  TrpComboEdit* TagEdit;
};
