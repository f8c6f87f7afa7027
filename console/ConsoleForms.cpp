#include "console/ConsoleForms.h"
#include "app/FormRegistry.h"
#include "console/fServis.h"

void RegisterConsoleForms() { FormRegistry::RegisterOwnedForm<TfrmServis>(QStringLiteral("TfrmServis")); }
