#pragma once
#include "core/ui/Form.h"
#include "registers/common/DialogPattern.h"

class QLabel;
class TIBEdit;

// The add/edit dialog of a work-duty type: its name (required, at most 50
// characters, not unique); a new type belongs to the working year.
class TfrmCTypyBrigadPridaj : public TForm {
  Q_OBJECT
public:
  explicit TfrmCTypyBrigadPridaj(QWidget* owner = nullptr);
  ~TfrmCTypyBrigadPridaj() override;

  QLabel* lblNazov;
  TIBEdit* eDBNazov;
  int Jedin = 0;
  // The year written into ROK of a new type.
  quint16 Rok;
  TDialogPattern dlg{*this, Jedin};

protected:
  void FormShow() override { dlg.FormShow(); }
  bool FormKeyDown(QKeyEvent* event) override { return dlg.FormKeyDown(event); }
  void FormClose(TCloseAction&) override { dlg.FormClose(); }
};
