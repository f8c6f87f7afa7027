#include "reports/objects/dialog/rpFBDataset.h"
#include "core/DataSource.h"
#include "core/ui/Form.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpXmlWriter.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDBUtils.h"
#include "reports/objects/dialog/rpDialogEditors.h"

TrpFBDataset::TrpFBDataset(TIBQuery* dataSet) : dataSet_(dataSet) {
  Flags |= 0x4000;
  dataSet_->setParent(rpDialogForm());
  linkSource_ = new TDataSource(rpDialogForm());
  linkSource_->SetDataSet(dataSet_);
  reportDataSet_ = new TrpDBDataSet(rpDialogForm());
  reportDataSet_->SetDataSource(linkSource_);
}

TrpFBDataset::~TrpFBDataset() {
  delete reportDataSet_.data();
  delete linkSource_.data();
  delete dataSet_.data();
}

void TrpFBDataset::ComponentRenamed() {
  dataSet_->setObjectName(Name);
  linkSource_->setObjectName(QLatin1Char('S') + Name);
  reportDataSet_->setObjectName(QLatin1Char('_') + Name);
}

TDataSet* TrpFBDataset::DataSetNamed(const QString& name) {
  if (name.isEmpty()) return nullptr;
  QObject* found = rpFindComponent(rpDialogForm(), name);
  if (!found) return nullptr;
  auto* dataSet = qobject_cast<TDataSet*>(found);
  if (!dataSet) throw Exception(QStringLiteral("Komponent %1 nie je dataset.").arg(name));
  return dataSet;
}

void TrpFBDataset::WriteProperty(const QString& name, const QVariant& value) {
  TrpNonVisualControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("ACTIVE")) {
    dataSet_->SetActive(rpValueToInteger(value) != 0);
  } else if (n == QLatin1String("DATABASE")) {
    const QString databaseName = rpValueToText(value);
    QObject* found = databaseName.isEmpty() ? nullptr : rpFindComponent(rpDialogForm(), databaseName);
    auto* database = qobject_cast<TIBDatabase*>(found);
    if (found && !database) throw Exception(QStringLiteral("Komponent %1 nie je databáza.").arg(databaseName));
    dataSet_->Close();
    dataSet_->SetDatabase(database);
  } else if (n == QLatin1String("FILTER")) {
    const QString filter = rpValueToText(value);
    dataSet_->SetFilter(filter);
    dataSet_->SetFiltered(!filter.trimmed().isEmpty());
  }
}

QVariant TrpFBDataset::ReadProperty(const QString& name) {
  const QVariant inherited = TrpNonVisualControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (n == QLatin1String("ACTIVE")) return dataSet_->Active();
  if (n == QLatin1String("DATABASE")) return rpDatabaseNameOf(rpDialogForm(), dataSet_->Database());
  if (n == QLatin1String("FILTER")) return dataSet_->Filter();
  if (n == QLatin1String("EOF")) return dataSet_->Eof();
  if (n == QLatin1String("RECORDCOUNT")) return rpIntegerValue(dataSet_->RecordCount());
  if (n == QLatin1String("FIELDCOUNT")) return rpIntegerValue(dataSet_->FieldCount());
  if (n == QLatin1String("ISEMPTY")) return dataSet_->IsEmpty();
  return inherited;
}

QVariant TrpFBDataset::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                  const QVariant& a3) {
  QVariant result = TrpNonVisualControl::CallMethod(run, name, a1, a2, a3);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  if (n == QLatin1String("GETINDEXPROPERTY") &&
      a1.toString().compare(QLatin1String("FIELDS"), Qt::CaseInsensitive) == 0)
    return dataSet_->FieldByName(rpValueToText(a2)).AsVariant();
  if (n == QLatin1String("OPEN"))
    dataSet_->Open();
  else if (n == QLatin1String("CLOSE"))
    dataSet_->Close();
  else if (n == QLatin1String("NEXT"))
    dataSet_->Next();
  else if (n == QLatin1String("PRIOR"))
    dataSet_->Prior();
  else if (n == QLatin1String("FIRST"))
    dataSet_->First();
  else if (n == QLatin1String("LAST"))
    dataSet_->Last();
  // "FETCHALL" needs nothing: an open data set holds all its rows.
  return result;
}

void TrpFBDataset::ListProperties() {
  TrpNonVisualControl::ListProperties();
  AddPropertyRec(QStringLiteral("Active"), ptBoolean);
  const QStringList databases = rpComponentNames(rpDialogForm(), TIBDatabase::staticMetaObject);
  AddEnumPropertyRec(QStringLiteral("Database"), databases.join(QLatin1Char(';')),
                     QVariant(QVariantList(databases.begin(), databases.end())));
  AddPropertyRec(QStringLiteral("Fields"), ptEditor | ptSingleOnly, [this] { EditFields(); });
  for (const char* n : {"FieldCount", "EOF", "RecordCount", "IsEmpty"})
    AddPropertyRec(QLatin1String(n), 0);
  AddPropertyRec(QStringLiteral("Filter"), ptText);
}

void TrpFBDataset::ApplyStored(const QString& name) {
  const QVariant stored = StoredValues.GetVariable(name);
  if (!stored.isNull()) WriteProperty(name, stored);
}

void TrpFBDataset::TryStoredActive() {
  try {
    ApplyStored(QStringLiteral("Active"));
  } catch (const Exception&) {
    // The database or a master may come later in the template; AfterLoad opens it then.
  }
}

void TrpFBDataset::StoreAndWrite(const QString& name, const QString& value) {
  StoredValues.SetVariable(name, value);
  try {
    WriteProperty(name, value);
  } catch (const Exception&) {
    // Bound again once the whole report is loaded.
  }
}

void TrpFBDataset::AfterLoadWithMaster(const QString& masterProperty) {
  try {
    ApplyStored(masterProperty);
  } catch (const Exception&) {
    // The data set then has no master.
  }
  TrpFBDataset::AfterLoad();
}

void TrpFBDataset::AfterLoad() {
  try {
    ApplyStored(QStringLiteral("DataBase"));
    for (int i = 0; i < StoredValues.GetCount(); ++i) {
      const QString name = StoredValues.GetName(i);
      if (!name.startsWith(QLatin1Char('.'))) continue;
      if (TIBPersistentField* field = dataSet_->FindPersistentField(name.mid(1)))
        field->LookupDataSet = DataSetNamed(rpValueToText(StoredValues.GetValue(i)));
    }
    ApplyStored(QStringLiteral("Active"));
  } catch (const Exception&) {
    // Whatever cannot be bound leaves the data set closed; the template stays as it was.
  }
  TrpNonVisualControl::AfterLoad();
}

void TrpFBDataset::WriteXmlElement(QString& element) {
  TrpNonVisualControl::WriteXmlElement(element);
  if (dataSet_->Database()) rpXmlAttribute(element, QStringLiteral("Database"), dataSet_->Database()->objectName());
  rpXmlAttribute(element, QStringLiteral("Filter"), dataSet_->Filter());
}

void TrpFBDataset::EditFields() {
  const bool wasActive = dataSet_->Active();
  dataSet_->Close();
  rpEditFields(*dataSet_);
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->SetModified(true);
  if (wasActive) dataSet_->Open();
}

void TrpFBDataset::WriteFields(TBinaryWriter& stream) {
  const bool wasActive = dataSet_->Active();
  dataSet_->Close();
  const QList<TIBPersistentField>& fields = dataSet_->PersistentFields();
  rpWriteWord(stream, quint16(fields.size()));
  for (const TIBPersistentField& field : fields) {
    rpWriteByte(stream, quint8(field.DataType));
    rpWriteString(stream, field.FieldName);
    rpWriteBoolean(stream, field.Lookup);
    rpWriteWord(stream, quint16(field.Size));
    if (!field.Lookup) continue;
    rpWriteString(stream, field.KeyFields);
    rpWriteString(stream, rpComponentNameOf(dataSet_->parent(), field.LookupDataSet));
    rpWriteString(stream, field.LookupKeyFields);
    rpWriteString(stream, field.LookupResultField);
  }
  if (wasActive) dataSet_->Open();
}

void TrpFBDataset::ReadFields(TBinaryReader& stream) {
  dataSet_->ClearPersistentFields();
  const int count = rpReadWord(stream);
  for (int i = 0; i < count; ++i) {
    TIBPersistentField field;
    field.DataType = IBFieldTypeFromCode(rpReadByte(stream));
    field.FieldName = rpReadReportString(stream);
    field.Lookup = rpReadBoolean(stream);
    field.Size = rpReadWord(stream);
    if (field.Lookup) {
      field.KeyFields = rpReadReportString(stream);
      const QString lookupName = rpReadReportString(stream);
      StoredValues.SetVariable(QLatin1Char('.') + field.FieldName, lookupName);
      try {
        field.LookupDataSet = lookupName.isEmpty() ? nullptr : DataSetNamed(lookupName);
      } catch (const Exception&) {
        // Bound again once the whole report is loaded.
      }
      field.LookupKeyFields = rpReadReportString(stream);
      field.LookupResultField = rpReadReportString(stream);
    }
    dataSet_->AddPersistentField(field);
  }
}
