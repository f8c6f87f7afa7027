#pragma once
#include "tests/support/ScopedEnvironment.h"
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>
#include <optional>

// Points XDG_CONFIG_HOME (where the registry stand-in and per-user settings
// live) at a folder for the object's lifetime and then restores it, so that no
// test writes into the user's own configuration or leaves its folder to the
// tests after it.
class TConfigFolder {
public:
  // A temporary folder of its own.
  TConfigFolder();
  // A folder of the caller's (created when missing).
  explicit TConfigFolder(const QString& path);

  const QString& Path() const { return path_; }
  bool IsValid() const { return !path_.isEmpty(); }

private:
  static QString Created(const QString& path);

  std::optional<QTemporaryDir> own_;
  QString path_;
  TScopedEnvironment variable_;
};
