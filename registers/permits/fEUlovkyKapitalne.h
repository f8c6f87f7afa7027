#pragma once
#include "registers/common/ListForm.h"

struct TRegisterPrint;

// The register of the year's trophy catches: angler, date, ground, species,
// weight and length; one print of the marked (else all) catches.
class TfrmEUlovkyKapitalne : public TListForm {
  Q_OBJECT
public:
  TfrmEUlovkyKapitalne(QWidget* owner, quint16 rok);
  ~TfrmEUlovkyKapitalne() override;
};
