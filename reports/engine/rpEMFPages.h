#pragma once
#include "reports/engine/rpPage.h"
#include <QtCore/QByteArray>
#include <QtCore/QRect>
#include <functional>
#include <memory>
#include <vector>

class TBinaryReader;
class TBinaryWriter;
class QPainter;

// One prepared page: the paper of its page template and the stream of its
// objects in prepared form (version byte, then type byte, class name for
// add-ins and record per object, to the end of the stream).
struct TrpEMFPage {
  QRect PreviewRect;
  int PaperSize = 0;
  int PaperWidth = 0, PaperHeight = 0; // 0.1 mm
  quint8 Orientation = 0;
  int Bin = 0;
  bool UseMargins = false;
  int LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;
  TrpPrnInfo PrnInfo;
  bool Visible = false;
  std::unique_ptr<TrpPage> PageObject; // rebuilt from the stream while drawn, edited or exported

  // The stream to write into (unpacked first when it was packed).
  QByteArray& Stream();
  // The stream to read (a packed one unpacked into the copy returned).
  QByteArray Objects() const;
  // Packs the stream with fast zlib while nothing writes into it: a long
  // report keeps every prepared page, and the records of one page repeat
  // the same fonts, flags and frames (about a tenth of the bytes remains).
  void Pack();

private:
  QByteArray stream_;
  bool packed_ = false;
};

// The prepared pages of one report and the ".rpp" file that keeps them.
class TrpEMFPages {
public:
  static constexpr quint8 kVersion = 25;

  int Count() const { return int(pages_.size()); }
  TrpEMFPage& GetPage(int index) const { return *pages_.at(size_t(index)); }
  // A new entry with the template page's paper, margins and printer info, appended when index >= Count.
  TrpEMFPage& Insert(int index, const TrpPage& templatePage);
  // Insert at the end, then the reports' begin-page hook.
  TrpEMFPage& Add(const TrpPage& templatePage);
  void Delete(int index);
  void Clear() { pages_.clear(); }

  // Rebuilds the entry's page object from its stream (an unknown add-in class raises).
  TrpPage& LoadPageObjects(int index);
  // Writes the entry's page object back into its stream.
  void StorePageObjects(int index);
  // Each object of the page to the export filter's callback; the page object is freed afterwards.
  void ExportPage(int index);
  // Draws a visible page scaled into the rectangle (objects outside the
  // canvas's clip, with 10 pixels to spare, are skipped unless printing);
  // an invisible page frees its objects.
  void Draw(int index, QPainter* canvas, const QRect& rectangle, bool printing = false);
  // The last object under the point (page pixels) counts; true when it is a
  // link or the event is assigned. A click fires OnObjectClick;
  // a "URL" object whose Tag is a page link ("@" and a number) gives its Tag
  // as the link text; any other Tag is opened only when it is a web or mail
  // address (rpOpenableUrl), never handed to the desktop as it stands.
  // Without a click OnMouseOverObject
  // fires and a "URL" object gives the hand cursor (-21) and its Tag.
  bool HitTest(int index, const QPoint& point, QString& linkText, int& cursor, bool click);
  std::function<void(TrpView* object)> OnObjectClick;
  std::function<void(TrpView* object, int& cursor)> OnMouseOverObject;
  // Opens a web or mail address; the desktop's handler by default.
  std::function<void(const QString& url)> OpenUrl;

  void SaveToStream(TBinaryWriter& stream) const;
  // Replaces every entry by the file's pages (also the older layout of one
  // recorded drawing per page); EStreamError when the file ends early.
  void LoadFromStream(TBinaryReader& stream);

  // The byte written after the last page (the report's info marker).
  quint8 InfoMarker = 88;
  // Called with the page number after Add (the report component sets it).
  std::function<void(int pageNumber)> OnPageAdded;

private:
  void LoadCurrentLayout(TBinaryReader& stream, int version, bool compressed);
  // The oldest files: each page one recorded drawing (a QPicture recording, the system's metafile).
  void LoadMetafileLayout(TBinaryReader& stream);
  static std::unique_ptr<TrpEMFPage> ReadPageHeader(TBinaryReader& stream, bool binAndMargins);
  void TakePrinterPaper(TrpEMFPage& page);

  std::vector<std::unique_ptr<TrpEMFPage>> pages_;
};
