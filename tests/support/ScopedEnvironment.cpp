#include "tests/support/ScopedEnvironment.h"
#include <QtCore/QFile>

TScopedEnvironment::TScopedEnvironment(const char* name, const std::optional<QString>& value) : name_(name) {
  if (qEnvironmentVariableIsSet(name)) previous_ = qgetenv(name);
  if (value)
    qputenv(name, QFile::encodeName(*value));
  else
    qunsetenv(name);
}

TScopedEnvironment::~TScopedEnvironment() {
  if (previous_)
    qputenv(name_, *previous_);
  else
    qunsetenv(name_);
}
