#include "reports/objects/dialog/rpFBQuery.h"
#include "core/DataSource.h"
#include "core/ui/Form.h"
#include "db/IBQuery.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPropertyStream.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDBUtils.h"
#include "reports/objects/dialog/rpDialogEditors.h"

const TrpParamType rpParamTypeTable[kParamTypeCount] = {
    {"BCD", TIBFieldType::ftBCD},     {"Boolean", TIBFieldType::ftBoolean},   {"Currency", TIBFieldType::ftCurrency},
    {"Date", TIBFieldType::ftDate},   {"DateTime", TIBFieldType::ftDateTime}, {"Integer", TIBFieldType::ftInteger},
    {"Float", TIBFieldType::ftFloat}, {"Smallint", TIBFieldType::ftSmallint}, {"String", TIBFieldType::ftString},
    {"Time", TIBFieldType::ftTime},   {"Word", TIBFieldType::ftWord}};

int rpParamTypeIndex(TIBFieldType type) {
  for (int i = 0; i < kParamTypeCount; ++i)
    if (rpParamTypeTable[i].Type == type) return i;
  return kParamTypeCount;
}

QString rpDesignParamText(TIBFieldType type) {
  switch (type) {
  case TIBFieldType::ftDate:
  case TIBFieldType::ftDateTime:
    return QStringLiteral("01.01.00");
  case TIBFieldType::ftTime:
    return QStringLiteral("00:00");
  default:
    return QStringLiteral("0");
  }
}

namespace {

// An expression's result as the parameter's value: a date-time as it is,
// other values as text; text of a date or time parameter read by the
// engine's date rules (so "01.01.00" is a date), other text converted by the server.
QVariant ParamValueOf(const QVariant& result, TIBFieldType type) {
  const TFieldType core = CoreFieldType(type);
  const bool temporal = core == TFieldType::Date || core == TFieldType::DateTime || core == TFieldType::Time;
  if (temporal && rpValueKind(result) == TrpValueKind::DateTime) return result;
  const QString text = rpValueToText(result);
  switch (core) {
  case TFieldType::Date:
    return DateTime::ToDateTime(rpTextToDate(text)).date();
  case TFieldType::DateTime:
    return DateTime::ToDateTime(rpTextToDate(text));
  case TFieldType::Time:
    return DateTime::ToDateTime(rpTextToTime(text)).time();
  default:
    return text;
  }
}

} // namespace

TrpFBQuery::TrpFBQuery() : TrpFBDataset(new TIBQuery) {
  SetKind(10, QStringLiteral("Query"), QStringLiteral("TrpFBQuery"));
  IconBitmap = rpDialogIcon("RP_FBQUERY");
  WrappedDataSet()->BeforeOpen = [this] { BindParams(); };
}

QStringList TrpFBQuery::SQL() const { return rpSplitLines(WrappedDataSet()->SQL()); }

void TrpFBQuery::SetSQL(const QStringList& lines) { WrappedDataSet()->SetSQL(lines.join(QStringLiteral("\r\n"))); }

int TrpFBQuery::ParamCount() const { return int(WrappedDataSet()->Params().size()); }

TIBParam& TrpFBQuery::Param(int i) const {
  if (i < 0 || i >= ParamCount()) throw Exception(QStringLiteral("Index parametra %1 je mimo zoznamu.").arg(i));
  return *WrappedDataSet()->Params()[size_t(i)];
}

bool TrpFBQuery::IsExpressionParam(int i) const { return Param(i).Bound(); }

void TrpFBQuery::SetExpressionParam(int i, bool on) {
  TIBParam& param = Param(i);
  param.SetBound(on);
  const int entry = ParamExpressions.IndexOf(param.Name());
  if (on) {
    param.Clear();
    ParamExpressions.SetVariable(param.Name(), QString());
  } else if (entry >= 0) {
    ParamExpressions.Delete(entry);
  }
}

QString TrpFBQuery::GetParamExpression(int i) const {
  return IsExpressionParam(i) ? ParamExpressions.GetVariable(Param(i).Name()).toString() : QString();
}

void TrpFBQuery::SetParamExpression(int i, const QString& expression) {
  if (IsExpressionParam(i)) ParamExpressions.SetVariable(Param(i).Name(), expression);
}

void TrpFBQuery::BindParams() {
  TrpRunContext& g = rpRun();
  TrpView* savedView = g.CurrentObject;
  TrpPage* savedPage = g.CurrentPage;
  TrpBandView* savedBand = g.CurrentBand;
  g.CurrentObject = nullptr;
  g.CurrentBand = nullptr;
  g.CurrentPage = Page;
  for (int i = 0; i < ParamCount(); ++i) {
    if (!IsExpressionParam(i)) continue;
    TIBParam& param = Param(i);
    const QString expression = GetParamExpression(i);
    try {
      const QVariant result = g.EngineMode ? g.Parser->Calc(expression) : QVariant(rpDesignParamText(param.DataType()));
      param.SetValue(ParamValueOf(result, param.DataType()));
    } catch (const Exception&) {
      // The engine's error report names the query and shows the expression.
      Memo = QStringList{expression};
      g.CurrentObject = this;
      throw;
    }
  }
  g.CurrentObject = savedView;
  g.CurrentPage = savedPage;
  g.CurrentBand = savedBand;
}

void TrpFBQuery::WriteProperty(const QString& name, const QVariant& value) {
  TrpFBDataset::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("DATASOURCE"))
    WrappedDataSet()->SetDataSource(rpFindDataSource(rpDialogForm(), DataSetNamed(rpValueToText(value))));
  else if (n == QLatin1String("SQL"))
    SetSQL(rpSplitLines(rpValueToText(value)));
}

QVariant TrpFBQuery::ReadProperty(const QString& name) {
  const QVariant inherited = TrpFBDataset::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (n == QLatin1String("DATASOURCE")) return rpDataSetNameOf(rpDialogForm(), WrappedDataSet()->DataSource());
  if (n == QLatin1String("SQL")) return SQL().join(QStringLiteral("\r\n"));
  if (n == QLatin1String("SQL.COUNT")) return rpIntegerValue(SQL().size());
  return inherited;
}

QVariant TrpFBQuery::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                const QVariant& a3) {
  QVariant result = TrpFBDataset::CallMethod(run, name, a1, a2, a3);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  QStringList lines = SQL();
  if (StringsMethod(run, lines, n, result, a1, a2, a3, QStringLiteral("SQL"))) {
    if (lines != SQL()) SetSQL(lines);
    return result;
  }
  if (n == QLatin1String("EXECSQL")) {
    if (WrappedDataSet()->Active()) throw Exception(QStringLiteral("Príkaz nie je možné spustiť na otvorenom dotaze."));
    BindParams();
    WrappedDataSet()->ExecSQL();
  }
  return result;
}

void TrpFBQuery::ListProperties() {
  TrpFBDataset::ListProperties();
  const QStringList sets = rpComponentNames(rpDialogForm(), TDataSet::staticMetaObject, WrappedDataSet());
  AddEnumPropertyRec(QStringLiteral("DataSource"), sets.join(QLatin1Char(';')),
                     QVariant(QVariantList(sets.begin(), sets.end())));
  AddPropertyRec(QStringLiteral("Params"), ptEditor, [this] { EditParams(); });
  AddPropertyRec(QStringLiteral("SQL"), ptEditor, [this] { EditSQL(); });
  AddPropertyRec(QStringLiteral("SQL.Count"), 0);
}

void TrpFBQuery::AfterLoad() { AfterLoadWithMaster(QStringLiteral("DataSource")); }

void TrpFBQuery::LoadFromStream(TBinaryReader& stream) {
  TrpFBDataset::LoadFromStream(stream);
  StoredValues.Clear();
  ParamExpressions.Clear();
  StoreAndWrite(QStringLiteral("DataBase"), rpReadReportString(stream));
  WriteProperty(QStringLiteral("Filter"), rpReadReportString(stream));
  StoreAndWrite(QStringLiteral("DataSource"), rpReadReportString(stream));
  QStringList sql;
  rpReadReportMemo(stream, sql);
  SetSQL(sql);
  StoredValues.SetVariable(QStringLiteral("Active"), rpReadBoolean(stream));
  ReadFields(stream);
  ReadParams(stream);
  TryStoredActive();
}

void TrpFBQuery::SaveToStream(TBinaryWriter& stream) {
  TrpFBDataset::SaveToStream(stream);
  rpWriteString(stream, rpValueToText(ReadProperty(QStringLiteral("DATABASE"))));
  rpWriteString(stream, WrappedDataSet()->Filter());
  rpWriteString(stream, rpValueToText(ReadProperty(QStringLiteral("DATASOURCE"))));
  rpWriteMemo(stream, SQL());
  rpWriteBoolean(stream, WrappedDataSet()->Active());
  WriteFields(stream);
  WriteParams(stream);
}

void TrpFBQuery::WriteParams(TBinaryWriter& stream) {
  rpWriteWord(stream, quint16(ParamCount()));
  for (int i = 0; i < ParamCount(); ++i) {
    rpWriteWord(stream, quint16(rpParamTypeIndex(Param(i).DataType())));
    rpWriteWord(stream, IsExpressionParam(i) ? 1 : 0);
    rpWriteString(stream, GetParamExpression(i));
  }
}

void TrpFBQuery::ReadParams(TBinaryReader& stream) {
  const int count = rpReadWord(stream);
  // The whole block is read first, so a block that does not fit the
  // statement still leaves the stream at the record's next field.
  struct TEntry {
    int TypeIndex;
    bool Expression;
    QString Text;
  };
  QList<TEntry> entries;
  for (int i = 0; i < count; ++i) {
    TEntry entry;
    entry.TypeIndex = rpReadWord(stream);
    entry.Expression = rpReadWord(stream) == 1;
    entry.Text = rpReadReportString(stream);
    entries.append(entry);
  }
  for (int i = 0; i < entries.size() && i < ParamCount(); ++i) {
    const TEntry& entry = entries[i];
    if (entry.TypeIndex < kParamTypeCount) Param(i).SetDataType(rpParamTypeTable[entry.TypeIndex].Type);
    SetExpressionParam(i, entry.Expression);
    if (entry.Expression) SetParamExpression(i, entry.Text);
  }
  if (entries.size() > ParamCount())
    throw Exception(QStringLiteral("Dotaz %1 má uložených %2 parametrov, ale jeho príkaz len %3.")
                        .arg(Name)
                        .arg(entries.size())
                        .arg(ParamCount()));
}

QByteArray TrpFBQuery::PropertyData() const {
  TrpPropertyStream properties;
  properties.Name(QStringLiteral("pLeft"));
  properties.Integer(Left);
  properties.Name(QStringLiteral("pTop"));
  properties.Integer(Top);
  if (ParamCount() > 0) {
    properties.Name(QStringLiteral("Params"));
    properties.CollectionBegin();
    for (int i = 0; i < ParamCount(); ++i) {
      properties.ListBegin();
      properties.Name(QStringLiteral("Name"));
      properties.Text(Param(i).Name());
      properties.Name(QStringLiteral("DataType"));
      properties.Identifier(IBFieldTypeName(Param(i).DataType()));
      properties.Name(QStringLiteral("Expression"));
      properties.Text(GetParamExpression(i));
      properties.ListEnd();
    }
    properties.ListEnd();
  }
  properties.ListEnd();
  return properties.Bytes();
}

void TrpFBQuery::WriteXmlElement(QString& element) {
  TrpFBDataset::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("SQL.text"), SQL().join(QStringLiteral("\r\n")));
  // XML allows one attribute of a name: the common Propdata is replaced by one that also holds the parameters.
  if (ParamCount() == 0) return;
  const qsizetype start = element.indexOf(QStringLiteral(" Propdata=\""));
  if (start < 0) return;
  const qsizetype end = element.indexOf(QLatin1Char('"'), start + 11);
  element.replace(start, end + 1 - start, QString());
  rpXmlAttribute(element, QStringLiteral("Propdata"), QString::fromLatin1(PropertyData().toHex().toUpper()));
}

void TrpFBQuery::EditSQL() {
  QStringList lines = SQL();
  if (!rpEditSQL(lines) || (Restrictions & rrModify)) return;
  SetSQL(lines);
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->SetModified(true);
}

void TrpFBQuery::EditParams() {
  if (ParamCount() == 0) return;
  struct TBackup {
    TIBFieldType Type;
    QVariant Value;
    bool Expression;
  };
  QList<TBackup> backup;
  for (int i = 0; i < ParamCount(); ++i)
    backup.append({Param(i).DataType(), Param(i).Value(), Param(i).Bound()});
  const TrpVariables expressions = ParamExpressions;
  if (rpEditQueryParams(*this)) {
    if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->SetModified(true);
    return;
  }
  for (int i = 0; i < ParamCount() && i < backup.size(); ++i) {
    Param(i).SetDataType(backup[i].Type);
    Param(i).SetValue(backup[i].Value);
    Param(i).SetBound(backup[i].Expression);
  }
  ParamExpressions = expressions;
}
