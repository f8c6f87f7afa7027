#include "reports/engine/rpEMFPages.h"
#include "core/BinaryStream.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUrlLink.h"
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtGui/QPainter>

namespace {

// Keeps the engine's stream version for the duration of a read.
class TVersionScope {
public:
  explicit TVersionScope(quint8 version) : kept_(rpRun().StreamVersion) { rpRun().StreamVersion = version; }
  ~TVersionScope() { rpRun().StreamVersion = kept_; }

private:
  quint8 kept_;
};

} // namespace

QByteArray& TrpEMFPage::Stream() {
  if (packed_) {
    stream_ = qUncompress(stream_);
    packed_ = false;
  }
  return stream_;
}

QByteArray TrpEMFPage::Objects() const { return packed_ ? qUncompress(stream_) : stream_; }

void TrpEMFPage::Pack() {
  if (packed_) return;
  QByteArray packed = qCompress(stream_, 1);
  if (packed.size() >= stream_.size()) return; // a short page stays as it is
  // The packer's buffer has the unpacked size.
  packed.squeeze();
  stream_ = std::move(packed);
  packed_ = true;
}

TrpEMFPage& TrpEMFPages::Insert(int index, const TrpPage& templatePage) {
  auto page = std::make_unique<TrpEMFPage>();
  page->PaperSize = templatePage.PaperSize & 0xFFFF;
  page->PaperWidth = templatePage.PaperWidth;
  page->PaperHeight = templatePage.PaperHeight;
  page->Orientation = templatePage.Orientation;
  page->Bin = templatePage.Bin;
  page->UseMargins = templatePage.UseMargins;
  page->LeftMargin = templatePage.LeftMargin;
  page->TopMargin = templatePage.TopMargin;
  page->RightMargin = templatePage.RightMargin;
  page->BottomMargin = templatePage.BottomMargin;
  page->PrnInfo = templatePage.PrnInfo;
  page->Stream().append(char(kVersion));
  const size_t at = index < 0 ? 0 : std::min(size_t(index), pages_.size());
  return **pages_.insert(pages_.begin() + qsizetype(at), std::move(page));
}

TrpEMFPage& TrpEMFPages::Add(const TrpPage& templatePage) {
  // The build has gone on to a new page; the one before it is written rarely after (its page footer).
  if (Count() > 0) pages_.back()->Pack();
  TrpEMFPage& page = Insert(Count(), templatePage);
  if (OnPageAdded) OnPageAdded(rpRun().PageNumber);
  return page;
}

void TrpEMFPages::Delete(int index) { pages_.erase(pages_.begin() + index); }

TrpPage& TrpEMFPages::LoadPageObjects(int index) {
  TrpEMFPage& entry = GetPage(index);
  entry.PageObject.reset();
  auto page = std::make_unique<TrpPage>(nullptr, entry.PaperSize, entry.PaperWidth, entry.PaperHeight, entry.Bin,
                                        entry.Orientation);
  page->UseMargins = entry.UseMargins;
  page->LeftMargin = entry.LeftMargin;
  page->TopMargin = entry.TopMargin;
  page->RightMargin = entry.RightMargin;
  page->BottomMargin = entry.BottomMargin;
  TrpRunContext& g = rpRun();
  g.CurrentPage = page.get();
  const QByteArray objects = entry.Objects();
  TBinaryReader stream(objects);
  TVersionScope version{stream.ReadByte()};
  while (!stream.AtEnd()) {
    const quint8 kind = stream.ReadByte();
    const QString className = kind == 10 ? rpReadReportString(stream) : QString();
    std::unique_ptr<TrpView> view = rpNewObjectOfType(kind, className);
    if (!view)
      throw EStreamError(QStringLiteral("Neznámy objekt v pripravenej strane: %1 %2").arg(kind).arg(className));
    view->RecordMode = 1;
    view->LoadFromStream(stream);
    view->RecordMode = 0;
    page->Add(std::move(view));
  }
  entry.PageObject = std::move(page);
  return *entry.PageObject;
}

void TrpEMFPages::StorePageObjects(int index) {
  TrpEMFPage& entry = GetPage(index);
  if (!entry.PageObject) return;
  TBinaryWriter stream;
  stream.WriteByte(kVersion);
  const TrpPage& page = *entry.PageObject;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* view = page.GetObject(i);
    view->RecordMode = 1;
    rpWriteByte(stream, view->ObjectKind);
    if (view->ObjectKind == 10) rpWriteString(stream, view->ClassName());
    view->WorkLines = view->Memo;
    view->SaveToStream(stream);
    view->RecordMode = 0;
  }
  entry.Stream() = stream.TakeData();
}

void TrpEMFPages::ExportPage(int index) {
  TrpPage& page = LoadPageObjects(index);
  for (int i = 0; i < page.Count(); ++i)
    page.GetObject(i)->SendToExport(rpRun());
  GetPage(index).PageObject.reset();
}

void TrpEMFPages::SaveToStream(TBinaryWriter& stream) const {
  rpWriteByte(stream, kVersion);
  rpWriteByte(stream, 0); // no compressor is enabled
  rpWriteString(stream, rpPrinter().CurrentPrinterName());
  rpWriteInteger(stream, Count());
  for (const auto& page : pages_) {
    const qsizetype endOffset = stream.Size();
    rpWriteInteger(stream, 0);
    rpWriteWord(stream, quint16(page->PaperSize));
    rpWriteInteger(stream, page->PaperWidth);
    rpWriteInteger(stream, page->PaperHeight);
    rpWriteByte(stream, page->Orientation);
    rpWriteInteger(stream, page->Bin);
    rpWriteByte(stream, page->UseMargins ? 1 : 0);
    for (int margin : {page->LeftMargin, page->TopMargin, page->RightMargin, page->BottomMargin})
      rpWriteInteger(stream, margin);
    stream.WriteBytes(page->Objects());
    stream.PatchUInt32(endOffset, quint32(stream.Size()));
  }
  rpWriteByte(stream, InfoMarker);
}

void TrpEMFPages::LoadFromStream(TBinaryReader& stream) {
  Clear();
  int version = stream.ReadByte();
  if (version < 24 || version > 31) {
    version = 0;
    stream.Seek(0);
  }
  const quint8 compressed = stream.ReadByte();
  if (compressed != 0 && compressed != 1 && compressed != 255) {
    stream.Seek(0);
    LoadMetafileLayout(stream);
    return;
  }
  LoadCurrentLayout(stream, version, compressed != 0);
}

// The paper of one stored page; files from version 24 on add the bin and the margins.
std::unique_ptr<TrpEMFPage> TrpEMFPages::ReadPageHeader(TBinaryReader& stream, bool binAndMargins) {
  auto page = std::make_unique<TrpEMFPage>();
  page->PaperSize = rpReadWord(stream);
  page->PaperWidth = rpReadInteger(stream);
  page->PaperHeight = rpReadInteger(stream);
  page->Orientation = rpReadByte(stream);
  page->Bin = binAndMargins ? rpReadInteger(stream) : -1;
  page->UseMargins = rpReadByte(stream) != 0;
  if (binAndMargins) {
    page->LeftMargin = rpReadInteger(stream);
    page->TopMargin = rpReadInteger(stream);
    page->RightMargin = rpReadInteger(stream);
    page->BottomMargin = rpReadInteger(stream);
  }
  return page;
}

void TrpEMFPages::LoadMetafileLayout(TBinaryReader& stream) {
  TVersionScope scope{kVersion};
  QStringList header;
  rpReadMemoOld(stream, header);
  rpPrinter().SelectByName(header.value(0));
  const qint32 count = rpReadInteger(stream);
  for (qint32 i = 0; i < count; ++i) {
    const qint32 endOffset = rpReadInteger(stream);
    auto page = ReadPageHeader(stream, false);
    TakePrinterPaper(*page);
    if (endOffset < stream.Position() || endOffset > stream.Size())
      throw EStreamError(QStringLiteral("Chybný koniec strany v pripravenej zostave"));
    // The page's recorded drawing becomes one picture the size of the page.
    TrpPictureView picture;
    picture.SetBounds(0, 0, page->PrnInfo.Width, page->PrnInfo.Height);
    picture.Picture.Load(2, stream.ReadBytes(endOffset - stream.Position()));
    picture.RecordMode = 1;
    TBinaryWriter objects;
    objects.WriteByte(kVersion);
    rpWriteByte(objects, picture.ObjectKind);
    picture.SaveToStream(objects);
    page->Stream() = objects.TakeData();
    pages_.push_back(std::move(page));
  }
}

void TrpEMFPages::LoadCurrentLayout(TBinaryReader& stream, int version, bool compressed) {
  TVersionScope scope{quint8(version)};
  rpPrinter().SelectByName(rpReadReportString(stream));
  const qint32 count = rpReadInteger(stream);
  for (qint32 i = 0; i < count; ++i) {
    const qint32 endOffset = rpReadInteger(stream);
    auto page = ReadPageHeader(stream, version > 23);
    if (endOffset < stream.Position()) throw EStreamError(QStringLiteral("Chybný koniec strany v pripravenej zostave"));
    page->Stream() = stream.ReadBytes(endOffset - stream.Position());
    // The compressor hook does nothing, so a compressed flag keeps the bytes as they are.
    Q_UNUSED(compressed);
    TakePrinterPaper(*page);
    pages_.push_back(std::move(page));
  }
  InfoMarker = rpReadByte(stream);
}

void TrpEMFPages::TakePrinterPaper(TrpEMFPage& page) {
  TrpPrinter& printer = rpPrinter();
  try {
    printer.SetPrinterInfo(page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation, page.Bin, false);
  } catch (const Exception&) {
    printer.SetPrinterInfo(kCustomPaper, page.PaperWidth, page.PaperHeight, page.Orientation, -1, false);
  }
  printer.FillPrnInfo(page.PrnInfo);
}

void TrpEMFPages::Draw(int index, QPainter* canvas, const QRect& rectangle, bool printing) {
  TrpEMFPage& entry = GetPage(index);
  if (!entry.Visible) {
    entry.PageObject.reset(); // only the pages on view keep their objects
    return;
  }
  TrpRunContext& g = rpRun();
  g.EngineMode = true;
  TrpPage& page = entry.PageObject ? *entry.PageObject : LoadPageObjects(index);
  g.CurrentPage = &page;
  if (entry.PrnInfo.Width <= 0 || entry.PrnInfo.Height <= 0) return;
  const double scaleX = double(rectangle.width()) / entry.PrnInfo.Width;
  const double scaleY = double(rectangle.height()) / entry.PrnInfo.Height;
  const QRect visible = canvas->hasClipping() ? canvas->clipBoundingRect().toAlignedRect()
                                              : QRect(0, 0, canvas->device()->width(), canvas->device()->height());
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* view = page.GetObject(i);
    if (!printing) {
      const QRect scaled(rectangle.left() + int(view->Left * scaleX), rectangle.top() + int(view->Top * scaleY),
                         int(view->Width * scaleX) + 1, int(view->Height * scaleY) + 1);
      if (!scaled.adjusted(-10, -10, 10, 10).intersects(visible)) continue;
    }
    view->ZoomX = scaleX;
    view->ZoomY = scaleY;
    view->OffsetX = rectangle.left();
    view->OffsetY = rectangle.top();
    view->PrinterOutput = printing ? 1 : 0;
    view->Draw(g, canvas);
  }
}

bool TrpEMFPages::HitTest(int index, const QPoint& point, QString& linkText, int& cursor, bool click) {
  TrpEMFPage& entry = GetPage(index);
  TrpPage& page = entry.PageObject ? *entry.PageObject : LoadPageObjects(index);
  double scaleX = 1, scaleY = 1;
  int offsetX = 0, offsetY = 0;
  if (!entry.UseMargins && entry.PrnInfo.Width > 0 && entry.PrnInfo.Height > 0) {
    // A page without margins is stretched into the printable area.
    scaleX = double(entry.PrnInfo.PrintableWidth - entry.LeftMargin - entry.RightMargin) / entry.PrnInfo.Width;
    scaleY = double(entry.PrnInfo.PrintableHeight - entry.TopMargin - entry.BottomMargin) / entry.PrnInfo.Height;
    offsetX = entry.PrnInfo.OffsetX + entry.LeftMargin;
    offsetY = entry.PrnInfo.OffsetY + entry.TopMargin;
  }
  for (int i = page.Count() - 1; i >= 0; --i) {
    TrpView* view = page.GetObject(i);
    const QRect mapped(offsetX + int(view->Left * scaleX), offsetY + int(view->Top * scaleY), int(view->Width * scaleX),
                       int(view->Height * scaleY));
    if (!mapped.contains(point)) continue;
    const bool link = view->Name.startsWith(QLatin1String("URL"), Qt::CaseInsensitive);
    bool result = link;
    if (click) {
      result = result || bool(OnObjectClick);
      if (OnObjectClick) try {
          OnObjectClick(view);
        } catch (const Exception&) {
        }
      if (link) {
        if (!rpIsPageLink(view->Tag)) {
          // Only web and mail addresses are opened; anything else is refused.
          const QString url = rpOpenableUrl(view->Tag);
          if (!url.isEmpty()) {
            if (OpenUrl)
              OpenUrl(url);
            else
              QDesktopServices::openUrl(QUrl(url));
          }
        } else {
          linkText = view->Tag;
        }
      }
    } else {
      result = result || bool(OnMouseOverObject);
      if (OnMouseOverObject) try {
          OnMouseOverObject(view, cursor);
        } catch (const Exception&) {
        }
      if (link) {
        cursor = -21;
        linkText = view->Tag;
      }
    }
    return result;
  }
  return false;
}
