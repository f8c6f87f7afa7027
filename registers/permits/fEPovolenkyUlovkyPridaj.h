#pragma once
#include "registers/common/DialogForm.h"
#include <QtCore/QVariant>

class QLabel;
class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TSpeedButton;
struct TSqlCondition;

// One catch line of a returned permit: the day, the ground, the species, its
// price per unit of weight, the count and the weight, and their value. The
// line belongs to the year of the register it is entered from, and the
// grounds offered are that year's: the own branch's, or all of the union's
// with the box checked. A guest permit's line takes the permit's ground,
// which cannot be changed. Each line is saved on its own.
class TfrmEPovolenkyUlovkyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPovolenkyUlovkyPridaj(QWidget* owner = nullptr);
  ~TfrmEPovolenkyUlovkyPridaj() override;

  // The permit item (E_POVOLENKY2) of new lines and its ground (Null for a
  // base permit); set before every showing.
  int EPovolenky2 = 0;
  QVariant Revir;

  TIBDate* eDBDatum;
  TIBCheckBox* edbZvazovy;
  QLabel* lblZvazovy;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBComboBox* eDBRyba;
  TSpeedButton* btnRyba;
  TIBCurrencyEdit *eDBCenaMJ, *eDBPocet, *eDBVaha, *eDBSpolu;

  // The grounds the box offers, set again on the ground combo with its key.
  void edbZvazovyChange();
  void eDBRybaExit();
  void RecomputeSpolu();

protected:
  void FormShow() override;

private:
  TSqlCondition GroundsOffered() const;
  bool CheckGuestGround();
  void btnRevirClick();
};
