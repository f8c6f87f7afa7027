#pragma once
#include "registers/common/ListForm.h"

class QLabel;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;

// The register of incoming and outgoing mail of the working year, numbered
// per year and kind, with its filter panel and one print in number order.
class TfrmEPosta : public TListForm {
  Q_OBJECT
public:
  TfrmEPosta(QWidget* owner, quint16 rok);
  ~TfrmEPosta() override;

  TIBDate *eDatumOd, *eDatumDo;
  TIBComboBox* eDruh;
  TIBCurrencyEdit* ePostovne;
  QLabel* MenaLB;
  TIBComboBox* eKontakt;
  TIBEdit* eVec;
  TIBComboBox* ePrideleneKomu;

private:
  void AddFilterClauses(TListQuery& q);
};

// The kind-of-mail lookup over the option list 'typ_posty' (1 received, -1 sent).
void SetupKindCombo(TIBComboBox& combo);
// The currency text of the locale ("€", "Sk", ...), shown beside postage.
QString LocaleCurrencyText();
