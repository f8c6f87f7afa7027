#include "reports/objects/rpObjectUtils.h"
#include "core/DataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpView.h"

void rpSetScriptConstant(const char* name, int value) {
  rpConsts().SetVariable(QLatin1String(name), rpIntegerValue(value));
}

void rpXmlDataFieldAttributes(QString& element, const QString& reference) {
  TDataSet* dataSet = nullptr;
  QString field;
  rpGetDataSetAndField(rpRun().CurrentReport, reference, dataSet, field);
  if (!dataSet || field.isEmpty()) return;
  const QString owner = dataSet->parent() ? dataSet->parent()->objectName() : QString();
  rpXmlAttribute(element, QStringLiteral("DataSet"), owner + QLatin1Char('.') + dataSet->objectName());
  rpXmlAttribute(element, QStringLiteral("DataField"), field);
}
