#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBEdit;

// The add/edit dialog of a document kind. An abbreviation that the year
// already has is refused by the database (message 2007); the dialog then
// stays open on the abbreviation.
class TfrmCDruhyDokladovPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCDruhyDokladovPridaj(QWidget* owner = nullptr);
  ~TfrmCDruhyDokladovPridaj() override;

  TIBEdit *eDBSkratka, *eDBNazov;
  TIBComboBox* eDBTyp;
};
