#include "reports/designer/rpExpressionBuilder.h"
#include "reports/designer/rpExprForm.h"
#include "reports/designer/rpFieldsForm.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QPlainTextEdit>

QString rpBracketIfNeeded(const QString& name) {
  const QString upper = name.toUpper();
  const bool plain = std::all_of(upper.begin(), upper.end(), [](QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == QLatin1Char('.') || c == QLatin1Char('_');
  });
  return plain ? name : QLatin1Char('[') + name + QLatin1Char(']');
}

QString& rpLastVariableCategory() {
  static QString category;
  return category;
}

QString& rpLastFieldsDataset() {
  static QString dataSet;
  return dataSet;
}

TrpReport* rpDesignedReport() { return rpEngineStarted() ? dynamic_cast<TrpReport*>(rpRun().CurrentReport) : nullptr; }

QString rpExpressionToInsert(const QString& expression) {
  if (expression.isEmpty()) return {};
  const bool oneName = expression.startsWith(QLatin1Char('[')) && expression.endsWith(QLatin1Char(']')) &&
                       !expression.mid(1).contains(QLatin1Char('['));
  return oneName ? expression : QLatin1Char('[') + expression + QLatin1Char(']');
}

QString rpInsertExpression() {
  TrpExprForm form;
  if (form.ShowModal() != mrOk) return {};
  return rpExpressionToInsert(form.ExprMemo->toPlainText());
}

QString rpInsertDBField() {
  TrpFieldsForm form;
  if (form.ShowModal() != mrOk || form.SelectedField.isEmpty()) return {};
  return QLatin1Char('[') + form.SelectedField + QLatin1Char(']');
}
