// Expressions of templates: infix text through the conversion and the
// evaluator, raw postfix strings (as stored coded lines hold them) and the
// function splitter. Every failure must be an exception of the engine.
#include "core/Exception.h"
#include "reports/engine/rpFunctionSplitter.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpVariables.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
  TrpParser parser;
  // Names have values and unknown calls evaluate their arguments, so nested
  // evaluation is exercised as the report does it.
  parser.OnGetValue = [](const QString& name, QVariant& value) {
    value = name.size() % 2 ? QVariant(name) : QVariant(1.5);
  };
  parser.OnFunction = [&parser](const QString&, const QString& p1, const QString& p2, const QString&, QVariant& val) {
    val = rpAdd(parser.Calc(p1), parser.Calc(p2));
  };
  TrpVariables variables;
  variables.SetVariable(QStringLiteral("A"), QStringLiteral("SUM([A]) + B"));
  variables.SetVariable(QStringLiteral("B"), QStringLiteral("[A]"));
  try {
    switch (data[0] % 3) {
    case 0:
      parser.Calc(text);
      break;
    case 1:
      parser.CalcPostfix(text);
      break;
    default: {
      QStringList found;
      TrpFunctionSplitter({QStringLiteral("SUM"), QStringLiteral("COUNT")}, found, &variables).Split(text);
    }
    }
  } catch (const Exception&) {
  }
  return 0;
}
