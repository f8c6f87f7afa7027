// The designer window's data dictionary command.
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDictForm.h"

void TrpDesignerForm::EditDictionary() {
  TrpDictForm form(report_, this);
  if (form.ShowModal() != mrOk) return;
  // The fields window lists what the dictionary offers.
  if (fieldsWindow_) fieldsWindow_->RefreshData();
  SetModified(true);
}
