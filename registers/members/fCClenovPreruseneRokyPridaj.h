#pragma once
#include "registers/common/DialogForm.h"
#include <QtCore/QVariant>

class QLabel;
class TIBCurrencyEdit;
class TIBEdit;

// The add/edit dialog of one interrupted membership year of a member: the
// year and the reason. A year the member already has keeps the dialog open.
class TfrmCClenovPreruseneRokyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCClenovPreruseneRokyPridaj(QWidget* owner = nullptr);
  ~TfrmCClenovPreruseneRokyPridaj() override;

  QLabel *lblRok, *lblDovod;
  TIBCurrencyEdit* eDBRok;
  TIBEdit* eDBDovod;
  // The member whose year this is (set by the list before the add loop).
  QVariant Clen;
};
