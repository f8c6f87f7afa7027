#pragma once
#include <QtCore/QString>

// The display texts of the editor library.
namespace CodeEditStrings {

inline QString ShortcutAlreadyExists() { return QStringLiteral("Shortcut already exists"); }

} // namespace CodeEditStrings
