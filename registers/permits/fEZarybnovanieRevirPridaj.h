#pragma once
#include "registers/common/DialogForm.h"
#include <QtCore/QVariant>

class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of one release of a stocking purchase: the day, the
// ground of the dialog's year and the quantity released; saved on its own,
// whatever becomes of the purchase dialog.
class TfrmEZarybnovanieRevirPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEZarybnovanieRevirPridaj(QWidget* owner = nullptr);
  ~TfrmEZarybnovanieRevirPridaj() override;

  // The purchase the release belongs to, and its date (a new release's day).
  int Zdroj = 0;
  QVariant DatumZdroja;

  TIBDate* eDBDatum;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBCurrencyEdit* eDBMnozstvo;
  TIBMemo* eDBPoznamka;

protected:
  void FormShow() override;
};
