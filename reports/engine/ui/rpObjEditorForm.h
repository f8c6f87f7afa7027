#pragma once
#include "core/ui/Form.h"

class TrpView;

// The base of the designer's object editors: ShowEditor shows the editor for
// one object modally and returns its modal result (the base: OK at once).
class TrpObjEditorForm : public TForm {
  Q_OBJECT
public:
  using TForm::TForm;
  virtual int ShowEditor(TrpView* object) { return mrOk; }
};
