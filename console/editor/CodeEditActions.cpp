#include "console/editor/CodeEditActions.h"
#include "console/editor/CodeEdit.h"
#include <QtWidgets/QApplication>

namespace {

QString Caption(TEditActionKind kind) {
  switch (kind) {
  case TEditActionKind::Cut:
    return QStringLiteral("Vys&trihnúť");
  case TEditActionKind::Copy:
    return QStringLiteral("&Kopírovať");
  case TEditActionKind::Paste:
    return QStringLiteral("&Prilepiť");
  case TEditActionKind::Delete:
    return QStringLiteral("&Odstrániť");
  case TEditActionKind::Undo:
    return QStringLiteral("&Späť");
  case TEditActionKind::SelectAll:
    return QStringLiteral("Vybrať &všetko");
  }
  return {};
}

} // namespace

TEditAction::TEditAction(TEditActionKind kind, QObject* parent) : QAction(Caption(kind), parent), kind_(kind) {
  connect(this, &QAction::triggered, this, &TEditAction::Execute);
  connect(qApp, &QApplication::focusChanged, this, &TEditAction::Update);
}

TCustomCodeEdit* TEditAction::FocusedEditor() {
  for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
    if (auto* editor = qobject_cast<TCustomCodeEdit*>(widget)) return editor;
  return nullptr;
}

bool TEditAction::Execute() {
  TCustomCodeEdit* editor = FocusedEditor();
  return editor && editor->ExecuteAction(*this);
}

bool TEditAction::Update() {
  TCustomCodeEdit* editor = FocusedEditor();
  return editor && editor->UpdateAction(*this);
}
