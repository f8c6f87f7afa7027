#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of one guard of an inspection: the guard (a new entry
// offers only guards without a dismissal date) with his badge and
// certificate shown. The row is committed at once under the inspection `Kontrola`.
class TfrmERSKontroloriPridaj : public TDialogForm {
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

  void eDBClenChange();

protected:
  void FormShow() override;
};
