#pragma once
#include "registers/common/ChildGrid.h"
#include "registers/common/DialogForm.h"
#include <memory>

class TDbGridQPL;
class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TIBQuery;
class TIBTime;
class TSpeedButton;
class TToolBar;
class TToolButton;

// The add/edit dialog of one guard inspection: start and end, the ground,
// the private car and its cost, the note, and two child lists (the guards
// and the inspected persons), each with its own small dialog that commits
// at once. A new inspection exists as a row without a year while the dialog
// is open, so that its children have a key; a close without a save deletes
// it with its children, and a dialog whose row could not be made does not open.
class TfrmERSPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmERSPridaj(QWidget* owner = nullptr);
  ~TfrmERSPridaj() override;

  TIBDate *eDBKontrolaDatumOd, *eDBKontrolaDatumDo;
  TIBTime *eDBKontrolaCasOd, *eDBKontrolaCasDo;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBCheckBox* eDBSukromneVozidlo;
  TIBEdit *eDBSPZ, *eDBTyp;
  TIBCurrencyEdit *eDBSpotreba, *eDBNahrada, *eDBKM, *eDBCenaPaliva, *eSpolu;
  TIBCheckBox* eDBUhradene;
  TToolBar* tb1;
  TToolButton *btnPridaj2, *btnOprav2, *btnVymaz2, *btnRefresh2;
  TDbGridQPL* gr2;
  TIBQuery* ib2;
  TToolBar* ToolBar1;
  TToolButton *btnPridaj3, *btnOprav3, *btnVymaz3, *btnRefresh3;
  TDbGridQPL* gr3;
  TIBQuery* ib3;
  TIBMemo* eDBPoznamka;

  void PrepocitajSpolu();
  void btnPridaj2Click();
  void btnOprav2Click();
  void btnVymaz2Click();
  void btnRefresh2Click();
  void btnPridaj3Click();
  void btnOprav3Click();
  void btnVymaz3Click();
  void btnRefresh3Click();

protected:
  void FormShow() override;

private:
  bool ConfirmGuardRemoval();
  // The car's group: its fields one under another, each unit beside its number.
  QWidget* BuildCar(QWidget& parent);

  TDialogChildOwner childOwner_{*this};
  std::unique_ptr<TChildGrid> guards_, persons_;
};
