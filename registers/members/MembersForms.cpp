#include "registers/members/MembersForms.h"
#include "app/FormRegistry.h"
#include "registers/members/fCClenenieClenov.h"
#include "registers/members/fCClenov.h"
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
  FormRegistry::RegisterForm(QStringLiteral("TfrmCClenenieClenov"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmCClenenieClenov(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmCClenov"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmCClenov(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmCTypyBrigad"), [](QWidget* owner, const TFormArgs& args) {
    return new TfrmCTypyBrigad(owner, args.Rok);
  });
  FormRegistry::RegisterForm(QStringLiteral("TfrmEBrigady"), [](QWidget* owner, const TFormArgs& args) {
    auto* form = new TfrmEBrigady(owner);
    if (args.Rok) form->Rok = args.Rok;
    return form;
  });
  FormRegistry::RegisterForm(QStringLiteral("TfrmCClenovRS"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmCClenovRS(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmERS"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmERS(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmEPredmety"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmEPredmety(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmEVyznamenania"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmEVyznamenania(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmEPriestupky"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmEPriestupky(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmEPosta"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmEPosta(owner); });
  // The member card opens the records of its member.
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnBrigady"), &TfrmEBrigady::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnBrigadyMinulyRok"), &TfrmEBrigady::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPredmety"), &TfrmEPredmety::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnVyznamenania"), &TfrmEVyznamenania::OpenForMember);
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPriestupky"), &TfrmEPriestupky::OpenForMember);
}
