#include "reports/designer/rpGroupEditorForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QVBoxLayout>

TrpGroupEditorForm::TrpGroupEditorForm(QWidget* parent) : TrpObjEditorForm(parent) {
  SetCaption(rpLoadStr(53490));
  auto* group = new QGroupBox(rpLoadStr(53491), this);
  ConditionE = new TrpComboEdit(group);
  ConditionE->SetButtonHint(rpLoadStr(53492));
  connect(ConditionE, &TrpComboEdit::ButtonClicked, this, [this] {
    if (const QString expression = rpInsertExpression(); !expression.isEmpty()) ConditionE->setEditText(expression);
  });
  (new QVBoxLayout(group))->addWidget(ConditionE);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(rpOkCancelRow(this));
  resize(360, sizeHint().height());
}

int TrpGroupEditorForm::ShowEditor(TrpView* object) {
  auto* band = dynamic_cast<TrpBandView*>(object);
  if (!band) return mrCancel;
  ConditionE->setEditText(band->DisplayFormatText);
  ConditionE->setFocus();
  const int result = ShowModal();
  if (result != mrOk) return result;
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  band->DisplayFormatText = ConditionE->currentText();
  return result;
}
