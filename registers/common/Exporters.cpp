#include "registers/common/Exporters.h"
#include <QtCore/QHash>

namespace {
QHash<QString, TExporter>& Registered() {
  static QHash<QString, TExporter> exporters;
  return exporters;
}
} // namespace

namespace Exporters {
void Register(const QString& name, TExporter exporter) { Registered().insert(name, std::move(exporter)); }
void Unregister(const QString& name) { Registered().remove(name); }
TExporter Find(const QString& name) { return Registered().value(name); }
} // namespace Exporters
