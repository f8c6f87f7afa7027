#include "reports/objects/dialog/RegisterDialogObjects.h"
#include "db/IBDatabase.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "core/ui/Form.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDialogEditors.h"
#include "reports/objects/dialog/rpFBDatabase.h"
#include "reports/objects/dialog/rpFBQuery.h"
#include "reports/objects/dialog/rpFBTable.h"
#include "reports/objects/dialog/rpLoginForm.h"

void RegisterDialogObjects() {
  // Bands name the report's own data sets "DialogForm._Name".
  rpAddGlobalComponent(rpDialogForm());
  TIBDatabase::SetLoginHandler(&TrpLoginForm::Ask);
  rpAddControlClass(QStringLiteral("TrpFBDatabase"), [] { return new TrpFBDatabase; }, rpDialogIcon("RP_FBDBCONTROL"),
                    QStringLiteral("55470"));
  rpAddControlClass(QStringLiteral("TrpFBTable"), [] { return new TrpFBTable; }, rpDialogIcon("RP_FBTABLECONTROL"),
                    QStringLiteral("55471"));
  rpAddControlClass(QStringLiteral("TrpFBQuery"), [] { return new TrpFBQuery; }, rpDialogIcon("RP_FBQUERYCONTROL"),
                    QStringLiteral("55472"));
}
