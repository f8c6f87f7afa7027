#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"

// A register's list form: a form with its TListPattern `list`, built with the
// register's tool buttons, its activation and keys handed to the pattern.
// The register derives from it and describes itself in `list`. The opener
// hands it the year it works in (the main window its working year).
class TListForm : public TForm {
  Q_OBJECT
public:
  TListForm(QWidget* owner, TListButtons buttons, quint16 rok) : TForm(owner), list(*this, buttons, rok) {}

  TListPattern list;

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }
};
