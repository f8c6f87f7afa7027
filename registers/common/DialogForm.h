#pragma once
#include "core/ui/Form.h"
#include "registers/common/DialogPattern.h"

// A register's add/edit dialog: a form with its key `Jedin` and its
// TDialogPattern `dlg`, its showing, keys and closing handed to the pattern.
// The register derives from it, builds its controls and describes its row in
// `dlg`; a dialog overriding a hook calls the pattern's one itself.
class TDialogForm : public TForm {
  Q_OBJECT
public:
  using TForm::TForm;

  int Jedin = 0;
  TDialogPattern dlg{*this, Jedin};

protected:
  void FormShow() override { dlg.FormShow(); }
  bool FormKeyDown(QKeyEvent* event) override { return dlg.FormKeyDown(event); }
  void FormClose(TCloseAction&) override { dlg.FormClose(); }
};
