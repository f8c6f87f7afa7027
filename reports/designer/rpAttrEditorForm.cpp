#include "reports/designer/rpAttrEditorForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/engine/ui/rpComboEdit.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpAttrEditorForm::TrpAttrEditorForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53740));
  TagEdit = new TrpComboEdit(this);
  TagEdit->SetButtonHint(rpLoadStr(53575));
  connect(TagEdit, &TrpComboEdit::ButtonClicked, this, [this] {
    if (const QString expression = rpInsertExpression(); !expression.isEmpty()) TagEdit->lineEdit()->insert(expression);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(TagEdit);
  layout->addLayout(rpOkCancelRow(this));
  resize(360, sizeHint().height());
}

int TrpAttrEditorForm::EditTag(TrpView* object) {
  TrpReportDesigner* designer = rpCurrentDesigner();
  if (!object && designer && !designer->SelectedObjects().isEmpty()) object = designer->SelectedObjects().last();
  if (!object || object->Restrictions & rrContents) return 0;
  TrpAttrEditorForm form;
  form.TagEdit->setEditText(object->Tag);
  const int result = form.ShowModal();
  if (result != mrOk) return result;
  if (designer) designer->BeforeChange();
  object->Tag = form.TagEdit->currentText();
  if (designer) designer->AfterChange();
  return result;
}
