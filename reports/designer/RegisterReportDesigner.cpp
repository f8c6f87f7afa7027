#include "reports/designer/RegisterReportDesigner.h"
#include "app/AppContext.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/ui/rpDock.h"
#include <QtWidgets/QApplication>

TrpInsertDefaults& rpInsertDefaults() {
  static TrpInsertDefaults defaults;
  return defaults;
}

void RegisterReportDesigner() {
  TrpGlobals& g = rpGlobals();
  rpInsertDefaults() = TrpInsertDefaults{};
  rpInsertDefaults().Charset = g.DefaultCharset;
  g.DesignerWindow = [](TrpReport& report, bool editingTemplate) {
    // The title is known only once the program runs, after the registrations.
    rpRegistryRoot() = QStringLiteral("Software\\ZiviVudire\\") + ApplicationTitle();
    // Owned by the window that opens it, so its tool windows (inspector,
    // fields) stay usable beside that window's modal run.
    TrpDesignerForm form(report, editingTemplate, QApplication::activeModalWidget());
    return form.ShowModal();
  };
}
