#pragma once
#include "registers/common/ListForm.h"

class TIBComboBox;

// The competitors (not kept per year), filtered by team and league, printed
// as the competitor list; also the picker of the round competitor lookup.
class TfrmCPretekari : public TListForm {
  Q_OBJECT
public:
  TfrmCPretekari(QWidget* owner, quint16 rok);
  ~TfrmCPretekari() override;

  TIBComboBox *eDruzstvo, *eLiga;

private:
  void Print();
};
