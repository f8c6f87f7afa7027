#include "reports/designer/rpDesignerEditors.h"
#include "reports/designer/rpEditorForm.h"
#include "reports/designer/rpEditorForm1.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpView.h"

std::unique_ptr<TrpObjEditorForm> rpCreateTextEditor(bool syntaxHighlight, QWidget* owner) {
  if (syntaxHighlight) return std::make_unique<TrpEditorForm>(owner);
  return std::make_unique<TrpEditorForm1>(owner);
}

void rpConnectTextEditor(TrpObjEditorForm* editor) {
  if (!rpEngineStarted()) return;
  if (!editor) {
    rpGlobals().ScriptEditor = nullptr;
    return;
  }
  rpGlobals().ScriptEditor = [editor](TrpView& object) { editor->ShowEditor(&object); };
}
