#pragma once
#include "registers/common/PrintProtocol.h"

// The prints of the accounting registers, each of the marked rows of its
// list (else of the current row, or of all listed rows for a list print).

// The receipt of each movement of the cash or bank book.
TRegisterPrint MovementReceiptPrint();
// The list of movements with their totals.
TRegisterPrint MovementListPrint();
// Each invoice or delivery note with its items and VAT summary; every
// document carries both identity blocks, so it takes no organisation
// variables.
TRegisterPrint InvoiceDocumentPrint();
// The list of documents with the partner of the register (customer or
// supplier, as `typOd` says).
TRegisterPrint InvoiceListPrint(int typOd);
