#include "app/AdminForms.h"
#include "app/Application.h"
#include "app/NumToWords.h"
#include "app/SingleInstance.h"
#include "console/ConsoleForms.h"
#include "crash/RtFaultHandler.h"
#include "crash/fExceptionDialog.h"
#include "platform/base/TerminationSignals.h"
#include "registers/accounting/AccountingForms.h"
#include "registers/competitions/CompetitionsForms.h"
#include "registers/members/MembersForms.h"
#include "registers/members/fSImport.h"
#include "registers/permits/PermitsForms.h"
#include "registers/permits/uPUlovkySumarizaciaExport.h"
#include "reports/designer/RegisterReportDesigner.h"
#include "reports/engine/rpQPLFunctionLibrary.h"
#include "reports/export/RegisterReportExports.h"
#include "reports/objects/RegisterReportObjects.h"
#include "reports/print/RegisterPrintForm.h"

// The libraries that build the main window's forms register them (see
// app/FormRegistry.h) before RunVimek creates the main window.
int main(int argc, char* argv[]) {
  // Before any thread starts, so that no thread of the database engine is
  // interrupted by a kill; the application then ends in order.
  BlockTerminationSignals();
  TApplication application(argc, argv);
  // A fault of an earlier run is reported by a new start of the program.
  if (argc == 3 && qstrcmp(argv[1], kCrashReportArgument) == 0) return RunCrashReport(QString::fromLocal8Bit(argv[2]));
  // Every error no form handles ends in the crash dialog, from here on.
  InstallCrashHandlers();
  // A second start of the same program file brings the running one to the front and ends.
  if (!AppInstances().EnsureSingleInstance()) return 0;
  RegisterAdministrationForms();
  RegisterConsoleForms();
  RegisterMembersForms();
  RegisterPermitsForms();
  RegisterAccountingForms();
  RegisterCompetitionsForms();
  RegisterMemberImport();
  RegisterCatchSummaryExporter();
  RegisterPrintForm();
  RegisterReportObjects();
  RegisterReportExports();
  RegisterReportDesigner();
  // The report function MONEYTOSTR writes amounts in the program's Slovak words.
  TQPLFunctionLibrary::NumberInWords = NumberToSlovakWords;
  const int result = RunVimek(application);
  RemoveCrashHandlers();
  return result;
}
