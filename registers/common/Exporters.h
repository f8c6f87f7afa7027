#pragma once
#include <QtCore/QString>
#include <functional>

class QWidget;

// Exporters looked up by name: a form offers an export that another library
// builds (the catch-summary chooser and the union's dBASE file) without
// linking it. The exporter shows its own questions and messages on the way;
// the caller only reports a failure.

enum class TExportOutcome {
  Written,         // the file is complete
  Cancelled,       // the user cancelled the file dialog: nothing to say
  NothingToExport, // the exporter has said so itself
  Failed,          // the caller shows "Chyba pri exporte." with the reason
};

struct TExportResult {
  TExportOutcome Outcome = TExportOutcome::Failed;
  // Why it failed, for the user; empty when the exporter has already shown it.
  QString Reason;
};

// Runs one export with the given window as the parent of its dialogs.
using TExporter = std::function<TExportResult(QWidget* owner)>;

// The catch summary of the working year as the union's council's dBASE file.
inline const QString kCatchSummaryExporter = QStringLiteral("TExportSumarizacieUlovkov");

namespace Exporters {
void Register(const QString& name, TExporter exporter);
// Forgets a registration (tests).
void Unregister(const QString& name);
// The exporter of the name; empty when none is registered (the offering
// button stays disabled then).
TExporter Find(const QString& name);
} // namespace Exporters
