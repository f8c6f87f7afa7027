#pragma once
#include "registers/common/DialogForm.h"
#include <QtCore/QVariant>

class QLabel;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of one cash or bank movement. The kinds offered are
// the book's kinds of the year, the kind used last is remembered per book,
// and a new movement is numbered per kind: a cash receipt takes the next
// number with item 1, a bank movement continues the latest statement with
// its next item. The counterparty is a member or a partner (never both),
// whose address is copied when chosen; the VAT is computed from the base to
// a tenth. The amounts go into the income or the expense columns by the
// direction. A movement that a permit item wrote opens read-only and writes
// nothing.
class TfrmEPokladnaPridaj : public TDialogForm {
  Q_OBJECT
public:
  // `typ` the book: 1 cash book, 2 bank book.
  TfrmEPokladnaPridaj(QWidget* owner, int typ);
  ~TfrmEPokladnaPridaj() override;

  const int Typ;
  // The invoice the movement pays (JEDIN of e_faktury), Null when none.
  QVariant LinkedInvoice;

  TIBComboBox* eDBDruhDokladu;
  TSpeedButton* btnDruhDokladu;
  TIBCurrencyEdit *eDBP1, *eDBP2;
  TIBDate* eDBDatum;
  TIBComboBox* eDBSmerPohybu;
  TIBEdit* eDBPopis;
  QLabel *lblClen, *lblPartneri;
  TIBComboBox *eDBClen, *eDBPartneri;
  TSpeedButton *btnClen, *btnPartneri;
  TIBEdit *eDBNazov, *eDBUlica, *eDBPSC, *eDBMesto, *eDBICO, *eDBDIC, *eDBICDPH;
  TIBCurrencyEdit *eDBZaklad, *eDBSadzbaDPH, *eDBDPH, *eDBSpolu;
  TIBMemo* eDBPoznamka;

  // Proposes the document number and item of the chosen kind.
  void PriradCisloDokladu();

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  void DeclareFields();
  void ClearAll();
  // False (with a message) when another movement of the year and kind has the number and item.
  bool CheckNumberFree();
  void FollowCounterparty();
  void eDBDruhDokladuExit();
  void eDBClenExit();
  void eDBPartneriExit();
  void eDBZakladExit();
  void FollowRate();
  void eDBSadzbaDPHExit();
  void UpdateTotal();
  bool Income() const;
  QString KindMemoryName() const;

  bool fromPermit_ = false;
  double zakladOnEntry_ = 0;
};
