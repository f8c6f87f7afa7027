#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

// One paper source of a printer: the code a template stores, the driver's
// keyword that selects it and the name the user reads.
struct TrpPrinterBin {
  int Code = 0;
  QByteArray Keyword;
  QString Name;
};

// The paper sources of a printer and the one it takes by default (-1: none
// named).
struct TrpPrinterBins {
  QList<TrpPrinterBin> Bins;
  int DefaultIndex = -1;

  // The bin of that code, or null.
  const TrpPrinterBin* Find(int code) const;
};

// The code a template stores for a source keyword: the common sources keep
// the codes other programs wrote for them (upper 1, lower 2, manual 4, ...),
// any other source 256 + its place in the printer's list.
int rpBinCodeOf(const QByteArray& keyword, int index);

// The paper sources a CUPS printer publishes in its driver description (the
// InputSlot choices); empty when the printer has none or is unknown.
TrpPrinterBins rpReadPrinterBins(const QString& printerName);
