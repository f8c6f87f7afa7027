#pragma once
#include "core/ui/Form.h"
#include "registers/common/DialogPattern.h"

class TIBComboBox;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of one guard of an inspection: the guard (a new entry
// offers only guards without a dismissal date) with his badge and
// certificate shown. The row is committed at once under the inspection `Kontrola`.
class TfrmERSKontroloriPridaj : public TForm {
  Q_OBJECT
public:
  explicit TfrmERSKontroloriPridaj(QWidget* owner = nullptr);
  ~TfrmERSKontroloriPridaj() override;

  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBEdit* eDBCisloOdznaku;
  TIBEdit* eDBCisloOsvedcenia;
  // The inspection the guard row belongs to.
  int Kontrola = 0;
  int Jedin = 0;
  TDialogPattern dlg{*this, Jedin};

  void btnClenClick();
  void eDBClenChange();

protected:
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override { return dlg.FormKeyDown(event); }
  void FormClose(TCloseAction&) override { dlg.FormClose(); }
};
