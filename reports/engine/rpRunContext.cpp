#include "reports/engine/rpRunContext.h"
#include "core/Exception.h"

namespace {

// The engine's context is one for the process; the current one is per thread.
TrpRunContext* engineContext = nullptr;
thread_local TrpRunContext* currentContext = nullptr;

} // namespace

TrpRunContext::TrpRunContext() = default;
TrpRunContext::~TrpRunContext() = default;

TrpRunContext& rpRun() {
  if (currentContext) return *currentContext;
  if (!engineContext) throw Exception(QStringLiteral("Tlačový modul nie je spustený."));
  return *engineContext;
}

TrpRunScope::TrpRunScope(TrpRunContext& context) : previous_(currentContext) { currentContext = &context; }

TrpRunScope::~TrpRunScope() { currentContext = previous_; }

void rpSetEngineRunContext(TrpRunContext* context) { engineContext = context; }
