#include "reports/designer/rpDesigner.h"
#include "core/Exception.h"

namespace {
TrpDesigner* theDesignerComponent = nullptr;
}

TrpDesigner::TrpDesigner(QObject* owner) : QObject(owner) {
  if (theDesignerComponent) throw Exception(QStringLiteral("You already have one TrpDesigner component"));
  theDesignerComponent = this;
}

TrpDesigner::~TrpDesigner() {
  if (theDesignerComponent == this) theDesignerComponent = nullptr;
}

TrpDesigner* TrpDesigner::Instance() { return theDesignerComponent; }

bool rpDesignerAsksToSave(bool modified, bool editingTemplate, const TrpDesigner* designer) {
  return modified && editingTemplate && (!designer || designer->CloseQuery);
}
