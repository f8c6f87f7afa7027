#include "reports/engine/ui/rpEngineUi.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/ui/rpPasswForm.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>

void rpInstallEngineUi() {
  TrpGlobals& g = rpGlobals();
  g.ErrorBox = [](const QString& text, const QString& caption) { QMessageBox::critical(nullptr, caption, text); };
  g.AskPassword = [](QString& password) {
    TrpPasswForm form;
    if (form.ShowModal() != mrOk) return false;
    password = form.E1->text();
    return true;
  };
  rpPrinter().SetPrinter(std::make_shared<TrpQtPrinter>());
  g.DefaultPaperSize = rpPrinter().PaperSize;
}
