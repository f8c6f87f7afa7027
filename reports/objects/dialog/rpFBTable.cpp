#include "reports/objects/dialog/rpFBTable.h"
#include "core/DataSource.h"
#include "core/ui/Form.h"
#include "db/IBMetadata.h"
#include "db/IBTable.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDBUtils.h"
#include "reports/objects/dialog/rpDialogEditors.h"

TrpFBTable::TrpFBTable() : TrpFBDataset(new TIBTable) {
  SetKind(10, QStringLiteral("Table"), QStringLiteral("TrpFBTable"));
  IconBitmap = rpDialogIcon("RP_FBTABLE");
}

TIBTable* TrpFBTable::Table() const { return static_cast<TIBTable*>(WrappedDataSet()); }

void TrpFBTable::WriteProperty(const QString& name, const QVariant& value) {
  TrpFBDataset::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("INDEXNAME"))
    Table()->SetIndexName(rpValueToText(value));
  else if (n == QLatin1String("INDEXFIELDNAMES"))
    Table()->SetIndexFieldNames(rpValueToText(value));
  else if (n == QLatin1String("TABLENAME"))
    Table()->SetTableName(rpValueToText(value));
  else if (n == QLatin1String("MASTERFIELDS"))
    Table()->SetMasterFields(rpValueToText(value));
  else if (n == QLatin1String("MASTERSOURCE"))
    Table()->SetMasterSource(rpFindDataSource(rpDialogForm(), DataSetNamed(rpValueToText(value))));
}

QVariant TrpFBTable::ReadProperty(const QString& name) {
  const QVariant inherited = TrpFBDataset::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (n == QLatin1String("INDEXNAME")) return Table()->IndexName();
  if (n == QLatin1String("INDEXFIELDNAMES")) return Table()->IndexFieldNames();
  if (n == QLatin1String("TABLENAME")) return Table()->TableName();
  if (n == QLatin1String("MASTERFIELDS")) return Table()->MasterFields();
  if (n == QLatin1String("MASTERSOURCE")) return rpDataSetNameOf(rpDialogForm(), Table()->MasterSource());
  return inherited;
}

namespace {

// Names as an enumerated property's names and values.
void AddNameChoice(TrpObject& object, const QString& property, const QStringList& names) {
  object.AddEnumPropertyRec(property, names.join(QLatin1Char(';')), QVariant(QVariantList(names.begin(), names.end())));
}

} // namespace

void TrpFBTable::ListProperties() {
  TrpFBDataset::ListProperties();
  TIBTable& table = *Table();
  QStringList indexes, indexFields, tables;
  if (!table.TableName().isEmpty()) {
    try {
      for (const TIBIndexDef& index : table.IndexDefs())
        indexes.append(index.Name);
      indexFields = table.IndexFields();
    } catch (const Exception&) {
      // No choices while the database cannot say.
    }
  }
  AddNameChoice(*this, QStringLiteral("IndexName"), indexes);
  AddNameChoice(*this, QStringLiteral("IndexFieldNames"), indexFields);
  AddPropertyRec(QStringLiteral("MasterFields"), ptEditor | ptSingleOnly, [this] { EditMasterFields(); });
  AddNameChoice(*this, QStringLiteral("MasterSource"),
                rpComponentNames(rpDialogForm(), TDataSet::staticMetaObject, &table));
  if (TIBDatabase* database = table.Database()) {
    if (!database->Connected()) database->Open();
    tables = IBTableNames(*database);
  }
  AddNameChoice(*this, QStringLiteral("TableName"), tables);
}

void TrpFBTable::AfterLoad() { AfterLoadWithMaster(QStringLiteral("MasterSource")); }

void TrpFBTable::LoadFromStream(TBinaryReader& stream) {
  TrpFBDataset::LoadFromStream(stream);
  StoredValues.Clear();
  TIBTable& table = *Table();
  StoreAndWrite(QStringLiteral("DataBase"), rpReadReportString(stream));
  table.SetTableName(rpReadReportString(stream));
  WriteProperty(QStringLiteral("Filter"), rpReadReportString(stream));
  table.SetIndexName(rpReadReportString(stream));
  table.SetIndexFieldNames(rpReadReportString(stream));
  table.SetMasterFields(rpReadReportString(stream));
  StoreAndWrite(QStringLiteral("MasterSource"), rpReadReportString(stream));
  StoredValues.SetVariable(QStringLiteral("Active"), rpReadBoolean(stream));
  ReadFields(stream);
  TryStoredActive();
}

void TrpFBTable::SaveToStream(TBinaryWriter& stream) {
  TrpFBDataset::SaveToStream(stream);
  TIBTable& table = *Table();
  rpWriteString(stream, rpValueToText(ReadProperty(QStringLiteral("DATABASE"))));
  rpWriteString(stream, table.TableName());
  rpWriteString(stream, table.Filter());
  rpWriteString(stream, table.IndexName());
  rpWriteString(stream, table.IndexFieldNames());
  rpWriteString(stream, table.MasterFields());
  rpWriteString(stream, rpValueToText(ReadProperty(QStringLiteral("MASTERSOURCE"))));
  rpWriteBoolean(stream, table.Active());
  WriteFields(stream);
}

void TrpFBTable::WriteXmlElement(QString& element) {
  TrpFBDataset::WriteXmlElement(element);
  TIBTable& table = *Table();
  rpXmlAttribute(element, QStringLiteral("IndexName"), table.IndexName());
  rpXmlAttribute(element, QStringLiteral("TableName"), table.TableName());
  if (!table.MasterSource()) return;
  rpXmlAttribute(element, QStringLiteral("Master"),
                 QStringLiteral("db") + rpValueToText(ReadProperty(QStringLiteral("MASTERSOURCE"))));
  rpXmlAttribute(element, QStringLiteral("MasterFields"), table.MasterFields());
}

void TrpFBTable::EditMasterFields() {
  TDataSet* master = DataSetNamed(rpValueToText(ReadProperty(QStringLiteral("MASTERSOURCE"))));
  if (!master) return;
  if (rpEditMasterFields(*master, *Table()))
    if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->SetModified(true);
}
