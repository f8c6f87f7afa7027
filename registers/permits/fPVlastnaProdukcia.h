#pragma once
#include "registers/common/PrintParametersForm.h"

class TIBComboBox;
class TQPLBtn;
class TSpeedButton;
struct TRegisterPrint;

// The overview of one fishing ground's year: the user picks a ground of the
// year and " &OK" (F12) prints its releases, guard inspections, work duty,
// fish taken out of it and feeding; the dialog then closes with 1, also when
// there was nothing to print. "&Nezapíš" (Esc) closes it with 2.
class TfrmPVlastnaProdukcia : public TPrintParametersForm {
  Q_OBJECT
public:
  TfrmPVlastnaProdukcia(QWidget* owner, quint16 rok);
  ~TfrmPVlastnaProdukcia() override;

  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TQPLBtn *btnZapis, *btnNezapis;

  void btnZapisClick() override;

protected:
  void FormShow() override;

private:
  quint16 rok_;
};
