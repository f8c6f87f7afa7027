// Scripts of templates: compiled, and run when they compile, under a small
// step limit. Every failure must be a compile message or an engine exception.
#include "core/Exception.h"
#include "reports/engine/rpInterpretator.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QHash>
#include <cstddef>
#include <cstdint>

namespace {

class FuzzInterpreter : public TrpInterpretator {
public:
  QHash<QString, QVariant> vars;
  void GetValue(const QString& name, QVariant& value) override {
    value = vars.value(name.toUpper(), rpIntegerValue(1));
  }
  void SetValue(const QString& name, const QVariant& value) override {
    if (vars.size() < 1000) vars.insert(name.toUpper(), value);
  }
  void DoFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3,
                  QVariant& val) override {
    val = rpAdd(Parser().Calc(p1), Parser().Calc(p2));
    if (name == QLatin1String("SETARRAY")) SetValue(p1 + p2, Parser().Calc(p3));
  }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList source =
      QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QLatin1Char('\n'));
  FuzzInterpreter interpreter;
  interpreter.SetMaxSteps(2000);
  QStringList code, errors;
  interpreter.PrepareScript(source, code, errors);
  if (!errors.isEmpty()) return 0;
  try {
    interpreter.DoScript(code);
  } catch (const Exception&) {
  }
  return 0;
}
