#pragma once
#include "registers/common/DialogForm.h"
#include <memory>

class QLabel;
class TChildGrid;
class TDialogChildOwner;
class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TIBTime;
class TSpeedButton;

// The add/edit dialog of a stocking purchase: species (its price proposed
// when the species changes), size, price, quantity and unit, payment source,
// papers, an own breeding ground, who arranged the taking over and the
// times, and the releases into grounds, which exist from the first moment
// (the purchase is a placeholder row until saved) and are valued at the
// price the dialog shows; what is left to release is shown below.
class TfrmEZarybnovanieZdrojPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEZarybnovanieZdrojPridaj(QWidget* owner = nullptr);
  ~TfrmEZarybnovanieZdrojPridaj() override;

  TIBDate* eDBDatum;
  TIBComboBox *eDBRyba, *eDBMJ, *eDBZdrojUhrady, *eDBRevir;
  TSpeedButton *btnRyba, *btnZdrojUhrady, *btnRevir;
  TIBEdit *eDBVelkost, *eDBOsvedcenieCislo, *eDBFaktura, *eDBDodaciList, *eDBMiestoPovodu, *eDBSposobDodavky,
      *eDBPreberanieZabezpecil;
  TIBCurrencyEdit *eDBCenaMJ, *eDBMnozstvo, *eDBSpolu, *eZostavaZarybnit;
  TIBCheckBox* eDBPreberanieZabezpecene;
  TIBTime *eDBPreberanieOd, *eDBPreberanieDo, *eDBVysadzanieOd, *eDBVysadzanieDo;
  TIBMemo* eDBPoznamka;
  // The releases of the purchase (grid gr2, query ib2) and the status bar
  // panels under them: count, quantity, value.
  std::unique_ptr<TChildGrid> releases;
  QLabel* sbPanels[3];

  // The quantity the releases hold, as last read.
  double Released() const { return released_; }

protected:
  void FormShow() override;

private:
  QWidget* BuildPurchase(QWidget& parent);
  QWidget* BuildReleases(QWidget& parent);
  void ReleasesOpened();
  void Recompute();
  void SpeciesLeft();
  void ShowArrangedBy();

  std::unique_ptr<TDialogChildOwner> childOwner_;
  double released_ = 0;
};
