#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <optional>

// Sets an environment variable for the object's lifetime, or unsets it with a
// null value, and then restores the previous value (unsetting it again when
// it was unset), so that no test leaves its environment to the tests after it.
class TScopedEnvironment {
public:
  TScopedEnvironment(const char* name, const std::optional<QString>& value);
  ~TScopedEnvironment();
  TScopedEnvironment(const TScopedEnvironment&) = delete;
  TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
  const char* name_;
  std::optional<QByteArray> previous_;
};
