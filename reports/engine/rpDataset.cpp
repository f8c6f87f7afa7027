#include "reports/engine/rpDataset.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include "core/StringList.h"
#include <QtCore/QIODevice>
#include <QtGui/QImage>

TrpDataset::TrpDataset(QObject* owner) : QObject(owner) {}

void TrpDataset::First() {
  recNo_ = 0;
  if (OnFirst) OnFirst(this);
}

void TrpDataset::Next() {
  ++recNo_;
  if (RangeEnd == TRangeEnd::reCount && recNo_ >= RangeEndCount) return;
  if (OnNext) OnNext(this);
}

void TrpDataset::Prior() {
  --recNo_;
  if (OnPrior) OnPrior(this);
}

bool TrpDataset::Eof() {
  bool eof = RangeEnd == TRangeEnd::reCount && recNo_ >= RangeEndCount;
  if (OnCheckEOF) OnCheckEOF(this, eof);
  return eof;
}

namespace {
QByteArray BlobBytes(const TField* field) {
  const QVariant v = field->AsVariant();
  if (v.typeId() == QMetaType::QByteArray) return v.toByteArray();
  return Cp1250::EncodeLossy(field->AsString());
}
} // namespace

bool rpIsBlob(const TField* field) {
  return field && (field->DataType() == TFieldType::Blob || field->DataType() == TFieldType::Memo);
}

void rpAssignBlobTo(const TField* field, QStringList& target) {
  const QVariant v = field->AsVariant();
  TStringList lines;
  lines.SetText(v.typeId() == QMetaType::QByteArray ? Cp1250::Decode(v.toByteArray()) : field->AsString());
  target = lines;
}

void rpAssignBlobTo(const TField* field, QImage& target) { target = QImage::fromData(BlobBytes(field)); }

void rpAssignBlobTo(const TField* field, QIODevice& target) {
  target.write(BlobBytes(field));
  target.seek(0);
}

void rpGetFieldNames(const TDataSet* dataSet, QStringList& list) {
  list.clear();
  try {
    for (const QString& name : dataSet->FieldNames())
      list.append(name);
  } catch (const Exception&) {
    // the names listed so far stand
  }
}

TBookmark rpGetBookmark(const TDataSet* dataSet) { return dataSet->GetBookmark(); }
void rpGotoBookmark(TDataSet* dataSet, TBookmark bookmark) { dataSet->GotoBookmark(bookmark); }
bool rpBookmarksEqual(const TDataSet*, TBookmark first, TBookmark second) { return first == second; }
