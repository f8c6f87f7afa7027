#include "reports/engine/rpDataDictionary.h"
#include "core/DataSet.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpRegistries.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QFile>
#include <QtCore/QSaveFile>

namespace {

constexpr qint16 kMarker = -2;

void WriteList(TBinaryWriter& stream, const TrpVariables& list) {
  rpWriteInteger(stream, list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) {
    rpWriteString(stream, list.GetName(i));
    rpWriteString(stream, rpValueToText(list.GetValue(i)));
  }
}

void ReadList(TBinaryReader& stream, TrpVariables& list) {
  list.Clear();
  const qint32 count = rpReadInteger(stream);
  for (qint32 i = 0; i < count; ++i) {
    const QString name = rpReadString(stream);
    list.SetVariable(name, rpReadString(stream));
  }
}

// A length byte followed by that many characters.
QString ReadShortString(TBinaryReader& stream) { return stream.ReadCp1250(stream.ReadByte()); }

bool IsCategory(const QString& name) { return name.startsWith(QLatin1Char(' ')); }

QString NameOfValue(const TrpVariables& list, const QString& value) {
  for (int i = 0; i < list.GetCount(); ++i)
    if (rpValueToText(list.GetValue(i)).compare(value, Qt::CaseInsensitive) == 0) return list.GetName(i);
  return value;
}

// The position of the last "." outside double quotes, -1 when none.
qsizetype LastDotOutsideQuotes(const QString& text) {
  qsizetype last = -1;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('"'))
      quoted = !quoted;
    else if (text[i] == QLatin1Char('.') && !quoted)
      last = i;
  }
  return last;
}

// Names of the owner's components of the class, each replaced by its alias
// when aliases exist (then only aliased ones, an empty alias keeping the name); sorted.
QStringList AliasedComponents(const QObject* owner, const QMetaObject& type, const TrpVariables& aliases,
                              const std::function<bool(const QString&)>& allowed) {
  QList<TrpComponentEntry> entries;
  if (owner) rpGetComponents(owner, type, entries);
  QStringList names;
  for (const TrpComponentEntry& e : entries) {
    if (!allowed(e.Name)) continue;
    if (aliases.GetCount() == 0) {
      names.append(e.Name);
    } else if (aliases.IndexOf(e.Name) >= 0) {
      const QString alias = rpValueToText(aliases.GetVariable(e.Name));
      names.append(alias.isEmpty() ? e.Name : alias);
    }
  }
  names.sort();
  return names;
}

QString OldSystemVariable(qint32 index) {
  static const QStringList names{QStringLiteral("PAGE#"),      QString(),
                                 QStringLiteral("DATE"),       QStringLiteral("TIME"),
                                 QStringLiteral("LINE#"),      QStringLiteral("LINETHROUGH#"),
                                 QStringLiteral("COLUMN#"),    QStringLiteral("CURRENT#"),
                                 QStringLiteral("TOTALPAGES"), QStringLiteral("REPORTCOMMENT"),
                                 QStringLiteral("REPORTNAME"), QStringLiteral("REPORTAUTOR"),
                                 QStringLiteral("VMAJOR"),     QStringLiteral("VMINOR"),
                                 QStringLiteral("VRELEASE"),   QStringLiteral("VBUILD"),
                                 QStringLiteral("REPORTDATE"), QStringLiteral("REPORTLASTCHANGE")};
  // An index outside the list names no system variable: the entry stays empty.
  return names.value(index);
}

} // namespace

void TrpDataDictionary::Clear() {
  Variables.Clear();
  FieldAliases.Clear();
  BandSourceAliases.Clear();
}

void TrpDataDictionary::SaveToStream(TBinaryWriter& stream) const {
  stream.WriteInt16(kMarker);
  WriteList(stream, Variables);
  WriteList(stream, FieldAliases);
  WriteList(stream, BandSourceAliases);
}

void TrpDataDictionary::LoadFromStream(TBinaryReader& stream) {
  Clear();
  const qint16 marker = stream.ReadInt16();
  if (marker == -1 || marker == -2) {
    ReadList(stream, Variables);
    ReadList(stream, FieldAliases);
    ReadList(stream, BandSourceAliases);
  } else {
    stream.Seek(stream.Position() - 2);
    LoadOldestLayout(stream);
  }
  // Old blocks wrote categories without their blank and variables with one.
  if (Variables.GetCount() > 0 && !Variables.GetName(0).isEmpty() && !IsCategory(Variables.GetName(0)))
    for (int i = 0; i < Variables.GetCount(); ++i) {
      const QString name = Variables.GetName(i);
      Variables.SetName(i, IsCategory(name) ? name.mid(1) : QLatin1Char(' ') + name);
    }
  if (marker == -1) {
    for (int i = FieldAliases.GetCount() - 1; i >= 0; --i)
      if (rpValueToText(FieldAliases.GetValue(i)).isEmpty() && !FieldAliases.GetName(i).contains(QLatin1Char('.')))
        FieldAliases.Delete(i);
    for (int i = BandSourceAliases.GetCount() - 1; i >= 0; --i)
      if (rpValueToText(BandSourceAliases.GetValue(i)).isEmpty()) BandSourceAliases.Delete(i);
  }
}

void TrpDataDictionary::LoadOldestLayout(TBinaryReader& stream) {
  const qint32 count = rpReadInteger(stream);
  for (qint32 i = 0; i < count; ++i) {
    const quint8 kind = rpReadByte(stream);
    const qint32 number = rpReadInteger(stream);
    const QString first = ReadShortString(stream), second = ReadShortString(stream), third = ReadShortString(stream);
    QString value;
    if (kind == 2)
      value = number == 1 ? second : OldSystemVariable(number);
    else if (kind == 1)
      value = first + QStringLiteral(".\"") + second + QLatin1Char('"');
    FieldAliases.SetVariable(QLatin1Char(' ') + third, value);
  }
  QStringList names;
  rpReadMemo(stream, names);
  for (const QString& name : names) {
    if (!name.isEmpty() && !IsCategory(name))
      Variables.SetVariable(name, QString());
    else
      Variables.SetVariable(name, FieldAliases.GetVariable(name));
  }
  FieldAliases.Clear();
}

void TrpDataDictionary::SaveToFile(const QString& fileName) const {
  TBinaryWriter writer;
  rpWriteByte(writer, 25);
  SaveToStream(writer);
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(writer.Data()) != writer.Size() || !file.commit())
    throw Exception(QStringLiteral("Súbor %1 sa nedá zapísať.").arg(fileName));
}

void TrpDataDictionary::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť.").arg(fileName));
  const QByteArray data = file.readAll();
  TBinaryReader reader(data);
  reader.ReadByte();
  LoadFromStream(reader);
}

bool TrpDataDictionary::IsDataSetAllowed(const QString& name) const {
  for (const QString& entry : DisabledDataSets) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return false;
    if (entry.endsWith(QLatin1Char('*')) && name.startsWith(entry.chopped(1))) return false;
  }
  return true;
}

QString TrpDataDictionary::DataSetOfAlias(const QString& alias) const { return NameOfValue(FieldAliases, alias); }

QString TrpDataDictionary::DataSourceOfAlias(const QString& alias) const {
  return NameOfValue(BandSourceAliases, alias);
}

QString TrpDataDictionary::FieldOfAlias(const QString& alias) const {
  const QString name = DataSetOfAlias(alias);
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot >= 0 ? name.mid(dot + 1) : name;
}

QString TrpDataDictionary::AliasOf(const QString& name) const {
  const QString field = rpValueToText(FieldAliases.GetVariable(name));
  if (!field.isEmpty()) return field;
  const QString source = rpValueToText(BandSourceAliases.GetVariable(name));
  return source.isEmpty() ? name : source;
}

QStringList TrpDataDictionary::ListCategories() const {
  QStringList list;
  for (int i = 0; i < Variables.GetCount(); ++i)
    if (IsCategory(Variables.GetName(i))) list.append(Variables.GetName(i).mid(1));
  return list;
}

QStringList TrpDataDictionary::ListVariablesOfCategory(const QString& category) const {
  QStringList list;
  int i = 0;
  while (i < Variables.GetCount() &&
         !(IsCategory(Variables.GetName(i)) && Variables.GetName(i).mid(1).compare(category, Qt::CaseInsensitive) == 0))
    ++i;
  for (++i; i < Variables.GetCount() && !IsCategory(Variables.GetName(i)); ++i)
    list.append(Variables.GetName(i));
  return list;
}

QObject* TrpDataDictionary::Owner() const { return report_ ? report_->Owner() : nullptr; }

bool TrpDataDictionary::CacheField(const TrpRunContext& run, const QString& name, const QString& reference) {
  TDataSet* dataSet = rpGetDefaultDataSet(run.CurrentReport);
  QString field;
  rpGetDataSetAndField(run.CurrentReport, reference, dataSet, field);
  if (!dataSet || field.isEmpty()) return false;
  cache_.insert(name, {dataSet, field});
  return true;
}

bool TrpDataDictionary::ResolveName(const TrpRunContext& run, const QString& name) {
  if (cache_.contains(name)) return true;
  if (FieldAliases.IndexOf(name) >= 0) {
    const QVariant value = FieldAliases.GetVariable(name);
    if (!rpIsNull(value) && rpValueToText(value).contains(QLatin1Char('.')))
      CacheField(run, name, rpValueToText(value));
    return true;
  }
  QString reference = name;
  const qsizetype dot = LastDotOutsideQuotes(name);
  if (dot >= 0) {
    const QString dataSet = DataSetOfAlias(name.left(dot));
    QString field = rpRemoveQuotes(name.mid(dot + 1));
    for (int i = 0; i < FieldAliases.GetCount(); ++i) {
      const QString entry = FieldAliases.GetName(i);
      if (entry.startsWith(dataSet) && rpValueToText(FieldAliases.GetValue(i)) == field) {
        field = entry.mid(entry.lastIndexOf(QLatin1Char('.')) + 1);
        break;
      }
    }
    reference = dataSet + QStringLiteral(".\"") + field + QLatin1Char('"');
  }
  return CacheField(run, name, reference);
}

QStringList TrpDataDictionary::ListDataSets() const {
  return AliasedComponents(Owner(), TDataSet::staticMetaObject, FieldAliases,
                           [this](const QString& name) { return IsDataSetAllowed(name); });
}

QStringList TrpDataDictionary::ListBandDataSources() const {
  return AliasedComponents(Owner(), TrpDataset::staticMetaObject, BandSourceAliases,
                           [](const QString&) { return true; });
}

QStringList TrpDataDictionary::ListFields(const QString& dataSetName) const {
  QStringList names;
  QString name = dataSetName;
  auto* dataSet = qobject_cast<TDataSet*>(rpFindComponent(Owner(), name));
  if (!dataSet) {
    name = DataSetOfAlias(dataSetName);
    dataSet = qobject_cast<TDataSet*>(rpFindComponent(Owner(), name));
  }
  if (!dataSet) return names;
  try {
    if (!dataSet->Active()) dataSet->Open();
  } catch (const Exception&) {
    return names; // a data set that cannot open lists no fields
  }
  for (const auto& field : dataSet->Fields()) {
    const QString key = name + QLatin1Char('.') + field->FieldName();
    if (FieldAliases.IndexOf(key) < 0)
      names.append(field->FieldName());
    else if (const QString alias = rpValueToText(FieldAliases.GetVariable(key)); !alias.isEmpty())
      names.append(alias);
  }
  return names;
}

bool TrpDataDictionary::CachedField(const QString& name, TDataSet*& dataSet, QString& field) const {
  const auto cached = cache_.constFind(name);
  if (cached == cache_.cend() || !cached->DataSet) return false;
  dataSet = cached->DataSet;
  field = cached->Field;
  return true;
}

QVariant TrpDataDictionary::GetValue(const TrpRunContext& run, const QString& name) const {
  if (const auto cached = cache_.constFind(name); cached != cache_.cend()) {
    if (!cached->DataSet) return {};
    if (!cached->DataSet->Active()) cached->DataSet->Open();
    return rpGetFieldValue(&cached->DataSet->FieldByName(cached->Field));
  }
  if (Variables.IndexOf(name) < 0) return {};
  const TrpVariables& script = rpVariables();
  if (script.IndexOf(name) >= 0) return script.GetVariable(name);
  const QVariant own = Variables.GetVariable(name);
  if (own.typeId() == QMetaType::QString && !own.toString().isEmpty()) return run.Parser->Calc(own.toString());
  return own;
}
