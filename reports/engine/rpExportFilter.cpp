#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpGlobals.h"

TrpExportFilter::TrpExportFilter(QObject* owner) : QObject(owner) {}

TrpExportFilter::~TrpExportFilter() {
  // The engine may have ended before a filter that outlives it.
  if (registered_ && rpEngineStarted()) rpRemoveExportFilter(this);
  FreeCollectedLines();
}

void TrpExportFilter::FreeCollectedLines() { CollectedLines.clear(); }

bool TrpExportFilter::Register(const QString& description, const QString& mask) {
  registered_ = rpAddExportFilter(this, description, mask);
  return registered_;
}
