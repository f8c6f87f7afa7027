#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBDate;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of a fishing guard: the member, badge and certificate
// numbers, the appointment date and the optional dismissal date; the two
// dates are kept as typed, without a check between them.
class TfrmCClenovRSPridaj : public TDialogForm {
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
};
