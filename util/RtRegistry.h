#pragma once
#include "platform/base/Registry.h"
#include <QtCore/QString>
#include <QtCore/QStringList>

// One-call registry routines over the registry stand-in. Key paths are
// backslash-separated; one leading backslash is ignored.

// Result codes of the routines that return one, as the system gives them.
constexpr int kRegistrySuccess = 0;
constexpr int kRegistryAccessDenied = 5;

// Sets the key's unnamed string value, creating the key; kRegistrySuccess or
// kRegistryAccessDenied when the store cannot be written.
int RegistrySetDefaultValue(TRegRoot root, const QString& key, const QString& text);

// The value when it exists as a DWORD; the default otherwise (missing key,
// missing value, a value of another type).
quint32 RegistryReadDword(TRegRoot root, const QString& key, const QString& name, quint32 defaultValue);

// The value when it exists as a string or an unexpanded string (cut at its
// first NUL); the default otherwise.
QString RegistryReadString(TRegRoot root, const QString& key, const QString& name, const QString& defaultValue);

// Writes into an existing key; ERtRegistryError "... for write" when the key
// does not exist or the write fails.
void RegistryWriteDword(TRegRoot root, const QString& key, const QString& name, quint32 value);
void RegistryWriteString(TRegRoot root, const QString& key, const QString& name, const QString& value);

// Replaces the list's contents with the key's sub-key names; ERtRegistryError
// "... for read" when the key does not exist.
bool RegistrySubKeyNames(TRegRoot root, const QString& key, QStringList& names);

bool RegistryKeyExists(TRegRoot root, const QString& key);
