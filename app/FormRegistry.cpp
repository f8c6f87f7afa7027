#include "app/FormRegistry.h"
#include <QtCore/QHash>

namespace {
QHash<QString, TFormFactory>& Factories() {
  static QHash<QString, TFormFactory> factories;
  return factories;
}
QHash<QString, TFormAction>& Actions() {
  static QHash<QString, TFormAction> actions;
  return actions;
}
TComboPicker& InstalledPicker() {
  static TComboPicker picker;
  return picker;
}
} // namespace

namespace FormRegistry {

void RegisterForm(const QString& name, TFormFactory factory) { Factories().insert(name, std::move(factory)); }
void RegisterAction(const QString& name, TFormAction action) { Actions().insert(name, std::move(action)); }

void Unregister(const QString& name) {
  Factories().remove(name);
  Actions().remove(name);
}

bool IsRegistered(const QString& name) { return Factories().contains(name) || Actions().contains(name); }
TFormFactory Factory(const QString& name) { return Factories().value(name); }
TFormAction Action(const QString& name) { return Actions().value(name); }

void SetPicker(TComboPicker picker) { InstalledPicker() = std::move(picker); }
bool Pick(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton) {
  return InstalledPicker() && InstalledPicker()(combo, formName, pickerButton);
}

} // namespace FormRegistry
