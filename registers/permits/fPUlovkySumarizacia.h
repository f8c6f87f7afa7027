#pragma once
#include "registers/common/PrintParametersForm.h"
#include <QtCore/QVariant>

class TIBCheckBox;
class TIBComboBox;
class TIBEdit;
class TQPLBtn;
class TUxFormPlacement;
struct TRegisterPrint;

// Which fishing grounds the catch summary counts: all, only those of the own
// branch, or only those of other branches (a ground without a branch counts
// only among all).
enum class TCatchGrounds { All, Own, Others };

// What the user chose for one catch summary.
struct TCatchSummaryChoice {
  QString Vypracoval;
  TCatchGrounds Grounds = TCatchGrounds::All;
  // The success table's order: 1 by count, 3 by value, 4 by the angler's
  // name; any other by weight.
  int Order = 2;
};

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

  // The summary of year `rok`; `ownOrganisation` is the own branch's key,
  // needed by every choice but TCatchGrounds::All.
  static TRegisterPrint SummaryPrint(const TCatchSummaryChoice& choice, quint16 rok, const QVariant& ownOrganisation);
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
