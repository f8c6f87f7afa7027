#pragma once
#include "registers/accounting/AccountingRows.h"
#include "registers/accounting/fEFakturyNasaZO.h"
#include "registers/common/ChildGrid.h"
#include "registers/common/DialogForm.h"
#include <memory>

class QLabel;
class QPushButton;
class QStatusBar;
class TDbGridQPL;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of one invoice or delivery note of a register (its
// type range TypOd..TypDo): the header, the partner's identity block, the
// branch's own identity (dialog "Údaje ZO"), the texts and the items. The
// partner is the customer (ODB_) in the issued ranges and the supplier
// (DOD_) in the received ones; the branch stands on the other side with no
// partner key. A new invoice is a placeholder row from the show, so that its
// items can refer to it; a close without a save deletes it with its items.
// The kind used last is remembered per register; a new invoice takes the
// next number of its kind, and in the issued invoices a typed number
// becomes the variable symbol.
class TfrmEFakturyPridaj : public TDialogForm {
  Q_OBJECT
public:
  TfrmEFakturyPridaj(QWidget* owner, int typOd, int typDo);
  ~TfrmEFakturyPridaj() override;

  const int TypOd, TypDo;
  // The branch's identity for this invoice.
  TNasaZO NasaZO;

  TIBComboBox* eDBDruhDokladu;
  TSpeedButton* btnDruhDokladu;
  TIBCurrencyEdit* eDBP1;
  QLabel* lDBDatum;
  TIBDate *eDBDatum, *eDBDatumSplatnosti;
  TIBEdit *eDBVariabilnySymbol, *eDBSpecifickySymbol, *eDBKonstatnySymbol;
  TIBComboBox* eDBFormaUhrady;
  TIBComboBox* eDBPartneri;
  TSpeedButton* btnPartneri;
  TIdentityEdits partner;
  TIBMemo *eDBText1, *eDBText2, *eDBPoznamka;
  QPushButton* btnUdajeZO;
  TChildGrid* items;
  // Count and the three sums of the items.
  QStatusBar* sb;
  QLabel* sbPanels[4];

  void PriradCisloDokladu();
  // The due date: 14 days after the date of the document.
  void ProposeDueDate();
  void btnUdajeZOClick();

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  QWidget* BuildHeader(QWidget& parent);
  QWidget* BuildPartner(QWidget& parent);
  QWidget* BuildTexts(QWidget& parent);
  void DeclareFields();
  void ClearAll();
  // False (with a message) when another document of the year and kind has the number.
  bool CheckNumberFree();
  void eDBDruhDokladuExit();
  void eDBP1Exit();
  void eDBPartneriExit();
  void ShowItemTotals();
  QString KindMemoryName() const;

  TDialogChildOwner childOwner_{*this};
  std::unique_ptr<TChildGrid> items_;
  double numberOnEntry_ = 0;
};
