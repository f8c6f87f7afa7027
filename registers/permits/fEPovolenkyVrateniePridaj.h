#pragma once
#include "registers/common/DialogForm.h"
#include <QtCore/QVariant>
#include <memory>

class QLabel;
class QStatusBar;
class TChildGrid;
class TDialogChildOwner;
class TIBDate;
class TIBEdit;
class TIBMemo;

// The return of one permit to be returned: who holds it and where it is
// valid (read-only), the date it came back and the payment's note, and the
// catch lines reported with it, each entered in the catch dialog and saved
// at once, so they stay whether the return is saved or not. The lines
// belong to the dialog's year, the year of the list it is opened from.
// There is no add mode: the permits come from their payments.
class TfrmEPovolenkyVrateniePridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPovolenkyVrateniePridaj(QWidget* owner = nullptr);
  ~TfrmEPovolenkyVrateniePridaj() override;

  TIBDate* eDBDatum;
  TIBEdit* eDBDoplnkovyUdaj;
  TIBEdit* eDBZO;
  TIBEdit* eDBRevir;
  TIBDate* eDBPovolenkaVratenaDna;
  TIBEdit *eDBTitul, *eDBMeno, *eDBPriezvisko, *eDBUlica, *eDBPSC, *eDBMesto;
  TIBDate* eDBDatumNarodenia;
  TIBMemo* eDBPoznamka;
  // The catch lines: gr2 with its tool bar tb2.
  std::unique_ptr<TChildGrid> ulovky;
  // Rows, fish, weight and value of the lines.
  QStatusBar* sb;
  QLabel* sbPanels[4];

  // The permit's ground (a guest permit's; Null for a base permit), as loaded.
  QVariant Revir() const { return revir_; }

protected:
  void FormShow() override;

private:
  QWidget* BuildPermit(QWidget& parent);
  QWidget* BuildHolder(QWidget& parent);
  QWidget* BuildCatches(QWidget& parent);
  void DeclareFields();
  void SumCatches();

  QVariant revir_;
  std::unique_ptr<TDialogChildOwner> childOwner_;
};
