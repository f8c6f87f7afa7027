#include "util/XMLDataset.h"
#include "core/CodePage1250.h"
#include "util/UxMemDS.h"
#include <QtCore/QBuffer>
#include <gtest/gtest.h>

TEST(SeekInXMLFileTest, FindsPatternsWithinTheRange) {
  TSeekInXMLFile seek;
  seek.SetText(QByteArray("<a><ROW>x</row><row>"));
  const struct {
    const char* Pattern;
    qsizetype From, To;
    bool CaseSensitive;
    qsizetype Expected;
  } cases[] = {
      {"<row>", 0, 20, false, 3},   {"<row>", 0, 20, true, 15},  {"<row>", 4, 20, false, 15},
      {"<row>", 0, 7, false, -1},   {"<row>", 0, 8, false, 3},   {"", 0, 20, false, -1},
      {"<row>", 25, 30, false, -1}, {"</ROW>", 0, 20, false, 9}, {"zzz", 0, 20, false, -1},
  };
  for (const auto& c : cases) {
    seek.SetCaseSensitive(c.CaseSensitive);
    EXPECT_EQ(seek.Find(c.Pattern, c.From, c.To), c.Expected) << c.Pattern << " " << c.From;
  }
  TSeekInXMLFile empty;
  EXPECT_EQ(empty.Find("a", 0, 10), -1);
  // Letters of code page 1250 fold too.
  seek.SetCaseSensitive(false);
  seek.SetText(Cp1250::Encode(QString::fromUtf8("xxŠťastie")));
  EXPECT_EQ(seek.Find(Cp1250::Encode(QString::fromUtf8("šŤ")), 0, 100), 2);
}

namespace {

const char* const kHeader =
    "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
    "<datapacket version=\"2.000\" day=\"5\" month=\"3\" year=\"2024\" hour=\"10\" min=\"20\" sec=\"30\" msec=\"0\">";
const char* const kMetadata = "<metadata fielddefs=\"yes\" indexdefs=\"no\" recorddata=\"yes\" changes=\"no\">"
                              "<fielddefs count=\"3\">"
                              "<fielddef name=\"CISLO\" fieldindex=\"0\" datatype=\"integer\" required=\"true\" "
                              "displaylabel=\"Číslo\" displaywidth=\"7\"/>"
                              "<fielddef name=\"TEXT\" datatype=\"memo\" readonly=\"true\"/>"
                              "<fielddef name=\"KURZOR\" datatype=\"cursor\"/>"
                              "</fielddefs></metadata>";

QByteArray Row(int number, const QByteArray& text) {
  const QByteArray bytes = Cp1250::Encode(QString::fromUtf8(text));
  return "<row><field name=\"CISLO\" value=\"" + QByteArray::number(number) + "\"/><field name=\"TEXT\" size=\"" +
         QByteArray::number(bytes.size()) + "\"><![CDATA[" + bytes.toBase64() + "]]></field></row>";
}

struct TRead {
  QString Error;
  QStringList Fields;
  QList<QVariantList> Rows;
};

TRead Read(const QByteArray& packet, TXMLDataset* xmlOut = nullptr) {
  TUxMemoryData data;
  TXMLDataset local;
  TXMLDataset& xml = xmlOut ? *xmlOut : local;
  xml.SetDataSet(&data);
  QByteArray bytes = packet;
  QBuffer stream(&bytes);
  stream.open(QIODevice::ReadOnly);
  xml.LoadFromStream(&stream);
  TRead result{xml.LastError(), data.FieldNames(), {}};
  for (int recNo = 1; recNo <= data.RecordCount(); ++recNo) {
    data.SetRecNo(recNo);
    QVariantList row;
    for (const auto& field : data.Fields())
      row << field->AsVariant();
    result.Rows << row;
  }
  return result;
}

QByteArray Packet(const QByteArray& metadata, const QByteArray& recordData) {
  return QByteArray(kHeader) + metadata + recordData + "</datapacket>";
}

} // namespace

TEST(XMLDatasetTest, ReadsTheDefinitionsAndRowsOfAPacket) {
  TXMLDataset xml;
  const TRead read = Read(
      Packet(kMetadata, "<recorddata count=\"2\">" + Row(1, "Áno; a:b") + Row(2, "druhý\r\nriadok") + "</recorddata>"),
      &xml);
  EXPECT_EQ(read.Error, QString());
  EXPECT_EQ(read.Fields, (QStringList{QStringLiteral("CISLO"), QStringLiteral("TEXT")})); // the cursor gets no field
  EXPECT_EQ(read.Rows,
            (QList<QVariantList>{{1, QString::fromUtf8("Áno; a:b")}, {2, QString::fromUtf8("druhý\r\nriadok")}}));
  EXPECT_DOUBLE_EQ(xml.PacketVersion(), 2.0);
  EXPECT_EQ(DateTime::ToDateTime(xml.PacketTime()), QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)));
  EXPECT_EQ(xml.FieldDefCount(), 3);
  EXPECT_EQ(xml.RecordCount(), 2);
  EXPECT_TRUE(xml.HasFieldDefs() && xml.HasRecordData());
  EXPECT_FALSE(xml.HasIndexDefs() || xml.HasChanges());
}

TEST(XMLDatasetTest, EdgeCasesOfThePacketText) {
  const QByteArray rows2 = "<recorddata count=\"2\">" + Row(1, "a") + Row(2, "b") + "</recorddata>";
  const QList<QVariantList> both{{1, QStringLiteral("a")}, {2, QStringLiteral("b")}};
  const struct {
    const char* Case;
    QByteArray Packet;
    const char* Error;
    QList<QVariantList> Rows;
    int Fields;
  } cases[] = {
      {"upper-case elements",
       Packet(QByteArray(kMetadata).replace("fielddef", "FIELDDEF").replace("metadata", "METADATA"),
              QByteArray(rows2).replace("<row>", "<ROW>").replace("</row>", "</ROW>")),
       "", both, 2},
      {"upper-case attribute names",
       Packet(kMetadata, "<recorddata><row><field NAME=\"CISLO\" VALUE=\"1\"/></row></recorddata>"),
       "Unexpected parameter(s)",
       {},
       2},
      {"null and empty",
       Packet(kMetadata, "<recorddata><row><field name=\"CISLO\" size=\"-1\"></field><field name=\"TEXT\" "
                         "size=\"0\"></field></row></recorddata>"),
       "",
       {{QVariant(), QString()}},
       2},
      {"index definitions",
       Packet(QByteArray(kMetadata).replace("</fielddefs>",
                                            "</fielddefs><indexdefs count=\"1\"><indexdef name=\"x\"/></indexdefs>"),
              rows2),
       "", both, 2},
      {"no metadata", Packet("", rows2), "Metadata not found", {}, 0},
      {"no fielddefs", Packet("<metadata fielddefs=\"no\"></metadata>", rows2), "Fielddefs not found", {}, 0},
      {"newer version", Packet(kMetadata, rows2).replace("2.000", "2.5"), "Incompatible file verion", {}, 0},
      {"count 0 is not checked", Packet(kMetadata, QByteArray(rows2).replace("count=\"2\"", "count=\"0\"")), "", both,
       2},
      {"count short of the rows", Packet(kMetadata, QByteArray(rows2).replace("count=\"2\"", "count=\"5\"")),
       "Insufficient Record Count Received", both, 2},
      {"references stay as written",
       Packet(kMetadata, "<recorddata><row><field name=\"CISLO\" value=\"1\"/><field name=\"TEXT\" value=\"a &amp; "
                         "b\"/></row></recorddata>"),
       "",
       {{1, QStringLiteral("a &amp; b")}},
       2},
      {"cdata size",
       Packet(kMetadata, "<recorddata>" + Row(1, "a") + QByteArray(Row(2, "bb")).replace("size=\"2\"", "size=\"3\"") +
                             "</recorddata>"),
       "Unexpected CDATA Size",
       {{1, QStringLiteral("a")}},
       2},
      {"three attributes",
       Packet(kMetadata,
              "<recorddata>" + Row(1, "a") + "<row><field name=\"CISLO\" value=\"2\" size=\"1\"/></row></recorddata>"),
       "Insufficient number of parameters",
       {{1, QStringLiteral("a")}},
       2},
      {"unknown field",
       Packet(kMetadata, "<recorddata><row><field name=\"INY\" value=\"2\"/></row></recorddata>"),
       "Field not found",
       {},
       2},
      {"value of the wrong type",
       Packet(kMetadata, "<recorddata><row><field name=\"CISLO\" value=\"x\"/></row></recorddata>"),
       "Invalid value",
       {},
       2},
      {"base64 with line breaks",
       Packet(kMetadata,
              "<recorddata><row><field name=\"TEXT\" size=\"6\"><![CDATA[YWJj\r\nZGVm]]></field></row></recorddata>"),
       "",
       {{QVariant(), QStringLiteral("abcdef")}},
       2},
      {"invalid packet date",
       QByteArray(Packet(kMetadata, rows2)).replace("month=\"3\"", "month=\"13\""),
       "Invalid packet date",
       {},
       0},
  };
  for (const auto& c : cases) {
    const TRead read = Read(c.Packet);
    EXPECT_EQ(read.Error, QString::fromLatin1(c.Error)) << c.Case;
    EXPECT_EQ(read.Rows, c.Rows) << c.Case;
    EXPECT_EQ(read.Fields.size(), c.Fields) << c.Case;
  }
}

TEST(XMLDatasetTest, ValuesInThePacketsFormats) {
  const QByteArray metadata =
      "<metadata><fielddefs>"
      "<fielddef name=\"D\" datatype=\"date\"/><fielddef name=\"T\" datatype=\"time\"/>"
      "<fielddef name=\"DT\" datatype=\"datetime\"/><fielddef name=\"F\" datatype=\"float\"/>"
      "<fielddef name=\"B\" datatype=\"boolean\"/><fielddef name=\"L\" datatype=\"largeint\"/>"
      "<fielddef name=\"S\" datatype=\"string\" fieldsize=\"10\"/><fielddef name=\"X\" datatype=\"blob\"/>"
      "</fielddefs></metadata>";
  const QByteArray row =
      "<recorddata><row><field name=\"D\" value=\"2024-03-05\"/><field name=\"T\" value=\"10:20:30:500\"/>"
      "<field name=\"DT\" value=\"2024-03-05 10:20:30:000\"/><field name=\"F\" value=\"1234.5\"/>"
      "<field name=\"B\" value=\"true\"/><field name=\"L\" value=\"9000000000\"/>"
      "<field name=\"S\" value=\"" +
      Cp1250::Encode(QString::fromUtf8("Žaba")) +
      "\"/>"
      "<field name=\"X\" size=\"3\"><![CDATA[AP8B]]></field></row></recorddata>";
  const TRead read = Read(Packet(metadata, row));
  EXPECT_EQ(read.Error, QString());
  EXPECT_EQ(read.Rows,
            (QList<QVariantList>{{QDate(2024, 3, 5), QTime(10, 20, 30, 500),
                                  QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)), 1234.5, true, qint64(9000000000),
                                  QString::fromUtf8("Žaba"), QByteArray("\x00\xff\x01", 3)}}));
}

TEST(XMLDatasetTest, ATargetAndAStreamAreRequired) {
  TXMLDataset xml;
  QBuffer stream;
  stream.open(QIODevice::ReadOnly);
  EXPECT_THROW(xml.LoadFromStream(&stream), EXMLDatasetError);
  TUxMemoryData data;
  xml.SetDataSet(&data);
  EXPECT_THROW(xml.LoadFromStream(nullptr), EXMLDatasetError);
  xml.LoadFromStream(&stream); // an empty stream ends the read without rows
  EXPECT_EQ(xml.LastError(), QStringLiteral("Datapacket not found"));
}
