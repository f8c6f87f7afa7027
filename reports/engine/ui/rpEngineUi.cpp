#include "reports/engine/ui/rpEngineUi.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/ui/rpDialogPageForm.h"
#include "reports/engine/ui/rpPasswForm.h"
#include "reports/engine/ui/rpPreview.h"
#include "reports/engine/ui/rpProgressForm.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include "reports/engine/ui/rpWindowControl.h"
#include <QtWidgets/QInputDialog>
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
  g.InputBox = [](const QString& prompt, const QString& preset) {
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, QString(), prompt, QLineEdit::Normal, preset, &ok);
    return ok ? text : preset;
  };
  g.MessageBox = [](const QString& text, const QString& title, int flags) {
    return rpShowMessageBox(text, title, flags);
  };
  g.ProgressWindow = [](TrpReport& report, const QString& caption, const std::function<void()>& work) {
    TrpProgressForm form;
    return form.Execute(report, caption, work) == mrOk;
  };
  g.PreviewWindow = &TrpPreviewForm::Preview;
  g.ShowDialogPage = &TrpDialogPageForm::ShowPage;
  g.HostFormHasComponent = &rpDialogFormHasComponent;
  rpInstallPrinting();
  g.DefaultPaperSize = rpPrinter().PaperSize;
}

int rpShowMessageBox(const QString& text, const QString& title, int flags) {
  QMessageBox box(nullptr);
  box.setWindowTitle(title);
  box.setText(text);
  switch (flags & 0xF0) {
  case 16:
    box.setIcon(QMessageBox::Critical);
    break;
  case 32:
    box.setIcon(QMessageBox::Question);
    break;
  case 48:
    box.setIcon(QMessageBox::Warning);
    break;
  case 64:
    box.setIcon(QMessageBox::Information);
    break;
  default:
    break;
  }
  // The "mb_" button sets and the modal results the scripts compare with.
  struct TButton {
    QMessageBox::StandardButton Button;
    int Result;
  };
  QList<TButton> buttons;
  switch (flags & 0x0F) {
  case 1:
    buttons = {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
    break;
  case 3:
    buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
    break;
  case 4:
    buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
    break;
  default:
    buttons = {{QMessageBox::Ok, 1}};
    break;
  }
  QMessageBox::StandardButtons set;
  for (const TButton& b : buttons)
    set |= b.Button;
  box.setStandardButtons(set);
  const int pressed = box.exec();
  for (const TButton& b : buttons)
    if (pressed == b.Button) return b.Result;
  return 2;
}
