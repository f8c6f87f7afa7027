#include "reports/engine/rpDesignerTools.h"

namespace {

QList<TrpToolsInfo>& DesignerToolRegistry() {
  static QList<TrpToolsInfo> tools;
  return tools;
}

} // namespace

void rpRegisterTool(const QString& caption, const QImage& bitmap, std::function<void()> onClick) {
  DesignerToolRegistry().append({caption, bitmap, std::move(onClick)});
}

const QList<TrpToolsInfo>& rpDesignerTools() { return DesignerToolRegistry(); }

void rpClearDesignerTools() { DesignerToolRegistry().clear(); }
