// The designer window's editors: its text editor, the property editors the
// engine's objects open through it, double click and Enter on the page.
#include "reports/designer/rpDesignerAttributes.h"
#include "reports/designer/rpDesignerEditors.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpInspForm.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/ui/rpComboBox.h"
#include "reports/engine/ui/rpObjEditorForm.h"
#include <QtGui/QKeyEvent>

QString TrpDesignerForm::InsertExpression() { return rpInsertExpression(); }

QString TrpDesignerForm::InsertDBField() { return rpInsertDBField(); }

void TrpDesignerForm::CreateEditors() {
  textEditor_ = rpCreateTextEditor(settings_.SyntaxHighlight, this);
  // The click script of a dialog control is edited as its text and script are.
  for (const char* property : {"Memo", "Script", "OnClick"})
    SetPropertyEditor(QString::fromLatin1(property),
                      [this](TrpObject* object) { OpenTextEditor(dynamic_cast<TrpView*>(object)); });
  SetCommandHandler(QStringLiteral("Edit"), [this] { EditObject(); });
  CreatePropertyEditors();
  CreateBandEditors();
}

void TrpDesignerForm::InstallEditors() {
  if (!rpEngineStarted()) return;
  rpGlobals().DesignerEditor = [this](TrpObject* object, const QString& property) {
    OpenPropertyEditor(object, property);
  };
  rpConnectTextEditor(textEditor_.get());
}

void TrpDesignerForm::RemoveEditors() {
  if (!rpEngineStarted()) return;
  rpGlobals().DesignerEditor = nullptr;
  rpConnectTextEditor(nullptr);
}

void TrpDesignerForm::SetPropertyEditor(const QString& property, std::function<void(TrpObject*)> editor) {
  propertyEditors_.insert(property.toUpper(), std::move(editor));
}

void TrpDesignerForm::OpenPropertyEditor(TrpObject* object, const QString& property) {
  const auto editor = propertyEditors_.value(property.toUpper());
  if (editor) editor(object);
}

void TrpDesignerForm::SetSyntaxHighlight(bool on) {
  if (settings_.SyntaxHighlight == on && textEditor_) return;
  settings_.SyntaxHighlight = on;
  textEditor_ = rpCreateTextEditor(on, this);
  if (rpCurrentDesigner() == this && !firstShow_) rpConnectTextEditor(textEditor_.get());
}

int TrpDesignerForm::OpenTextEditor(TrpView* object) {
  if (!object) object = selection_.LastSelected();
  if (!object || !textEditor_) return mrNone;
  const int result = textEditor_->ShowEditor(object);
  if (result == mrOk) {
    SetModified(true);
    AfterChange();
    RefreshInspector();
  }
  setFocus();
  return result;
}

void TrpDesignerForm::EditObject() {
  TrpView* object = selection_.LastSelected();
  if (!object || (object->Restrictions & rrContents)) return;
  if (auto* subreport = dynamic_cast<TrpSubReportView*>(object)) {
    SetCurrentPage(subreport->SubPage);
    return;
  }
  if (auto* band = dynamic_cast<TrpBandView*>(object))
    EditBand(band);
  else
    object->OpenEditor();
  RedrawPage();
  UpdateStatus();
  RefreshInspector();
  setFocus();
}

void TrpDesignerForm::WorkspaceDoubleClicked(TrpView* object, bool withCtrl) {
  const int count = selection_.Count();
  if (count == 0) {
    if (Page && Page->PageType == 1) {
      const QStringList before = Page->Script;
      Page->EditScript();
      if (Page->Script != before) SetModified(true);
    } else {
      RunCommand(QStringLiteral("PageOptions"));
    }
  } else if (count == 1) {
    if (withCtrl)
      OpenTextEditor(object);
    else
      EditObject();
  }
}

bool TrpDesignerForm::FormKeyDown(QKeyEvent* event) {
  if (event->key() == Qt::Key_F11 && inspector_) {
    inspector_->ShowInspector();
    return true;
  }
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  // Enter in the size and width boxes applies the box, not an editor.
  const QWidget* focus = focusWidget();
  const auto inBox = [focus](const QWidget* box) { return focus && (focus == box || box->isAncestorOf(focus)); };
  if (enter && (inBox(fontSize_) || inBox(frameWidth_))) {
    UseAttribute(inBox(fontSize_) ? rpAttributeTag::FontSize : rpAttributeTag::FrameWidth);
    return true;
  }
  if (!enter || selection_.Count() != 1) return EditingKey(event);
  if (event->modifiers() & Qt::ControlModifier)
    OpenTextEditor();
  else
    EditObject();
  return true;
}
