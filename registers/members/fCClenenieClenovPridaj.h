#pragma once
#include "core/ui/Form.h"
#include "registers/common/DialogPattern.h"

class QLabel;
class TIBEdit;

// The add/edit dialog of a member group: its unique name, at most 25 characters.
class TfrmCClenenieClenovPridaj : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenenieClenovPridaj(QWidget* owner = nullptr);
  ~TfrmCClenenieClenovPridaj() override;

  QLabel* lblNazov;
  TIBEdit* eDBNazov;
  // The key of the row being edited or saved.
  int Jedin = 0;
  TDialogPattern dlg{*this, Jedin};

protected:
  void FormShow() override { dlg.FormShow(); }
  bool FormKeyDown(QKeyEvent* event) override { return dlg.FormKeyDown(event); }
  void FormClose(TCloseAction&) override { dlg.FormClose(); }
};
