#include "app/AdminForms.h"
#include "app/FormRegistry.h"
#include "app/fInfo.h"
#include "app/fNNastavenia.h"
#include "app/fSPrevodRoka.h"
#include "app/fZalohovanie.h"

void RegisterAdministrationForms() {
  FormRegistry::RegisterOwnedForm<TfrmNNastavenia>(QStringLiteral("TfrmNNastavenia"));
  FormRegistry::RegisterOwnedForm<TfrmZalohovanie>(QStringLiteral("TfrmZalohovanie"));
  FormRegistry::RegisterForm(QStringLiteral("TfrmSPrevodRoka"), [](QWidget* owner, const TFormArgs& args) {
    return new TfrmSPrevodRoka(owner, nullptr, args.Rok);
  });
  FormRegistry::RegisterForm(QStringLiteral("TfrmInfo"), [](QWidget* owner, const TFormArgs& args) {
    auto* form = new TfrmInfo(owner);
    form->DatumCas = args.DatumCas;
    return form;
  });
}
