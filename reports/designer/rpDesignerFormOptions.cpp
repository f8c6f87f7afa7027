// The designer window's option commands: the page options of the current
// page, the report options and the designer's own options.
#include "reports/designer/rpDesOptionsForm.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDocOptForm.h"
#include "reports/designer/rpPgoptForm.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/ui/rpPasswForm.h"
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace {

// Asks for a new password, then for it again; none when either prompt is
// cancelled or the two answers differ.
std::optional<QString> AskNewPassword(QWidget* parent) {
  TrpPasswForm first(parent);
  if (first.ShowModal() != mrOk) return std::nullopt;
  TrpPasswForm second(parent);
  second.L1->setText(second.L2->text());
  if (second.ShowModal() != mrOk || second.E1->text() != first.E1->text()) return std::nullopt;
  return first.E1->text();
}

} // namespace

void TrpDesignerForm::ConnectOptions() {
  SetCommandHandler(QStringLiteral("PageOptions"), [this] { PageOptions(); });
  SetCommandHandler(QStringLiteral("ReportOptions"), [this] { ReportOptions(); });
  SetCommandHandler(QStringLiteral("Options"), [this] { DesignerOptions(); });
}

void TrpDesignerForm::PageOptions() {
  pageOptionsAccepted_ = false;
  if (!Page) return;
  TrpPgoptForm form(this);
  form.SetFields(rpPageOptionsFields(*Page, rpPrinter()));
  form.UnlimitedHeightCB->setChecked(settings_.UnlimitedHeight);
  if (form.ShowModal() == mrOk && form.Options()) {
    SetModified(true);
    pageOptionsAccepted_ = true;
    settings_.UnlimitedHeight = form.UnlimitedHeightCB->isChecked();
    rpApplyPageOptions(*Page, *form.Options());
  }
  SetCurrentPage(currentPageIndex_);
}

void TrpDesignerForm::ReportOptions() {
  TrpDocOptForm form(this);
  form.SetReport(report_);
  if (form.ShowModal() == mrOk) {
    form.StoreInto(report_);
    report_.SwitchPrinter(rpPrinter().PrinterIndex, form.PrinterCB->currentIndex());
    SetModified(true);
    bool protect = form.PasswordCB->isChecked();
    if (protect && !report_.Info.AskPassword) {
      const std::optional<QString> password = AskNewPassword(this);
      if (password) report_.Info.Password = *password;
      protect = password.has_value();
    }
    report_.Info.AskPassword = protect;
    if (!protect) report_.Info.Password.clear();
  }
  SetCurrentPage(currentPageIndex_);
}

void TrpDesignerForm::DesignerOptions() {
  TrpDesOptionsForm form(this);
  form.SetSettings(settings_);
  form.SetEditorFonts(TrpTextEditorFonts::Read());
  if (form.ShowModal() != mrOk) return;
  TrpDesignerSettings chosen = settings_;
  form.GetSettings(chosen);
  if (chosen.SyntaxHighlight != settings_.SyntaxHighlight) SetSyntaxHighlight(chosen.SyntaxHighlight);
  settings_ = chosen;
  ApplyGrayButtons();
  rpGlobals().ShowBandTitles = settings_.BandTitles;
  rpGetLocale().LocalizedPropNames = settings_.LocalizedPropNames;
  UpdateEnabling();
  UpdateStatus();
  RefreshInspector();
  SetCurrentPage(currentPageIndex_);
}
