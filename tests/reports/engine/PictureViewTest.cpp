#include "ReportFixture.h"
#include "core/DataSet.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <QtCore/QtEndian>

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
  rpGlobals().StreamVersion = 25;
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
  rpGlobals().StreamVersion = 25;
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
  picture.CallMethod(QStringLiteral("LOADFROMFILE"), QStringLiteral("'%1'").arg(file), none, none);
  EXPECT_EQ(picture.Picture.Kind, 1);
  EXPECT_EQ(picture.Picture.Image.size(), QSize(7, 3));
  picture.CallMethod(QStringLiteral("LOADFROMFILE"), QStringLiteral("'%1'").arg(dir.filePath(QStringLiteral("no.bmp"))),
                     none, none);
  EXPECT_TRUE(picture.Picture.IsEmpty());
  EXPECT_EQ(rpValueToInteger(rpConsts().GetVariable(QStringLiteral("btWMF"))), 3);
}

} // namespace
