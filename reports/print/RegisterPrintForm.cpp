#include "reports/print/RegisterPrintForm.h"
#include "controls/DbGridQPL.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/ui/rpEngineUi.h"
#include "reports/print/fTlac.h"
#include "reports/print/rpPrintGrid.h"

void RegisterPrintForm() {
  rpEngineStart();
  rpInstallEngineUi();
  SetPrintFormFactory([] { return std::make_unique<TfrmTlac>(); });
  TDbGridQPL::SetGridPrinter(rpPrintGridJob);
}
