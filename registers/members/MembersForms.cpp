#include "registers/members/MembersForms.h"
#include "app/AbandonedRows.h"
#include "app/FormRegistry.h"
#include "registers/members/fCClenenieClenov.h"
#include "registers/members/fCClenov.h"
#include "registers/members/fCClenovPreruseneRoky.h"
#include "registers/members/fCClenovPridaj.h"
#include "registers/members/fCClenovRS.h"
#include "registers/members/fCTypyBrigad.h"
#include "registers/members/fEBrigady.h"
#include "registers/members/fEPosta.h"
#include "registers/members/fEPredmety.h"
#include "registers/members/fEPriestupky.h"
#include "registers/members/fERS.h"
#include "registers/members/fEVyznamenania.h"

void RegisterMembersForms() {
  // A member card and an inspection write their row when an add opens.
  RegisterAbandonedRows(QStringLiteral("c_clenov"), QStringLiteral("priezvisko is null and meno is null"));
  RegisterAbandonedRows(QStringLiteral("e_rs"), QStringLiteral("rok is null"));
  FormRegistry::RegisterYearForm<TfrmCClenenieClenov>(QStringLiteral("TfrmCClenenieClenov"));
  FormRegistry::RegisterYearForm<TfrmCClenov>(QStringLiteral("TfrmCClenov"));
  FormRegistry::RegisterYearForm<TfrmCTypyBrigad>(QStringLiteral("TfrmCTypyBrigad"));
  FormRegistry::RegisterYearForm<TfrmEBrigady>(QStringLiteral("TfrmEBrigady"));
  FormRegistry::RegisterYearForm<TfrmCClenovRS>(QStringLiteral("TfrmCClenovRS"));
  FormRegistry::RegisterYearForm<TfrmERS>(QStringLiteral("TfrmERS"));
  FormRegistry::RegisterYearForm<TfrmEPredmety>(QStringLiteral("TfrmEPredmety"));
  FormRegistry::RegisterYearForm<TfrmEVyznamenania>(QStringLiteral("TfrmEVyznamenania"));
  FormRegistry::RegisterYearForm<TfrmEPriestupky>(QStringLiteral("TfrmEPriestupky"));
  FormRegistry::RegisterYearForm<TfrmEPosta>(QStringLiteral("TfrmEPosta"));
  // The member card opens the records of its member.
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnBrigady"), &TfrmEBrigady::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnBrigadyMinulyRok"), &TfrmEBrigady::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPredmety"), &TfrmEPredmety::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnVyznamenania"), &TfrmEVyznamenania::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPriestupky"), &TfrmEPriestupky::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPreruseneClenstvo"),
                                       &TfrmCClenovPreruseneRoky::OpenForMember);
}
