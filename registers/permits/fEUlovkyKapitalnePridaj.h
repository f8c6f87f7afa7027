#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TIBTime;
class TSpeedButton;

// The add/edit dialog of a trophy catch. A chosen member's name and address
// are copied into the angler's fields and locked; anyone else's are typed.
// The catch keeps the angler as stored with it: editing loads the stored
// fields over the member's current ones.
class TfrmEUlovkyKapitalnePridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEUlovkyKapitalnePridaj(QWidget* owner = nullptr);
  ~TfrmEUlovkyKapitalnePridaj() override;

  TIBDate* eDBDatum;
  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBEdit *eDBTitul, *eDBMeno, *eDBPriezvisko, *eDBUlica, *eDBPSC, *eDBMesto;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBComboBox* eDBRyba;
  TSpeedButton* btnRyba;
  TIBCurrencyEdit *eDBVaha, *eDBDlzka;
  TIBTime* eDBCas;
  TIBComboBox* eDBSposobUlovenia;
  TIBEdit *eDBSvedok1, *eDBSvedok2;
  TIBMemo* eDBPoznamka;

  void eDBClenChange();

protected:
  void FormShow() override;

private:
  QWidget* BuildCatch(QWidget& parent);
  QWidget* BuildAngler(QWidget& parent);
  QWidget* BuildFish(QWidget& parent);
  QWidget* BuildNote(QWidget& parent);
  void DeclareFields();
};
