#include "app/PrintForm.h"

namespace {
TPrintFormFactory& Factory() {
  static TPrintFormFactory factory;
  return factory;
}
} // namespace

void SetPrintFormFactory(TPrintFormFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<IPrintForm> CreatePrintForm() { return Factory() ? Factory()() : nullptr; }

QString ReportStringLiteral(const QString& text) {
  QString doubled = text;
  doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
  return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}
