#include "app/AdminForms.h"
#include "app/FormRegistry.h"
#include "app/fInfo.h"
#include "app/fNNastavenia.h"
#include "app/fSPrevodRoka.h"
#include "app/fZalohovanie.h"

void RegisterAdministrationForms() {
  FormRegistry::RegisterForm(QStringLiteral("TfrmNNastavenia"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmNNastavenia(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmZalohovanie"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmZalohovanie(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmSPrevodRoka"),
                             [](QWidget* owner, const TFormArgs&) { return new TfrmSPrevodRoka(owner); });
  FormRegistry::RegisterForm(QStringLiteral("TfrmInfo"), [](QWidget* owner, const TFormArgs& args) {
    auto* form = new TfrmInfo(owner);
    form->DatumCas = args.DatumCas;
    return form;
  });
}
