#include "reports/designer/rpRestrictionsForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TrpRestrictionsForm::TrpRestrictionsForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53260));
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 7; ++i) {
    Boxes.append(new QCheckBox(rpLoadStr(53261 + i), this));
    layout->addWidget(Boxes.last());
  }
  layout->addLayout(rpOkCancelRow(this));
}

quint16 TrpRestrictionsForm::Restrictions() const {
  quint16 sum = 0;
  for (int i = 0; i < Boxes.size(); ++i)
    if (Boxes[i]->isChecked()) sum |= quint16(1 << i);
  return sum;
}

void TrpRestrictionsForm::SetRestrictions(quint16 restrictions) {
  for (int i = 0; i < Boxes.size(); ++i)
    Boxes[i]->setChecked(restrictions & (1 << i));
}

int TrpRestrictionsForm::EditSelection(TrpReportDesigner& designer) {
  const QList<TrpView*> selected = designer.SelectedObjects();
  if (selected.isEmpty()) return mrCancel;
  TrpRestrictionsForm form;
  form.SetRestrictions(selected.last()->Restrictions);
  const int result = form.ShowModal();
  if (result != mrOk) return result;
  designer.BeforeChange();
  for (TrpView* object : selected)
    object->Restrictions = form.Restrictions();
  designer.AfterChange();
  return result;
}
