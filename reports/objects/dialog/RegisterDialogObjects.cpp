#include "reports/objects/dialog/RegisterDialogObjects.h"
#include "core/ui/Form.h"
#include "db/IBDatabase.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDBLookupControl.h"
#include "reports/objects/dialog/rpDialogControls.h"
#include "reports/objects/dialog/rpDialogEditors.h"
#include "reports/objects/dialog/rpFBDatabase.h"
#include "reports/objects/dialog/rpFBQuery.h"
#include "reports/objects/dialog/rpFBTable.h"
#include "reports/objects/dialog/rpLoginForm.h"

namespace {

template <class T> void AddControl(const char* className, const char* bitmap, int hint) {
  rpAddControlClass(
      QLatin1String(className), [] { return new T; }, rpDialogIcon(bitmap), QString::number(hint));
}

} // namespace

void RegisterDialogObjects() {
  // Bands name the report's own data sets "DialogForm._Name".
  rpAddGlobalComponent(rpDialogForm());
  TIBDatabase::SetLoginHandler(&TrpLoginForm::Ask);
  AddControl<TrpFBDatabase>("TrpFBDatabase", "RP_FBDBCONTROL", 55470);
  AddControl<TrpFBTable>("TrpFBTable", "RP_FBTABLECONTROL", 55471);
  AddControl<TrpFBQuery>("TrpFBQuery", "RP_FBQUERYCONTROL", 55472);
  AddControl<TrpLabelControl>("TrpLabelControl", "RP_LABELCONTROL", 55450);
  AddControl<TrpEditControl>("TrpEditControl", "RP_EDITCONTROL", 55451);
  AddControl<TrpMemoControl>("TrpMemoControl", "RP_MEMOCONTROL", 55452);
  AddControl<TrpButtonControl>("TrpButtonControl", "RP_BUTTONCONTROL", 55453);
  AddControl<TrpCheckBoxControl>("TrpCheckBoxControl", "RP_CHECKBOXCONTROL", 55454);
  AddControl<TrpRadioButtonControl>("TrpRadioButtonControl", "RP_RADIOBUTTONCONTROL", 55455);
  AddControl<TrpListBoxControl>("TrpListBoxControl", "RP_LISTBOXCONTROL", 55456);
  AddControl<TrpComboBoxControl>("TrpComboBoxControl", "RP_COMBOBOXCONTROL", 55457);
  AddControl<TrpDateEditControl>("TrpDateEditControl", "RP_DATEEDITCONTROL", 55458);
  AddControl<TrpDBLookupControl>("TrpDBLookupControl", "RP_DBLOOKUPCONTROL", 55473);
}
