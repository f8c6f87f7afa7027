#pragma once
#include "core/ui/Form.h"
#include "registers/common/DialogPattern.h"

class TIBComboBox;
class TIBDate;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of a fishing guard: the member, badge and certificate
// numbers, the appointment date and the optional dismissal date, which may
// not precede the appointment.
class TfrmCClenovRSPridaj : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenovRSPridaj(QWidget* owner = nullptr);
  ~TfrmCClenovRSPridaj() override;

  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBEdit* eDBCisloOdznaku;
  TIBEdit* eDBCisloOsvedcenia;
  TIBDate* eDBDatumOd;
  TIBDate* eDBDatumDo;
  int Jedin = 0;
  TDialogPattern dlg{*this, Jedin};

  void btnClenClick();

protected:
  void FormShow() override { dlg.FormShow(); }
  bool FormKeyDown(QKeyEvent* event) override { return dlg.FormKeyDown(event); }
  void FormClose(TCloseAction&) override { dlg.FormClose(); }

private:
  void LimitDismissal();
};
