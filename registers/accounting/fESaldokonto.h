#pragma once
#include "registers/common/ListForm.h"

class TIBComboBox;

// The ledger of open items (saldokonto): the invoices, advance invoices and
// credit notes of the list's year and every earlier one, each as a
// receivable or a liability with its total and paid amount on the "+" and
// "-" sides and its partner, filtered by side and by paid state. Read-only;
// as a picker (Tag 1) Enter or a double click chooses the current invoice.
class TfrmESaldokonto : public TListForm {
  Q_OBJECT
public:
  TfrmESaldokonto(QWidget* owner, quint16 rok);
  ~TfrmESaldokonto() override;

  // Side: 0 all, 1 receivables, -1 liabilities; paid state: 0 all, -1 unpaid, 1 paid.
  TIBComboBox *eDBTyp, *eDBUhrady;

  // Opens the ledger as a picker of the invoices on the side of a movement's
  // direction (1 receivables, -1 liabilities), at `current` when listed;
  // answers the chosen invoice, or nothing when none was chosen.
  static std::optional<int> PickInvoice(QWidget* owner, quint16 rok, int smer, const QVariant& current);
};
