#pragma once
#include <QtCore/QString>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
