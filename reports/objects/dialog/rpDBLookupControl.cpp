#include "reports/objects/dialog/rpDBLookupControl.h"
#include "core/DataSource.h"
#include "core/ui/Form.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/dialog/rpDBUtils.h"
#include "reports/objects/dialog/rpLookupComboBox.h"

TrpDBLookupControl::TrpDBLookupControl() : TrpStdControl(new TrpLookupComboBox) {
  SetKind(10, QStringLiteral("DBLookupComboBox"), QStringLiteral("TrpDBLookupControl"));
  SetColor(clWindow);
  SetBounds(Left, Top, 145, 21);
  QObject::connect(Box(), &QComboBox::activated, Box(), [this] { ControlClick(); });
}

TrpLookupComboBox* TrpDBLookupControl::Box() const { return static_cast<TrpLookupComboBox*>(Control()); }

void TrpDBLookupControl::BindListSource(const QString& name) {
  QObject* found = name.isEmpty() ? nullptr : rpFindComponent(rpDialogForm(), name);
  auto* dataSet = qobject_cast<TDataSet*>(found);
  if (found && !dataSet) throw Exception(QStringLiteral("Komponent %1 nie je dataset.").arg(name));
  Box()->SetListSource(rpFindDataSource(rpDialogForm(), dataSet));
}

void TrpDBLookupControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("TEXT")) {
    Box()->SetKeyValue(value);
  } else if (n == QLatin1String("KEYFIELD")) {
    Box()->KeyField = rpValueToText(value);
    Box()->Refill();
  } else if (n == QLatin1String("LISTFIELD")) {
    Box()->ListField = rpValueToText(value);
    Box()->Refill();
  } else if (n == QLatin1String("LISTSOURCE")) {
    BindListSource(rpValueToText(value));
  }
}

QVariant TrpDBLookupControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (n == QLatin1String("TEXT")) return Box()->KeyValue();
  if (n == QLatin1String("KEYFIELD")) return Box()->KeyField;
  if (n == QLatin1String("LISTFIELD")) return Box()->ListField;
  if (n == QLatin1String("LISTSOURCE")) return rpDataSetNameOf(rpDialogForm(), Box()->ListSource());
  return inherited;
}

void TrpDBLookupControl::ListProperties() {
  TrpStdControl::ListProperties();
  QStringList fields;
  if (TDataSource* source = Box()->ListSource()) rpGetFieldNames(source->DataSet(), fields);
  const QVariant values = QVariantList(fields.begin(), fields.end());
  AddEnumPropertyRec(QStringLiteral("KeyField"), fields.join(QLatin1Char(';')), values);
  AddEnumPropertyRec(QStringLiteral("ListField"), fields.join(QLatin1Char(';')), values);
  const QStringList sets = rpComponentNames(rpDialogForm(), TDataSet::staticMetaObject);
  AddEnumPropertyRec(QStringLiteral("ListSource"), sets.join(QLatin1Char(';')), QVariantList(sets.begin(), sets.end()));
  AddPropertyRec(QStringLiteral("Text"), 0);
}

void TrpDBLookupControl::AfterLoad() {
  // A list data set later in the template exists by now.
  WriteProperty(QStringLiteral("ListSource"), ListSourceName);
  TrpStdControl::AfterLoad();
}

void TrpDBLookupControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  ListSourceName = rpReadReportString(stream);
  WriteProperty(QStringLiteral("ListSource"), ListSourceName);
  WriteProperty(QStringLiteral("KeyField"), rpReadReportString(stream));
  WriteProperty(QStringLiteral("ListField"), rpReadReportString(stream));
}

void TrpDBLookupControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteString(stream, rpValueToText(ReadProperty(QStringLiteral("LISTSOURCE"))));
  rpWriteString(stream, Box()->KeyField);
  rpWriteString(stream, Box()->ListField);
}
