#pragma once
#include "reports/engine/rpGlobals.h"

// Runs the report engine for a fixture's life: declared before the fixture's
// reports, it starts the engine before they are made and ends it after they are gone.
struct TDesignerEngineRun {
  TDesignerEngineRun() { rpEngineStart(); }
  ~TDesignerEngineRun() { rpEngineEnd(); }
};
