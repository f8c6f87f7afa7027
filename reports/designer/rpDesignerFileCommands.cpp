// The designer window's commands on the report as a whole: new, new from a
// template, open, save and save as in the four formats, the question that
// protects unsaved changes, the about window and the insert-fields tool.
#include "core/DataSet.h"
#include "core/Exception.h"
#include "reports/designer/rpAboutForm.h"
#include "reports/designer/rpDesigner.h"
#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerInsertFields.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpGEditorForm.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/designer/rpInsertFieldsForm.h"
#include "reports/designer/rpTemplForm.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QFileInfo>
#include <QtGui/QFontMetrics>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QRadioButton>

namespace {

constexpr int kFileYesNoCancel = 3 | 32; // mb_YesNoCancel | mb_IconQuestion
constexpr int kFileAnswerYes = 6, kFileAnswerCancel = 2;

QString FilterText(int captionId, const char* pattern) {
  return rpLoadStr(captionId) + QStringLiteral(" (") + QLatin1String(pattern) + QLatin1Char(')');
}

// The name under which the data set is published to reports: the report data
// set component wrapping it, qualified by its form unless the report's owner holds it.
QString PublishedDataSetName(const TrpReport& report, const TDataSet* dataSet) {
  if (!dataSet) return {};
  QList<TrpComponentEntry> components;
  rpGetComponents(report.Owner(), TrpDBDataSet::staticMetaObject, components);
  for (const TrpComponentEntry& entry : components)
    if (const auto* wrapper = qobject_cast<const TrpDBDataSet*>(entry.Component);
        wrapper && wrapper->DataSet() == dataSet)
      return entry.Name;
  return {};
}

} // namespace

void TrpDesignerForm::ConnectFileCommands() {
  SetCommandHandler(QStringLiteral("New"), [this] { NewReport(); });
  SetCommandHandler(QStringLiteral("NewFromTemplate"), [this] { NewFromTemplate(); });
  SetCommandHandler(QStringLiteral("Open"), [this] { OpenReport(); });
  SetCommandHandler(QStringLiteral("SaveAs"), [this] { SaveAs(); });
  SetCommandHandler(QStringLiteral("About"), [this] { ShowAbout(); });
  SetCommandHandler(QStringLiteral("Dictionary"), [this] { EditDictionary(); });
  SetPropertyEditor(QStringLiteral("Picture"), [this](TrpObject* object) {
    if (!LastSelectedEditable()) return;
    TrpGEditorForm editor(this);
    editor.ShowEditor(dynamic_cast<TrpView*>(object));
    RefreshInspector();
  });
  SetCommandHandler(QStringLiteral("InsertFields"), [this] { InsertDBFields(); });
}

int TrpDesignerForm::AskSaveChanges() {
  QString file = fileName_;
  file.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const QString question = rpLoadStr(55306) + QLatin1Char(' ') + rpLoadStr(55336) + QLatin1Char(' ') +
                           QFileInfo(file).fileName() + QLatin1Char('?');
  return rpGlobals().MessageBox(question, rpLoadStr(55006), kFileYesNoCancel);
}

bool TrpDesignerForm::SaveChangesFirst() {
  if (!GetModified()) return true;
  const int answer = AskSaveChanges();
  if (answer == kFileAnswerCancel) return false;
  return answer != kFileAnswerYes || Save();
}

void TrpDesignerForm::AfterReportReplaced() {
  // Replacing the pages released the selection and the views (ReleasePages);
  // a report that was only partly replaced still loses its undo steps.
  undo_.Clear();
  SetCurrentPage(0);
  UpdateCaption();
  if (fieldsWindow_) fieldsWindow_->RefreshData();
}

void TrpDesignerForm::NewReport() {
  if (!SaveChangesFirst()) return;
  report_.ClearTemplate();
  report_.Pages.Add()->AssignFreeName();
  fileName_ = rpLoadStr(55209);
  currentPageIndex_ = -1;
  AfterReportReplaced();
  SetModified(false);
  report_.ChangedInDesigner = true;
}

void TrpDesignerForm::NewFromTemplate() {
  TrpTemplForm chooser(rpTemplateFolder(TrpDesigner::Instance()), this);
  if (chooser.ShowModal() != mrOk || chooser.FileName().isEmpty()) return;
  // Replacing the report loses what was not saved: ask first.
  if (!SaveChangesFirst()) return;
  OpenTemplateFile(chooser.FileName());
}

bool TrpDesignerForm::OpenTemplateFile(const QString& templateFile) {
  workspace_->DrawingDisabled = true;
  bool read = false;
  try {
    read = report_.ReadTemplateFile(templateFile, nullptr, true, nullptr);
  } catch (const Exception& error) {
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
  }
  workspace_->DrawingDisabled = false;
  if (report_.Pages.Count() == 0) report_.Pages.Add()->AssignFreeName();
  fileName_ = rpLoadStr(55209);
  currentPageIndex_ = -1;
  AfterReportReplaced();
  return read;
}

void TrpDesignerForm::OpenReport() {
  if (!SaveChangesFirst()) return;
  TrpDesigner* designer = TrpDesigner::Instance();
  QString file;
  bool dictionary = false;
  bool opened = false;
  workspace_->DrawingDisabled = true;
  if (designer && designer->OnLoadReport) {
    bool done = true;
    designer->OnLoadReport(report_, file, done);
    opened = done;
  } else {
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({FilterText(55213, "*.rpf"), FilterText(55215, "*.rpd")});
    if (designer && !designer->OpenDir.isEmpty()) dialog.setDirectory(designer->OpenDir);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      file = dialog.selectedFiles().first();
      dictionary = dialog.nameFilters().indexOf(dialog.selectedNameFilter()) == 1;
      opened = OpenFile(file, dictionary);
    }
  }
  workspace_->DrawingDisabled = false;
  if (!opened || dictionary) {
    RedrawPage();
    return;
  }
  fileName_ = file;
  currentPageIndex_ = -1;
  AfterReportReplaced();
  SetModified(false);
  report_.ChangedInDesigner = true;
}

bool TrpDesignerForm::OpenFile(const QString& file, bool dictionary) {
  try {
    if (!dictionary) return report_.LoadFromFile(file);
    report_.Dictionary.LoadFromFile(file);
  } catch (const Exception& error) {
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
    return false;
  }
  // The dictionary is part of the report: closing must not drop the change.
  SetModified(true);
  if (fieldsWindow_) fieldsWindow_->RefreshData();
  return true;
}

bool TrpDesignerForm::SaveAs() {
  TrpDesigner* designer = TrpDesigner::Instance();
  if (designer && designer->OnSaveReport) {
    QString file = fileName_;
    bool done = true;
    designer->OnSaveReport(report_, file, true, done);
    if (!done) return false;
    fileName_ = file;
    SetModified(false);
    UpdateCaption();
    return true;
  }
  QFileDialog dialog(this);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList filters{FilterText(55213, "*.rpf"), FilterText(55481, "*.rp3"), FilterText(55214, "*.rpt"),
                            FilterText(55215, "*.rpd")};
  dialog.setNameFilters(filters);
  if (designer && !designer->SaveDir.isEmpty()) dialog.setDirectory(designer->SaveDir);
  if (fileName_ != rpLoadStr(55209)) dialog.selectFile(fileName_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return SaveAsFile(dialog.selectedFiles().first(),
                    rpSaveKindOfFilter(int(filters.indexOf(dialog.selectedNameFilter())) + 1));
}

bool TrpDesignerForm::SaveAsFile(const QString& file, TrpSaveKind kind) {
  QString target;
  try {
    switch (kind) {
    case TrpSaveKind::Template:
      target = rpWithExtension(file, QStringLiteral(".rpf"));
      report_.SaveToFile(target);
      break;
    case TrpSaveKind::XmlReport:
      target = rpWithExtension(file, QStringLiteral(".rp3"));
      report_.SaveAsXmlFile(target);
      break;
    case TrpSaveKind::NewReportTemplate: {
      const TrpDesigner* designer = TrpDesigner::Instance();
      const QString templateFile = rpTemplateTarget(file, designer ? designer->TemplateDir : QString());
      TrpTemplNewForm details(this);
      if (details.ShowModal() != mrOk) return false;
      report_.WriteTemplateFile(templateFile, details.Comment(), details.Picture());
      SetModified(false);
      return true;
    }
    case TrpSaveKind::Dictionary:
      // The dictionary alone: the report itself stays as modified as it was.
      report_.Dictionary.SaveToFile(rpWithExtension(file, QStringLiteral(".rpd")));
      return true;
    }
  } catch (const Exception& error) {
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
    return false;
  }
  fileName_ = target;
  SetModified(false);
  UpdateCaption();
  return true;
}

void TrpDesignerForm::ShowAbout() {
  TrpAboutForm about(this);
  about.ShowModal();
}

void TrpDesignerForm::InsertDBFields() {
  if (!Page || Page->PageType != 0) return;
  TrpInsertFieldsForm dialog(report_, this);
  if (dialog.ShowModal() != mrOk || dialog.DataSetName().isEmpty() || dialog.SelectedFields().isEmpty()) return;
  TrpInsertFieldsChoice choice;
  choice.DataSet = dialog.DataSetName();
  choice.Horizontal = dialog.HorzRB->isChecked();
  choice.Headers = dialog.HeaderCB->isChecked();
  choice.Bands = dialog.BandCB->isChecked();
  choice.BandDataSource = PublishedDataSetName(report_, dialog.DataSet());
  for (const QString& listed : dialog.SelectedFields()) {
    TrpFieldToInsert field{listed, 0, listed};
    const QString name = report_.Dictionary.FieldOfAlias(choice.DataSet + QLatin1Char('.') + listed);
    const QString fieldName = name.isEmpty() ? listed : name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
    if (const TField* found = dialog.DataSet() ? dialog.DataSet()->FindField(fieldName) : nullptr) {
      field.DisplayWidth = found->DisplayWidth();
      field.DisplayName = found->DisplayLabel();
    }
    choice.Fields << field;
  }
  const TrpInsertDefaults& defaults = rpInsertDefaults();
  const auto textWidth = [&defaults](const QString& text, bool bold) {
    QFont font(defaults.FontName);
    font.setPointSize(defaults.FontSize);
    font.setBold(bold);
    return QFontMetrics(font).horizontalAdvance(text);
  };
  selection_.Clear();
  rpInsertFieldObjects(*Page, choice, settings_.GridSize, defaults, textWidth);
  selection_.SetSingleSelected(selection_.Count() == 1 ? selection_.LastSelected() : nullptr);
  selection_.ComputeMultipleSelection();
  FollowSelection();
  RedrawPage();
  RecordStep(TrpUndoAction::Insert);
}
