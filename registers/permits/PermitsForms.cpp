#include "registers/permits/PermitsForms.h"
#include "app/FormRegistry.h"
#include "registers/common/Picker.h"
#include "registers/members/fCClenovPridaj.h"
#include "registers/permits/fCCeniny.h"
#include "registers/permits/fCDruhyRyb.h"
#include "registers/permits/fCKrmiv.h"
#include "registers/permits/fCReviryJUX.h"
#include "registers/permits/fCZO.h"
#include "registers/permits/fCZdrojeUhrad.h"
#include "registers/permits/fECeniny.h"
#include "registers/permits/fEKrmenia.h"
#include "registers/permits/fEPovolenky.h"
#include "registers/permits/fEPovolenkyHost.h"
#include "registers/permits/fEPovolenkyVratenie.h"
#include "registers/permits/fEUlovkyKapitalne.h"
#include "registers/permits/fEZarybnovanieZdroj.h"
#include "registers/permits/fPCeninyZostatky.h"
#include "registers/permits/fPUlovkySumarizaciaVyber.h"
#include "registers/permits/fPVlastnaProdukcia.h"

void RegisterPermitsForms() {
  // The settings dialog picks its two organisations from TfrmCZO.
  FormRegistry::SetPicker(&PickFromList);
  FormRegistry::RegisterYearForm<TfrmCZO>(QStringLiteral("TfrmCZO"));
  FormRegistry::RegisterYearForm<TfrmCCeniny>(QStringLiteral("TfrmCCeniny"));
  FormRegistry::RegisterYearForm<TfrmCReviryJUX>(QStringLiteral("TfrmCReviryJUX"));
  FormRegistry::RegisterYearForm<TfrmCDruhyRyb>(QStringLiteral("TfrmCDruhyRyb"));
  FormRegistry::RegisterYearForm<TfrmCKrmiv>(QStringLiteral("TfrmCKrmiv"));
  FormRegistry::RegisterYearForm<TfrmEKrmenia>(QStringLiteral("TfrmEKrmenia"));
  FormRegistry::RegisterYearForm<TfrmCZdrojeUhrad>(QStringLiteral("TfrmCZdrojeUhrad"));
  FormRegistry::RegisterYearForm<TfrmEPovolenky>(QStringLiteral("TfrmEPovolenky"));
  FormRegistry::RegisterYearForm<TfrmEPovolenkyJUX>(QStringLiteral("TfrmEPovolenkyJUX"));
  FormRegistry::RegisterYearForm<TfrmEPovolenkyZO>(QStringLiteral("TfrmEPovolenkyZO"));
  FormRegistry::RegisterYearForm<TfrmEZarybnovanieZdroj>(QStringLiteral("TfrmEZarybnovanieZdroj"));
  FormRegistry::RegisterYearForm<TfrmPVlastnaProdukcia>(QStringLiteral("TfrmPVlastnaProdukcia"));
  FormRegistry::RegisterYearForm<TfrmECeniny>(QStringLiteral("TfrmECeniny"));
  FormRegistry::RegisterYearForm<TfrmPCeninyZostatky>(QStringLiteral("TfrmPCeninyZostatky"));
  FormRegistry::RegisterAction(QStringLiteral("ShowPUlovkySumarizaciaVyber"), [] { ShowPUlovkySumarizaciaVyber(); });
  FormRegistry::RegisterYearForm<TfrmEPovolenkyVratenie>(QStringLiteral("TfrmEPovolenkyVratenie"));
  // The member card opens its member's permits of the working year and of the year before.
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPovolenky"), &TfrmEPovolenkyVratenie::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPovolenkyMinulyRok"), &TfrmEPovolenkyVratenie::OpenForMember);
  FormRegistry::RegisterYearForm<TfrmEUlovkyKapitalne>(QStringLiteral("TfrmEUlovkyKapitalne"));
}
