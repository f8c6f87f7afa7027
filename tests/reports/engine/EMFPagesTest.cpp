#include "ReportFixture.h"
#include "core/BinaryStream.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpLineView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPictureView.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPicture>

namespace {

class EMFPagesTest : public ReportFixture {
protected:
  EMFPagesTest() {
    templatePage.UseMargins = true;
    templatePage.LeftMargin = 11;
    templatePage.TopMargin = 12;
    templatePage.RightMargin = 13;
    templatePage.BottomMargin = 14;
  }

  // One entry per list of texts: a text object per text, then a line and an add-in object.
  void AddPage(const QStringList& texts) {
    const int index = pages.Count();
    pages.Add(templatePage);
    auto page = std::make_unique<TrpPage>(nullptr, 9, 0, 0, 65535, 0);
    int y = 20;
    for (const QString& text : texts) {
      auto memo = std::make_unique<TrpMemoView>();
      memo->Name = QStringLiteral("Memo%1").arg(y);
      memo->SetBounds(30, y, 200, 18);
      memo->Memo = QStringList{text};
      page->Add(std::move(memo));
      y += 20;
    }
    auto line = std::make_unique<TrpLineView>();
    line->SetBounds(30, y, 200, 0);
    page->Add(std::move(line));
    auto shape = std::make_unique<TestShapeView>();
    shape->Shape = 7;
    shape->SetBounds(5, 6, 7, 8);
    page->Add(std::move(shape));
    pages.GetPage(index).PageObject = std::move(page);
    pages.StorePageObjects(index);
    pages.GetPage(index).PageObject.reset();
  }

  // Every object of a page as "kind:left,top,width,height:text".
  QStringList Objects(TrpEMFPages& from, int index) {
    QStringList result;
    TrpPage& page = from.LoadPageObjects(index);
    for (int i = 0; i < page.Count(); ++i) {
      const TrpView* v = page.GetObject(i);
      QString text = v->Memo.join(QLatin1Char('|'));
      if (const auto* shape = dynamic_cast<const TestShapeView*>(v)) text = QString::number(shape->Shape);
      result.append(QStringLiteral("%1:%2,%3,%4,%5:%6")
                        .arg(v->ObjectKind)
                        .arg(v->Left)
                        .arg(v->Top)
                        .arg(v->Width)
                        .arg(v->Height)
                        .arg(text));
    }
    return result;
  }

  QByteArray Saved() {
    TBinaryWriter out;
    pages.SaveToStream(out);
    return out.TakeData();
  }

  TrpPage templatePage{nullptr, 9, 0, 0, 65535, 0};
  TrpEMFPages pages;
};

TEST_F(EMFPagesTest, FileRoundTripKeepsPapersObjectsAndEdits) {
  AddPage({QStringLiteral("Prvá strana"), QStringLiteral("Žltý kôň")});
  AddPage({QStringLiteral("Druhá")});
  TrpPage& edited = pages.LoadPageObjects(1);
  edited.GetObject(0)->Memo = QStringList{QStringLiteral("opravené")};
  edited.GetObject(0)->Left = 99;
  pages.StorePageObjects(1);
  pages.InfoMarker = 77;

  const QByteArray bytes = Saved();
  EXPECT_EQ(quint8(bytes[0]), 25);
  EXPECT_EQ(quint8(bytes[1]), 0) << "written uncompressed";
  TBinaryReader in(bytes);
  TrpEMFPages loaded;
  loaded.LoadFromStream(in);
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(loaded.InfoMarker, 77);
  for (int i = 0; i < 2; ++i) {
    const TrpEMFPage& page = loaded.GetPage(i);
    EXPECT_EQ((QList<int>{page.PaperSize, page.PaperWidth, page.PaperHeight, page.Bin, page.UseMargins, page.LeftMargin,
                          page.TopMargin, page.RightMargin, page.BottomMargin}),
              (QList<int>{9, 2100, 2970, 65535, 1, 11, 12, 13, 14}));
    EXPECT_EQ(page.Objects(), pages.GetPage(i).Objects());
  }
  EXPECT_EQ(Objects(loaded, 0),
            (QStringList{QStringLiteral("0:30,20,200,18:Prvá strana"), QStringLiteral("0:30,40,200,18:Žltý kôň"),
                         QStringLiteral("4:30,60,200,0:"), QStringLiteral("10:5,6,7,8:7")}));
  EXPECT_EQ(Objects(loaded, 1), (QStringList{QStringLiteral("0:99,20,200,18:opravené"),
                                             QStringLiteral("4:30,40,200,0:"), QStringLiteral("10:5,6,7,8:7")}));
  EXPECT_EQ(Saved(), bytes) << "a loaded file saves to the same bytes";
}

// The build packs a page once the next one is added; the page still reads,
// takes later writes (its page footer) and saves as before.
TEST_F(EMFPagesTest, PagesBehindTheLastStayReadableAndWritable) {
  QStringList rows;
  for (int i = 1; i <= 40; ++i)
    rows.append(QStringLiteral("Rybár %1, Žilina").arg(i));
  AddPage(rows);
  const QByteArray written = pages.GetPage(0).Objects();
  const QStringList objects = Objects(pages, 0);
  AddPage({QStringLiteral("druhá")});
  AddPage({QStringLiteral("tretia")});

  EXPECT_EQ(pages.GetPage(0).Objects(), written);
  EXPECT_EQ(Objects(pages, 0), objects);
  const QByteArray file = Saved();
  TBinaryReader in(file);
  TrpEMFPages loaded;
  loaded.LoadFromStream(in);
  EXPECT_EQ(loaded.GetPage(0).Objects(), written) << "the file holds the objects unpacked";

  QByteArray& stream = pages.GetPage(0).Stream();
  EXPECT_EQ(stream, written) << "a write goes to the unpacked stream";
  TrpPage& page = pages.LoadPageObjects(0);
  page.GetObject(0)->Memo = QStringList{QStringLiteral("Strana 1 z 3")};
  pages.StorePageObjects(0);
  pages.GetPage(0).Pack();
  EXPECT_EQ(Objects(pages, 0).first(), QStringLiteral("0:30,20,200,18:Strana 1 z 3"));
  EXPECT_EQ(Objects(pages, 0).mid(1), objects.mid(1));
  EXPECT_EQ(Objects(pages, 2).first(), QStringLiteral("0:30,20,200,18:tretia"));
}

TEST_F(EMFPagesTest, FileWithoutVersionByteLoadsWithoutBinAndMargins) {
  AddPage({QStringLiteral("stará")});
  const QByteArray objects = pages.GetPage(0).Objects();
  TBinaryWriter out;   // the older layout: no version byte, no bin, no margins, texts ended by 0
  rpWriteByte(out, 0); // compressed flag
  out.WriteBytes("Virtual");
  rpWriteByte(out, 0);
  rpWriteInteger(out, 1);
  const qsizetype end = out.Size();
  rpWriteInteger(out, 0);
  rpWriteWord(out, 9);
  rpWriteInteger(out, 2100);
  rpWriteInteger(out, 2970);
  rpWriteByte(out, 0);
  rpWriteByte(out, 1);
  out.WriteBytes(objects);
  out.PatchUInt32(end, quint32(out.Size()));
  rpWriteByte(out, 88);
  TBinaryReader in(out.Data());
  TrpEMFPages loaded;
  loaded.LoadFromStream(in);
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.GetPage(0).Bin, -1);
  EXPECT_EQ(loaded.GetPage(0).LeftMargin, 0);
  EXPECT_TRUE(loaded.GetPage(0).UseMargins);
  EXPECT_EQ(Objects(loaded, 0).value(0), QStringLiteral("0:30,20,200,18:stará"));
}

// The oldest prepared files keep each page as one recorded drawing (this
// system's metafile is a QPicture recording) after an old-form printer list.
TEST_F(EMFPagesTest, OlderMetafileLayoutLoadsEachPageAsOnePicture) {
  const auto recording = [](QColor color) {
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, 794, 1123), color);
    painter.end();
    return QByteArray(picture.data(), qsizetype(picture.size()));
  };
  const struct {
    int paperSize, width, height;
    quint8 orientation, useMargins;
    QColor color;
  } pagesOfFile[] = {{9, 2100, 2970, 0, 1, Qt::red}, {9, 2100, 2970, 1, 0, Qt::blue}};
  TBinaryWriter out;
  out.WriteBytes("Laser\r"); // the old-form list: lines ended by 13, the list by 0
  rpWriteByte(out, 0);
  rpWriteInteger(out, 2);
  for (const auto& p : pagesOfFile) {
    const qsizetype end = out.Size();
    rpWriteInteger(out, 0);
    rpWriteWord(out, quint16(p.paperSize));
    rpWriteInteger(out, p.width);
    rpWriteInteger(out, p.height);
    rpWriteByte(out, p.orientation);
    rpWriteByte(out, p.useMargins);
    out.WriteBytes(recording(p.color));
    out.PatchUInt32(end, quint32(out.Size()));
  }
  TBinaryReader in(out.Data());
  TrpEMFPages loaded;
  loaded.LoadFromStream(in);
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_TRUE(in.AtEnd()) << "the older layout has no marker byte";
  for (int i = 0; i < 2; ++i) {
    const auto& p = pagesOfFile[i];
    TrpEMFPage& entry = loaded.GetPage(i);
    EXPECT_EQ((QList<int>{entry.PaperSize, entry.PaperWidth, entry.PaperHeight, entry.Orientation, entry.Bin,
                          entry.UseMargins}),
              (QList<int>{p.paperSize, p.width, p.height, p.orientation, -1, p.useMargins}))
        << "page " << i;
    TrpPage& page = loaded.LoadPageObjects(i);
    ASSERT_EQ(page.Count(), 1);
    const auto* picture = dynamic_cast<const TrpPictureView*>(page.GetObject(0));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Picture.Kind, 2);
    EXPECT_EQ(QSize(picture->Width, picture->Height), QSize(entry.PrnInfo.Width, entry.PrnInfo.Height));
    EXPECT_EQ(picture->Picture.Size(), QSize(794, 1123));
    // Drawn at a quarter of the page size, the page shows its recorded colour.
    QImage image(entry.PrnInfo.Width / 4, entry.PrnInfo.Height / 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    entry.Visible = true;
    loaded.Draw(i, &painter, image.rect());
    painter.end();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), p.color) << "page " << i;
  }
}

TEST_F(EMFPagesTest, EmptyAndDamagedFiles) {
  const QByteArray none = Saved();
  TBinaryReader empty(none);
  TrpEMFPages loaded;
  AddPage({});
  loaded.LoadFromStream(empty);
  EXPECT_EQ(loaded.Count(), 0) << "page count 0 is an empty prepared report";

  AddPage({QStringLiteral("x")});
  const QByteArray full = Saved();
  for (qsizetype cut : {qsizetype(3), full.size() / 2, full.size() - 1}) {
    const QByteArray part = full.left(cut);
    TBinaryReader in(part);
    EXPECT_THROW(loaded.LoadFromStream(in), EStreamError) << "cut at " << cut;
  }
  QByteArray unknown = pages.GetPage(0).Objects();
  unknown.append(char(10));
  unknown.append(QByteArray("\x05\x00Nikto\x00", 8));
  pages.GetPage(0).Stream() = unknown;
  EXPECT_THROW(pages.LoadPageObjects(0), Exception) << "an unregistered add-in class fails";
}

TEST_F(EMFPagesTest, InsertPlacesEntriesAndExportHandsEveryObject) {
  AddPage({QStringLiteral("a")});
  AddPage({QStringLiteral("b")});
  templatePage.LeftMargin = 50;
  pages.Insert(1, templatePage);
  pages.Insert(100, templatePage);
  EXPECT_EQ(pages.Count(), 4);
  EXPECT_EQ(pages.GetPage(1).LeftMargin, 50);
  EXPECT_EQ(pages.GetPage(1).Objects(), QByteArray(1, char(25)));
  EXPECT_EQ(pages.GetPage(2).LeftMargin, 11);
  QStringList exported;
  rpRun().ExportObject = [&](int x, int y, TrpView* v) { exported.append(QStringLiteral("%1,%2").arg(x).arg(y)); };
  pages.ExportPage(2);
  EXPECT_EQ(exported, (QStringList{QStringLiteral("30,20"), QStringLiteral("30,40"), QStringLiteral("5,6")}));
  EXPECT_FALSE(pages.GetPage(2).PageObject) << "the page object is freed after the export";
  pages.Delete(0);
  EXPECT_EQ(pages.GetPage(0).LeftMargin, 50);
}

} // namespace

namespace {

// A page with a page link, an outside link and a plain text, stacked at y 0, 100 and 200.
class EMFPageLinks : public EMFPagesTest {
protected:
  EMFPageLinks() {
    pages.Add(templatePage);
    auto page = std::make_unique<TrpPage>(nullptr, 9, 0, 0, 65535, 0);
    const struct {
      const char* name;
      const char* tag;
    } objects[] = {{"URL1", "@3"}, {"URLweb", "https://example.invalid/"}, {"Text", ""}};
    int y = 0;
    for (const auto& o : objects) {
      auto memo = std::make_unique<TrpMemoView>();
      memo->Name = QString::fromLatin1(o.name);
      memo->Tag = QString::fromLatin1(o.tag);
      memo->SetBounds(10, y, 100, 50);
      page->Add(std::move(memo));
      y += 100;
    }
    pages.GetPage(0).PageObject = std::move(page);
    pages.StorePageObjects(0);
    pages.OpenUrl = [this](const QString& url) { opened.append(url); };
  }
  QStringList opened;
};

TEST_F(EMFPageLinks, HitTestFindsLinksAndEvents) {
  const struct {
    QPoint point;
    bool click, withEvents, result;
    const char* link;
    int cursor;
    const char* fired;
  } cases[] = {
      {{20, 20}, true, false, true, "@3", 0, ""},         {{20, 20}, false, false, true, "@3", -21, ""},
      {{20, 120}, true, false, true, "", 0, ""},          {{20, 220}, true, false, false, "", 0, ""},
      {{20, 220}, true, true, true, "", 0, "click Text"}, {{20, 220}, false, true, true, "", 5, "over Text"},
      {{500, 500}, true, true, false, "", 0, ""},
  };
  for (const auto& c : cases) {
    QString fired;
    pages.OnObjectClick = c.withEvents ? [&](TrpView* v) { fired = QStringLiteral("click ") + v->Name; }
                                       : std::function<void(TrpView*)>();
    pages.OnMouseOverObject = c.withEvents ? [&](TrpView* v, int& cursor) {
      fired = QStringLiteral("over ") + v->Name;
      cursor = 5;
    } : std::function<void(TrpView*, int&)>();
    QString link;
    int cursor = 0;
    EXPECT_EQ(pages.HitTest(0, c.point, link, cursor, c.click), c.result) << c.point.x() << "," << c.point.y();
    EXPECT_EQ(link, QString::fromLatin1(c.link));
    EXPECT_EQ(cursor, c.cursor);
    EXPECT_EQ(fired, QString::fromLatin1(c.fired));
  }
  EXPECT_EQ(opened, QStringList{QStringLiteral("https://example.invalid/")})
      << "only the outside link's click opens it";
}

TEST_F(EMFPagesTest, DrawShowsVisiblePagesAndFreesHiddenOnes) {
  AddPage({QString()});
  pages.LoadPageObjects(0).GetObject(0)->FillColor = clBlack;
  pages.StorePageObjects(0);
  pages.GetPage(0).PageObject.reset();
  QImage image(758, 1071, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  pages.GetPage(0).Visible = true;
  pages.Draw(0, &painter, image.rect());
  EXPECT_TRUE(pages.GetPage(0).PageObject) << "a visible page keeps its objects";
  pages.GetPage(0).Visible = false;
  pages.Draw(0, &painter, image.rect());
  painter.end();
  EXPECT_FALSE(pages.GetPage(0).PageObject);
  // The black text object fills (30, 20) to (230, 38) at the page's own scale.
  EXPECT_EQ(image.pixel(130, 30), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(130, 50), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(20, 30), qRgb(255, 255, 255));
}

} // namespace
