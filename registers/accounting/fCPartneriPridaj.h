#pragma once
#include "registers/common/DialogForm.h"

class TIBEdit;
class TIBMemo;

// The add/edit dialog of a business partner. The display name is the name,
// ", " and the town, cut to 75 characters, composed at every save.
class TfrmCPartneriPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCPartneriPridaj(QWidget* owner = nullptr);
  ~TfrmCPartneriPridaj() override;

  TIBEdit *eDBNazov, *eDBUlica, *eDBPSC, *eDBMesto, *eDBICO, *eDBDIC, *eDBICDPH;
  TIBEdit *eDBUcetPredcislie, *eDBUcetCislo, *eDBUcetKod, *eDBUcetSS, *eDBUcetIBAN;
  TIBMemo* eDBPoznamka;

  QString NazovUplny() const;
};
