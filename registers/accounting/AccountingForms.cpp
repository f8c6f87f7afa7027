#include "registers/accounting/AccountingForms.h"
#include "app/FormRegistry.h"
#include "registers/accounting/fCDruhyDokladov.h"
#include "registers/accounting/fCPartneri.h"
#include "registers/accounting/fEFaktury.h"
#include "registers/accounting/fEPokladna.h"
#include "registers/accounting/fESaldokonto.h"
#include "registers/members/fCClenovPridaj.h"

void RegisterAccountingForms() {
  FormRegistry::RegisterYearForm<TfrmCDruhyDokladov>(QStringLiteral("TfrmCDruhyDokladov"));
  FormRegistry::RegisterYearForm<TfrmCPartneri>(QStringLiteral("TfrmCPartneri"));
  FormRegistry::RegisterForm(QStringLiteral("TfrmEPokladna"), [](QWidget* owner, const TFormArgs& args) {
    return new TfrmEPokladna(owner, args.Rok, args.Typ);
  });
  FormRegistry::RegisterForm(QStringLiteral("TfrmEFaktury"), [](QWidget* owner, const TFormArgs& args) {
    return new TfrmEFaktury(owner, args.Rok, args.TypOd, args.TypDo);
  });
  FormRegistry::RegisterYearForm<TfrmESaldokonto>(QStringLiteral("TfrmESaldokonto"));
  // The member card opens the member's cash movements.
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPokladna"), &TfrmEPokladna::OpenForMember);
}
