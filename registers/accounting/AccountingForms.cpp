#include "registers/accounting/AccountingForms.h"
#include "app/FormRegistry.h"
#include "registers/accounting/fCDruhyDokladov.h"
#include "registers/accounting/fCPartneri.h"
#include "registers/accounting/fEPokladna.h"
#include "registers/members/fCClenovPridaj.h"

void RegisterAccountingForms() {
  FormRegistry::RegisterYearForm<TfrmCDruhyDokladov>(QStringLiteral("TfrmCDruhyDokladov"));
  FormRegistry::RegisterYearForm<TfrmCPartneri>(QStringLiteral("TfrmCPartneri"));
  FormRegistry::RegisterForm(QStringLiteral("TfrmEPokladna"), [](QWidget* owner, const TFormArgs& args) {
    return new TfrmEPokladna(owner, args.Rok, args.Typ);
  });
  // The member card opens the member's cash movements.
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPokladna"), &TfrmEPokladna::OpenForMember);
}
