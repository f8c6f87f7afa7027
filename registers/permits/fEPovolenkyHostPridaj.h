#pragma once
#include "registers/common/DialogForm.h"
#include <memory>

class QLabel;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TIBQuery;
class TPermitDocumentKind;
class TSpeedButton;
struct TGuestRegister;

// The sale of one guest permit (of the union or of the branch, by the
// register's row of differences): the holder, the ground, the validity with
// its dates following the kind, the price item proposed by the ground, its
// price and levy, the permit numbers and the document kind of the cash
// income. The save writes header, item, stock issue and cash income in one
// transaction, the header numbered inside its insert; a number another
// workstation took at the same moment keeps the dialog open for another
// save. A new sale's receipt is printed.
class TfrmEPovolenkyHostPridaj : public TDialogForm {
  Q_OBJECT
public:
  TfrmEPovolenkyHostPridaj(QWidget* owner, const TGuestRegister& reg);
  ~TfrmEPovolenkyHostPridaj() override;

  const TGuestRegister& Register;

  TIBDate* eDBDatum;
  TIBComboBox* eDBClen = nullptr; // the union's dialog only
  TSpeedButton* btnClen = nullptr;
  TIBEdit *eDBTitul, *eDBMeno, *eDBPriezvisko, *eDBUlica, *eDBPSC, *eDBMesto;
  TIBDate* eDBDatumNarodenia;
  TIBComboBox* eDBZO;
  TIBEdit* eDBCisloZakladnejPovolenky;
  TIBComboBox* eDBPlatnost;
  TIBDate *eDBPlatnostOd, *eDBPlatnostDo;
  TIBComboBox* eDBRevir;
  TSpeedButton* btnRevir;
  TIBComboBox* eDBCeniny;
  TSpeedButton* btnCeniny;
  TIBCurrencyEdit *eDBCena, *eDBOdvodJUX, *eZO;
  TIBEdit* eDBDoplnkovyUdaj;
  TIBComboBox* eDBDruhDokladu;
  TSpeedButton* btnDruhDokladu;
  TIBMemo* eDBPoznamka;

  void ClearAll();
  void eDBClenChange();
  void eDBPlatnostExit();
  void eDBPlatnostOdExit();
  void eDBRevirExit();
  void eDBCeninyExit();
  void eDBCenaChange();
  // The grounds list as a picker, filtered to the grounds offered.
  void btnRevirClick();

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  QWidget* BuildPerson(QWidget& parent);
  void DeclareFields();
  int ValidityKind() const;
  // "od" and "do" open or fixed as the kind wants them.
  void LockValidity(int kind);
  void SetDateOf(TIBDate& edit, const QDate& date);
  QDate DateOf(const TIBDate& edit) const;
  void WriteSale(TIBQuery& q, int payment);
  bool GroundsOffered() const;

  std::unique_ptr<TPermitDocumentKind> kind_;
};

// The sale of a guest permit of the union (kind 1).
class TfrmEPovolenkyJUXPridaj : public TfrmEPovolenkyHostPridaj {
  Q_OBJECT
public:
  explicit TfrmEPovolenkyJUXPridaj(QWidget* owner = nullptr);
};

// The sale of a guest permit of the branch (kind 2).
class TfrmEPovolenkyZOPridaj : public TfrmEPovolenkyHostPridaj {
  Q_OBJECT
public:
  explicit TfrmEPovolenkyZOPridaj(QWidget* owner = nullptr);
};
