#include "reports/engine/rpRegistries.h"
#include "core/CodePage1250.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpInstalledFunctions.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"

namespace {
bool SameClass(const QObject* a, const QObject* b) {
  return qstrcmp(a->metaObject()->className(), b->metaObject()->className()) == 0;
}
} // namespace

bool TrpFunctionLibrary::HandleFunction(TrpRunContext& run, const QString& name, const QString& p1, const QString& p2,
                                        const QString& p3, QVariant& val) {
  for (qsizetype number = 0; number < List.size(); ++number) {
    if (List[number].compare(name, Qt::CaseInsensitive) == 0) {
      ExecuteFunction(run, int(number), p1, p2, p3, val);
      return true;
    }
  }
  return false;
}

void TrpFunctionLibrary::AddDescription(const QString& name, const QString& category, const QString& description) {
  rpAddFunctionDescription(this, name, category, description);
}

bool TrpExportFilterRegistry::Add(QObject* filter, const QString& description, const QString& mask) {
  for (const TrpExportFilterInfo& e : entries_)
    if (SameClass(e.Filter, filter) && e.Mask == mask) return false;
  if (entries_.size() >= kRegistryCapacity) return false;
  entries_.append({filter, description, mask});
  return true;
}

void TrpExportFilterRegistry::Remove(const QObject* filter) {
  for (qsizetype i = entries_.size() - 1; i >= 0; --i) {
    if (SameClass(entries_[i].Filter, filter)) {
      entries_.removeAt(i);
      return;
    }
  }
}

bool TrpFunctionLibraryRegistry::Add(const QMetaObject& libraryClass) {
  for (const auto& library : libraries_)
    if (qstrcmp(library->metaObject()->className(), libraryClass.className()) == 0) return false;
  if (int(libraries_.size()) >= kRegistryCapacity) return false;
  std::unique_ptr<QObject> created(libraryClass.newInstance());
  auto* library = qobject_cast<TrpFunctionLibrary*>(created.get());
  if (!library)
    throw ErpInvalidType(
        QStringLiteral("Trieda %1 nie je knižnica funkcií zostáv.").arg(QLatin1String(libraryClass.className())));
  created.release();
  libraries_.emplace_back(library);
  return true;
}

void TrpFunctionLibraryRegistry::Remove(const QMetaObject& libraryClass) {
  std::erase_if(libraries_, [&](const std::unique_ptr<TrpFunctionLibrary>& library) {
    if (qstrcmp(library->metaObject()->className(), libraryClass.className()) != 0) return false;
    installed_.RemoveLibrary(library.get());
    return true;
  });
}

int rpDataBandTypeOf(int bandType) {
  if ((bandType >= 0 && bandType <= 6) || bandType == 16 || bandType == 17) return 5;
  if (bandType == 8 || bandType == 9) return 8;
  if (bandType == 11 || bandType == 12) return 11;
  if (bandType == 19 || bandType == 20) return 19;
  return -1;
}

TDataSet* rpGetDefaultDataSet(const TrpReportBase* report) {
  if (!report) return nullptr;
  TrpDataset* dataSet = report->Dataset();
  const int bandType = report->CurrentBandType();
  if (bandType >= 0) {
    const int dataBandType = rpDataBandTypeOf(bandType);
    if (dataBandType >= 0) dataSet = report->PageDataBandDataSet(dataBandType);
  }
  return dataSet ? dataSet->WrappedDataSet() : nullptr;
}

TrpDataset* rpResolveBandDataSource(const TrpReportBase* report, const QString& text, bool& created) {
  created = false;
  TrpDataset* dataSet = nullptr;
  if (!text.isEmpty() && text[0] >= QLatin1Char('1') && text[0] <= QLatin1Char('9')) {
    bool ok = false;
    const int count = text.toInt(&ok);
    if (!ok) throw ErpConversionError(QStringLiteral("'%1' nie je platný počet záznamov.").arg(text));
    auto* user = new TrpUserDataset();
    user->RangeEnd = TRangeEnd::reCount;
    user->RangeEndCount = count;
    dataSet = user;
    created = true;
  } else {
    QObject* component = rpFindComponent(report ? report->Owner() : nullptr, text);
    if (component) {
      dataSet = qobject_cast<TrpDataset*>(component);
      if (!dataSet) throw ErpInvalidType(QStringLiteral("%1 nie je dátový zdroj zostavy.").arg(text));
    }
  }
  if (dataSet) dataSet->Init();
  return dataSet;
}

QString rpHexEncode(const QString& text) { return QString::fromLatin1(Cp1250::EncodeLossy(text).toHex().toUpper()); }

QString rpHexDecode(const QString& text) {
  QByteArray bytes;
  auto value = [](QChar c) {
    const int code = c.toUpper().unicode();
    return code > '9' ? code - 55 : code - 48;
  };
  for (qsizetype i = 0; i + 1 < text.size(); i += 2)
    bytes.append(char((value(text[i]) * 16) | value(text[i + 1])));
  return Cp1250::Decode(bytes);
}
