#include "ReportFixture.h"
#include "core/DataSet.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <QtCore/QtEndian>
#include <QtGui/QPainter>

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

QImage Filled(int w, int h, QRgb color) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// Saves the object, appends a marker byte, and reads it into a new object.
std::unique_ptr<TrpPictureView> RoundTrip(TrpPictureView& source, bool* markerFollows) {
  TBinaryWriter writer;
  source.SaveToStream(writer);
  writer.WriteByte(0x5A);
  rpRun().StreamVersion = 25;
  TBinaryReader reader(writer.Data());
  auto read = std::make_unique<TrpPictureView>();
  read->LoadFromStream(reader);
  *markerFollows = reader.ReadByte() == 0x5A && reader.AtEnd();
  return read;
}

struct PayloadCase {
  const char* format;
  quint8 kind;
};

class PicturePayload : public ReportFixture, public ::testing::WithParamInterface<PayloadCase> {};

TEST_P(PicturePayload, DecodesAndKeepsItsBytes) {
  TrpPictureView picture;
  const QByteArray bytes = Encoded(Filled(6, 4, qRgb(0, 0, 255)), GetParam().format);
  picture.Picture.Load(GetParam().kind, bytes);
  bool markerFollows = false;
  auto read = RoundTrip(picture, &markerFollows);
  EXPECT_TRUE(markerFollows);
  EXPECT_EQ(read->Picture.Kind, GetParam().kind);
  EXPECT_EQ(read->Picture.Data, bytes);
  EXPECT_EQ(read->Picture.Image.size(), QSize(6, 4));
  EXPECT_GT(qBlue(read->Picture.Image.pixel(3, 2)), 240) << "the colour survives";
}

INSTANTIATE_TEST_SUITE_P(Picture, PicturePayload, ::testing::Values(PayloadCase{"BMP", 1}, PayloadCase{"JPG", 4}),
                         [](const auto& info) { return std::string(info.param.format); });

TEST_F(ReportFixture, PictureWithoutGraphicReadsBackEmpty) {
  TrpPictureView picture;
  picture.BlobType = 3;
  bool markerFollows = false;
  auto read = RoundTrip(picture, &markerFollows);
  EXPECT_TRUE(markerFollows) << "the stream stands after the record";
  EXPECT_TRUE(read->Picture.IsEmpty());
  EXPECT_EQ(read->BlobType, 3);
}

TEST_F(ReportFixture, OldPictureRecordHasNoBlobType) {
  TrpPictureView picture;
  picture.Name = QStringLiteral("P");
  TBinaryWriter writer;
  picture.SaveToStream(writer);
  QByteArray bytes = writer.TakeData();
  // Record version 1.0 (pair 10) has neither the alignment byte ending the
  // common record nor the blob type after the graphic kind.
  bytes[4] = char(1); // after the name "P"
  const qsizetype size = bytes.size();
  bytes.remove(size - 5, 1); // blob type
  bytes.remove(size - 7, 1); // band alignment
  qToLittleEndian<quint32>(quint32(bytes.size()), bytes.data() + bytes.size() - 4);
  rpRun().StreamVersion = 25;
  TrpPictureView read;
  read.BlobType = 2;
  TBinaryReader reader(bytes);
  read.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(read.BlobType, 2);
  EXPECT_TRUE(read.Picture.IsEmpty());
}

struct TargetCase {
  const char* name;
  quint16 flags;
  QSize object, picture;
  QRect expected;
};

class PictureTarget : public ReportFixture, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(PictureTarget, PlacesThePicture) {
  const TargetCase& c = GetParam();
  TrpPictureView picture;
  picture.FrameTyp = 0;
  picture.SetBounds(0, 0, c.object.width(), c.object.height());
  picture.Flags = c.flags;
  picture.Picture.Load(1, Encoded(Filled(c.picture.width(), c.picture.height(), qRgb(1, 2, 3)), "BMP"));
  picture.ToDeviceCoords(true);
  EXPECT_EQ(picture.TargetRect(), c.expected);
  picture.RestoreDesignCoords();
}

// DrawRect of a 200 x 50 object without frame lines spans 201 x 51 device pixels.
INSTANTIATE_TEST_SUITE_P(
    Picture, PictureTarget,
    ::testing::Values(
        TargetCase{"keepAspectWide", pfStretched | pfKeepAspect, {200, 50}, {10, 10}, {0, 0, 50, 51}},
        TargetCase{"keepAspectCentred", pfStretched | pfKeepAspect | pfCenter, {200, 50}, {10, 10}, {75, 0, 50, 51}},
        TargetCase{"keepAspectTall", pfStretched | pfKeepAspect, {20, 200}, {10, 10}, {0, 0, 21, 20}},
        TargetCase{"stretched", pfStretched | pfCenter, {200, 50}, {10, 10}, {0, 0, 201, 51}},
        TargetCase{"plain", 0, {200, 50}, {10, 10}, {0, 0, 10, 10}},
        TargetCase{"plainCentred", pfCenter, {200, 50}, {10, 10}, {95, 20, 10, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

// One blob column, null in the second row.
class BlobDataSet : public TDataSet {
public:
  QByteArray blob;

protected:
  void DoOpen(QList<TFieldDef>& out) override { out = {TFieldDef{QStringLiteral("FOTO"), TFieldType::Blob}}; }
  void DoClose() override {}
  int DoRecordCount() const override { return 2; }
  QVariant DoValue(int row, int) const override { return row == 0 ? QVariant(blob) : QVariant(); }
};

TEST_F(ReportFixture, PictureFromBlobFieldAndFile) {
  BlobDataSet data;
  data.blob = Encoded(Filled(5, 5, qRgb(9, 9, 9)), "JPG");
  data.Open();
  TrpPictureView picture;
  picture.BlobType = 1;
  picture.LoadFromBlobField(&data.FieldByName(QStringLiteral("FOTO")));
  EXPECT_EQ(picture.Picture.Kind, 4);
  EXPECT_EQ(picture.Picture.Image.size(), QSize(5, 5));
  data.Next();
  picture.LoadFromBlobField(&data.FieldByName(QStringLiteral("FOTO")));
  EXPECT_TRUE(picture.Picture.IsEmpty()) << "a null field clears the picture";

  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("logo.bmp"));
  ASSERT_TRUE(Filled(7, 3, qRgb(0, 255, 0)).save(file, "BMP"));
  const QVariant none;
  picture.CallMethod(rpRun(), QStringLiteral("LOADFROMFILE"), QStringLiteral("'%1'").arg(file), none, none);
  EXPECT_EQ(picture.Picture.Kind, 1);
  EXPECT_EQ(picture.Picture.Image.size(), QSize(7, 3));
  picture.CallMethod(rpRun(), QStringLiteral("LOADFROMFILE"),
                     QStringLiteral("'%1'").arg(dir.filePath(QStringLiteral("no.bmp"))), none, none);
  EXPECT_TRUE(picture.Picture.IsEmpty());
  EXPECT_EQ(rpValueToInteger(rpConsts().GetVariable(QStringLiteral("btWMF"))), 3);
}

// PICTURE hands a picture on by number: a live picture object's number copies
// its picture, 0 clears it, and any other value leaves the picture alone.
TEST_F(ReportFixture, PictureReferencesCopyOnlyLivePictures) {
  TrpPictureView logo;
  logo.Picture.Load(1, Encoded(Filled(6, 4, qRgb(0, 0, 255)), "BMP"));
  const QVariant logoNumber = logo.ReadProperty(QStringLiteral("PICTURE"));
  qint64 goneNumber = 0;
  {
    TrpPictureView gone;
    gone.Picture.Load(1, Encoded(Filled(2, 2, qRgb(255, 0, 0)), "BMP"));
    goneNumber = rpValueToInteger(gone.ReadProperty(QStringLiteral("PICTURE")));
  }
  TrpPictureView other;
  EXPECT_NE(rpValueToInteger(other.ReadProperty(QStringLiteral("PICTURE"))), rpValueToInteger(logoNumber));
  const struct {
    const char* name;
    QVariant value;
    bool startsWithPicture;
    QSize expected; // empty: no picture
  } cases[] = {
      {"number of a live picture", logoNumber, false, {6, 4}},
      {"that number as a fractional value", double(rpValueToInteger(logoNumber)), false, {6, 4}},
      {"zero clears", rpIntegerValue(0), true, {0, 0}},
      {"number of a freed picture", rpIntegerValue(goneNumber), true, {3, 3}},
      {"unknown number", rpIntegerValue(987654321), true, {3, 3}},
      {"its own number", other.ReadProperty(QStringLiteral("PICTURE")), true, {3, 3}},
      {"text", QStringLiteral("obrázok"), true, {3, 3}},
      {"null", QVariant(), true, {3, 3}},
  };
  for (const auto& c : cases) {
    other.Picture.Clear();
    if (c.startsWithPicture) other.Picture.Load(1, Encoded(Filled(3, 3, qRgb(0, 255, 0)), "BMP"));
    other.WriteProperty(QStringLiteral("PICTURE"), c.value);
    EXPECT_EQ(other.Picture.Image.size(), c.expected) << c.name;
  }
}

TEST_F(ReportFixture, ScriptCopiesAPictureByReference) {
  QObject owner;
  TrpReport report{&owner};
  auto logo = std::make_unique<TrpPictureView>();
  logo->Name = QStringLiteral("Logo");
  logo->Picture.Load(4, Encoded(Filled(8, 5, qRgb(0, 0, 255)), "JPG"));
  auto copy = std::make_unique<TrpPictureView>();
  copy->Name = QStringLiteral("Copy");
  TrpPage* page = report.Pages.GetPage(0);
  page->Add(std::move(logo));
  auto* target = static_cast<TrpPictureView*>(page->Add(std::move(copy)));
  report.BindParser(rpRun());
  QStringList coded, errors;
  rpRun().Interpreter->PrepareScript({QStringLiteral("Copy.Picture := Logo.Picture")}, coded, errors);
  ASSERT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
  rpRun().Interpreter->DoScript(coded);
  EXPECT_EQ(target->Picture.Kind, 4);
  EXPECT_EQ(target->Picture.Image.size(), QSize(8, 5));
}

// Drawn while building: the graphic fills its target rectangle; an icon is left out on a printer.
TEST_F(ReportFixture, PictureDrawsItsGraphic) {
  const struct {
    const char* name;
    quint8 kind;
    const char* format;
    bool printer;
    QColor centre;
  } cases[] = {
      {"bitmap on screen", 1, "BMP", false, Qt::blue},
      {"bitmap on a printer", 1, "BMP", true, Qt::blue},
      {"icon on screen", 3, "ICO", false, Qt::blue},
      {"icon on a printer", 3, "ICO", true, Qt::white},
  };
  rpRun().EngineMode = true;
  for (const auto& c : cases) {
    TrpPictureView picture;
    picture.FrameTyp = 0;
    picture.Flags = pfStretched;
    picture.SetBounds(10, 10, 40, 20);
    picture.Picture.Load(c.kind, Encoded(Filled(16, 16, qRgb(0, 0, 255)), c.format));
    if (picture.Picture.Image.isNull()) GTEST_SKIP() << "no image plugin for " << c.format;
    picture.PrinterOutput = c.printer ? 1 : 0;
    QImage canvas(60, 40, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    picture.Draw(rpRun(), &painter);
    painter.end();
    EXPECT_EQ(canvas.pixelColor(30, 20), c.centre) << c.name;
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(Qt::white)) << c.name << ": nothing outside the object";
    EXPECT_EQ((QList<int>{picture.Left, picture.Top, picture.Width, picture.Height}), (QList<int>{10, 10, 40, 20}))
        << c.name << ": design coordinates restored";
  }
}

} // namespace
