#include "util/RtRegistry.h"
#include "util/RtErrors.h"

namespace {

void WriteExisting(TRegRoot root, const QString& key, const QString& name, const TRegValue& value) {
  if (!TRegistry::Root(root).WriteValue(key, name, value)) throw ERtRegistryError(key, true);
}

} // namespace

int RegistrySetDefaultValue(TRegRoot root, const QString& key, const QString& text) {
  return TRegistry::Root(root).WriteValue(key, QString(), TRegValue::String(text), true) ? kRegistrySuccess
                                                                                         : kRegistryAccessDenied;
}

quint32 RegistryReadDword(TRegRoot root, const QString& key, const QString& name, quint32 defaultValue) {
  const std::optional<TRegValue> value = TRegistry::Root(root).ReadValue(key, name);
  return value && value->Type == TRegValueType::Dword ? value->Dword : defaultValue;
}

QString RegistryReadString(TRegRoot root, const QString& key, const QString& name, const QString& defaultValue) {
  const std::optional<TRegValue> value = TRegistry::Root(root).ReadValue(key, name);
  if (!value || value->Type == TRegValueType::Dword) return defaultValue;
  const qsizetype nul = value->Text.indexOf(QChar(0));
  return nul < 0 ? value->Text : value->Text.left(nul);
}

void RegistryWriteDword(TRegRoot root, const QString& key, const QString& name, quint32 value) {
  WriteExisting(root, key, name, TRegValue::FromDword(value));
}

void RegistryWriteString(TRegRoot root, const QString& key, const QString& name, const QString& value) {
  WriteExisting(root, key, name, TRegValue::String(value));
}

bool RegistrySubKeyNames(TRegRoot root, const QString& key, QStringList& names) {
  names.clear();
  const std::optional<QStringList> found = TRegistry::Root(root).SubKeyNames(key);
  if (!found) throw ERtRegistryError(key, false);
  names = *found;
  return true;
}

bool RegistryKeyExists(TRegRoot root, const QString& key) { return TRegistry::Root(root).KeyExists(key); }
