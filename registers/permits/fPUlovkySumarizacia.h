#pragma once
#include "registers/common/PrintParametersForm.h"
#include "registers/permits/PermitPrints.h"

class TIBCheckBox;
class TIBComboBox;
class TIBEdit;
class TQPLBtn;
class TUxFormPlacement;

// The parameters of the year's catch summary ("PR_Ulovky.rpf"): the preparer,
// the grounds counted and the order of the anglers' success table. " &OK"
// (F12) prints and closes the form with 1, also when there was nothing to
// print; "&Netlač" (Esc) closes it with 2. The values chosen come back the
// next time the form opens.
class TfrmPUlovkySumarizacia : public TPrintParametersForm {
  Q_OBJECT
public:
  TfrmPUlovkySumarizacia(QWidget* owner, quint16 rok);
  ~TfrmPUlovkySumarizacia() override;

  // The grounds of the two boxes: both or neither mean all.
  static TCatchGrounds GroundsOf(bool nase, bool ostatne);

  TIBEdit* eVypracoval;
  TIBCheckBox *eReviryNase, *eReviryOstatne;
  TIBComboBox* eUspesnostZotrieditPodla;
  TQPLBtn *btnZapis, *btnNezapis;
  TUxFormPlacement* fp;

  void btnZapisClick() override;

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  TCatchSummaryChoice Choice() const;

  quint16 rok_;
};
