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
// whose address is copied when chosen; the VAT is the base at the rate to
// the cent, whichever of the two is typed last, and the total follows. The
// amounts go into the income or the expense columns by the direction. A
// movement may pay an invoice picked from the ledger (F5), which fills its
// open amount, its partner and a description naming it, sets the direction
// the invoice's kind requires (a receivable is paid in, a liability paid out)
// and locks direction and description; F6 drops the link. A movement that a
// permit item wrote opens read-only and writes nothing.
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
  TSpeedButton *btnFakturaUhrada, *btnFakturaZrus;

  // Proposes the document number and item of the chosen kind.
  void PriradCisloDokladu();
  // Links the movement to an invoice chosen in the ledger and fills it from it.
  void btnFakturaUhradaClick();
  // Drops the link to the invoice.
  void btnFakturaZrusClick();

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  void DeclareFields();
  void ClearAll();
  // False (with a message) when another movement of the year and kind has the number and item.
  bool CheckNumberFree();
  void FollowCounterparty();
  void eDBDruhDokladuExit();
  void eDBClenExit();
  void eDBPartneriExit();
  // The VAT of the base at the rate (none without a rate), and the total.
  void ComputeVat();
  void FollowRate();
  void UpdateTotal();
  // The direction the linked invoice's kind requires.
  void FollowInvoiceDirection();
  bool Income() const;
  QString KindMemoryName() const;
  bool Linked() const;
  // Direction, description and the link buttons as the link says.
  void FollowLink();
  // Description, amounts and partner from the linked invoice, when the ledger lists it.
  void FillFromInvoice();

  bool fromPermit_ = false;
};
