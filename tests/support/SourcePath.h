#pragma once
#include <QtCore/QString>

// The path of a file in the source tree, for fixtures. CTest passes the tree's
// root in VIMEK_SOURCE_DIR, so the compiled tests carry no absolute path of
// the checkout they were built from (and compiled objects stay shareable
// between checkouts).
inline QString SourcePath(const QString& relative) {
  return qEnvironmentVariable("VIMEK_SOURCE_DIR", QStringLiteral(".")) + QLatin1Char('/') + relative;
}
