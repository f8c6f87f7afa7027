#include "reports/designer/rpDesignerClipboard.h"
#include "core/BinaryStream.h"
#include "reports/designer/rpDesignerPages.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStream.h"

namespace {

constexpr quint16 kOnePerPageFlag = 8192;
constexpr int kClipboardRecordVersion = 25;

bool BandTypeMayRepeat(int type) { return (type >= 4 && type <= 12) || type == 16 || type == 17; }

bool PageHasBandType(const TrpPage& page, int type) {
  for (int i = 0; i < page.Count(); ++i)
    if (const auto* band = dynamic_cast<const TrpBandView*>(page.GetObject(i)); band && band->GetBandType() == type)
      return true;
  return false;
}

// The object of one entry, read as the record version the clipboard writes;
// null when its class is not registered (any more).
std::unique_ptr<TrpView> ReadEntry(const QByteArray& entry) {
  TBinaryReader reader(entry);
  const int kind = rpReadByte(reader);
  const QString className = rpReadString(reader);
  std::unique_ptr<TrpView> object = rpNewObjectOfType(kind, className);
  if (!object) return nullptr;
  TrpRunContext& g = rpRun();
  const quint8 version = g.StreamVersion;
  g.StreamVersion = kClipboardRecordVersion;
  object->RecordMode = 0;
  try {
    object->LoadFromStream(reader);
  } catch (...) {
    g.StreamVersion = version;
    throw;
  }
  g.StreamVersion = version;
  return object;
}

} // namespace

TrpObjectClipboard& rpObjectClipboard() {
  static TrpObjectClipboard clipboard;
  return clipboard;
}

bool rpOnePerPageTaken(const TrpPage& page, int kind, const QString& className) {
  for (int i = 0; i < page.Count(); ++i) {
    const TrpView* object = page.GetObject(i);
    if (object->ObjectKind == kind && object->ClassName() == className && (object->Flags & kOnePerPageFlag))
      return true;
  }
  return false;
}

void TrpObjectClipboard::Copy(const TrpPage& page) {
  entries_.clear();
  TrpRunContext& g = rpRun();
  const quint8 version = g.StreamVersion;
  g.StreamVersion = kClipboardRecordVersion;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* object = page.GetObject(i);
    if (!object->IsSelected) continue;
    TBinaryWriter writer;
    rpWriteByte(writer, object->ObjectKind);
    rpWriteString(writer, object->ClassName());
    object->RecordMode = 0;
    object->SaveToStream(writer);
    entries_ << writer.TakeData();
  }
  g.StreamVersion = version;
}

QList<TrpView*> TrpObjectClipboard::Paste(TrpReport& report, TrpPage& page, QPoint scrolled, int gridSize) const {
  TrpView* targetBand = nullptr;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* object = page.GetObject(i);
    if (!dynamic_cast<TrpBandView*>(object)) {
      object->IsSelected = 0;
    } else if (object->IsSelected) {
      if (!targetBand) targetBand = object;
      object->IsSelected = 0;
    }
  }
  // The group keeps its shape: every object moves by the group's left-top.
  std::vector<std::unique_ptr<TrpView>> accepted;
  int minLeft = 32767, minTop = 32767;
  for (const QByteArray& entry : entries_) {
    std::unique_ptr<TrpView> object = ReadEntry(entry);
    if (!object || rpOnePerPageTaken(page, object->ObjectKind, object->ClassName())) continue;
    minLeft = qMin(minLeft, object->Left);
    minTop = qMin(minTop, object->Top);
    accepted.push_back(std::move(object));
  }
  const int step = qMax(1, gridSize);
  QList<TrpView*> pasted;
  for (std::unique_ptr<TrpView>& object : accepted) {
    if (const auto* band = dynamic_cast<const TrpBandView*>(object.get()))
      if (!BandTypeMayRepeat(band->GetBandType()) && PageHasBandType(page, band->GetBandType())) continue;
    if (report.FindObject(object->Name)) object->AssignFreeName();
    object->WriteProperty(QStringLiteral("Name"), object->Name);
    object->Left = (scrolled.x() > 0 ? scrolled.x() / step * step : 0) + object->Left - minLeft;
    object->Top = (scrolled.y() > 0 ? scrolled.y() / step * step : 0) + object->Top - minTop;
    if (targetBand) object->Top = targetBand->Top;
    object->IsSelected = 1;
    pasted << page.Add(std::move(object));
  }
  rpNormaliseObjectOrder(page);
  return pasted;
}
