#include "ReportFixture.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpXmlWriter.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QBuffer>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

class XmlWriter : public ReportFixture {
protected:
  XmlWriter() { QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia)); }
  ~XmlWriter() override { QLocale::setDefault(keptLocale); }

  QStringList Lines() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    rpSaveToRP3Stream(report, buffer);
    return QString::fromUtf8(buffer.data()).split(F("\r\n"));
  }
  // The element written for one object, without "/>".
  static QString Element(TrpView& object) {
    QString element;
    object.WriteXmlElement(element);
    return element;
  }
  template <class T> T* Add(std::unique_ptr<T> object) {
    return static_cast<T*>(report.Pages.GetPage(0)->Add(std::move(object)));
  }
  // The value of the attribute in the element, unescaped by an XML reader.
  static QString Attribute(const QString& element, const QString& name) {
    QXmlStreamReader reader(element + F("/>"));
    reader.readNextStartElement();
    return reader.attributes().value(name).toString();
  }

  const QLocale keptLocale;
  QObject owner;
  TrpReport report{&owner};
};

TEST_F(XmlWriter, EmptyReportIsTheFrameAndOnePageElement) {
  const QStringList lines = Lines();
  ASSERT_EQ(lines.size(), 5) << lines.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(lines[0], F("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
  EXPECT_TRUE(lines[1].startsWith(F("<TrpxReport ScriptLanguage=\"PascalScript\" "
                                    "ScriptText.text=\"begin&#13;&#10;&#13;&#10;end.&#13;&#10;\" Propdata=\"")))
      << lines[1].toStdString();
  EXPECT_TRUE(lines[1].endsWith(F(" ReportOptions.Password=\"\">")));
  EXPECT_EQ(lines[2],
            F("<TrpxReportPage Name=\"Page1\" Orientation=\"poPortrait\" PaperWidth=\"210\" PaperHeight=\"297\" "
              "PaperSize=\"9\" LeftMargin=\"%1\" RightMargin=\"%2\" TopMargin=\"%3\" BottomMargin=\"%4\" "
              "Columns=\"0\" ColumnWidth=\"0\"/>")
                .arg(Attribute(lines[2], F("LeftMargin")), Attribute(lines[2], F("RightMargin")),
                     Attribute(lines[2], F("TopMargin")), Attribute(lines[2], F("BottomMargin"))));
  EXPECT_EQ(lines[3], F("</TrpxReport>"));
  EXPECT_EQ(lines[4], QString());
  // No data set and no variable: two empty collections.
  const QString datasets = QString::fromLatin1(QByteArray("\x08"
                                                          "Datasets\x0e\x00",
                                                          11)
                                                   .toHex()
                                                   .toUpper());
  const QString variables = QString::fromLatin1(QByteArray("\x09"
                                                           "Variables\x0e\x00",
                                                           12)
                                                    .toHex()
                                                    .toUpper());
  EXPECT_EQ(Attribute(lines[1], F("Propdata")), datasets + variables);
}

TEST_F(XmlWriter, ScriptsBecomeProceduresOfTheScriptText) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->Name = F("Memo1");
  memo->Script = QStringList{F("begin"), F("  Visible := False;"), F("end")};
  Add(std::move(memo));
  auto line = std::make_unique<TrpMemoView>();
  line->Name = F("Memo2");
  line->Script = QStringList{F("Visible := False")};
  Add(std::move(line));
  const QStringList lines = Lines();
  const QString text = Attribute(lines[1], F("ScriptText.text"));
  EXPECT_EQ(text.split(F("\r\n")), (QStringList{F("procedure Memo1OnBeforePrint(Sender: TrpxComponent);"),
                                                F("begin"),
                                                F("  with Memo1, Engine do"),
                                                F("  begin"),
                                                F("  Visible := False;"),
                                                F("  end"),
                                                F("end;"),
                                                QString(),
                                                F("procedure Memo2OnBeforePrint(Sender: TrpxComponent);"),
                                                F("begin"),
                                                F("  with Memo2, Engine do"),
                                                F("  begin"),
                                                F("Visible := False"),
                                                F("  end"),
                                                F("end;"),
                                                QString(),
                                                F("begin"),
                                                QString(),
                                                F("end."),
                                                QString()}));
  EXPECT_TRUE(lines[3].contains(F(" OnBeforePrint=\"Memo1OnBeforePrint\" OnClick=\"Memo1OnBeforePrint\"")));
}

TEST_F(XmlWriter, VariableBoundToADatabaseFieldNamesTheReportDataSet) {
  owner.setObjectName(F("frmTlac"));
  rpAddGlobalComponent(&owner);
  TUxMemoryData sales(&owner);
  sales.setObjectName(F("qSales"));
  TUxFieldDef amount;
  amount.Name = F("Amount");
  amount.DataType = TUxFieldType::Integer;
  sales.AddFieldDef(amount);
  sales.Open();
  TrpDBDataSet walker(&owner);
  walker.setObjectName(F("_Sales"));
  walker.SetDataSet(&sales);
  report.Dictionary.Variables.SetVariable(F("Suma"), F("qSales.Amount"));
  report.Dictionary.Variables.SetVariable(F("Rok"), F("'2026'"));
  TrpPropertyStream expected;
  expected.Name(F("Datasets"));
  expected.CollectionBegin();
  expected.ListBegin();
  expected.Name(F("DataSet"));
  expected.Empty();
  expected.Name(F("DataSetName"));
  expected.Text(F("_Sales"));
  expected.ListEnd();
  expected.ListEnd();
  expected.Name(F("Variables"));
  expected.CollectionBegin();
  for (const auto& [name, value] : {std::pair{F("Suma"), F("<Sales.\"Amount\">")}, std::pair{F("Rok"), F("'2026'")}}) {
    expected.ListBegin();
    expected.Name(F("Name"));
    expected.Text(name);
    expected.Name(F("Value"));
    expected.Text(value);
    expected.ListEnd();
  }
  expected.ListEnd();
  EXPECT_EQ(Attribute(Lines()[1], F("Propdata")), expected.Hex());
  rpRemoveGlobalComponent(&owner);
}

TEST_F(XmlWriter, PropertyStreamEncoding) {
  const struct {
    std::function<void(TrpPropertyStream&)> write;
    const char* hex;
  } cases[] = {
      {[](TrpPropertyStream& s) { s.Name(F("pLeft")); }, "05704C656674"},
      {[](TrpPropertyStream& s) { s.Integer(100); }, "0264"},
      {[](TrpPropertyStream& s) { s.Integer(-2); }, "02FE"},
      {[](TrpPropertyStream& s) { s.Integer(300); }, "032C01"},
      {[](TrpPropertyStream& s) { s.Integer(70000); }, "0470110100"},
      {[](TrpPropertyStream& s) { s.Text(F("Žilina")); }, "06068E696C696E61"},
      {[](TrpPropertyStream& s) { s.Text(QString(300, QLatin1Char('a'))); },
       nullptr}, // checked below: byte 12 and a 32-bit length
  };
  for (const auto& c : cases) {
    TrpPropertyStream stream;
    c.write(stream);
    if (c.hex)
      EXPECT_EQ(stream.Hex(), QString::fromLatin1(c.hex));
    else
      EXPECT_TRUE(stream.Hex().startsWith(F("0C2C010000616161"))) << stream.Hex().left(20).toStdString();
  }
}

struct TElementCase {
  const char* name;
  std::function<std::unique_ptr<TrpView>()> make;
  std::vector<std::pair<const char*, const char*>> attributes; // name, value; a null value: absent
};

class Elements : public XmlWriter, public ::testing::WithParamInterface<TElementCase> {};

TEST_P(Elements, CarryTheirAttributes) {
  std::unique_ptr<TrpView> object = GetParam().make();
  const QString element = Element(*object);
  for (const auto& [name, value] : GetParam().attributes) {
    if (value)
      EXPECT_EQ(Attribute(element, QLatin1String(name)), QString::fromUtf8(value))
          << name << " in " << element.toStdString();
    else
      EXPECT_FALSE(element.contains(QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('='))) << name;
  }
}

std::unique_ptr<TrpView> Memo(quint16 frame, std::function<void(TrpMemoView&)> more = {}) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->Name = F("Memo1");
  memo->SetBounds(10, 20, 100, 18);
  memo->FrameTyp = frame;
  if (more) more(*memo);
  return memo;
}

std::unique_ptr<TrpView> Band(int type, quint16 flags) {
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(type);
  band->Name = F("Band1");
  band->Flags = flags;
  band->SetBounds(0, 40, 700, 20);
  return band;
}

INSTANTIATE_TEST_SUITE_P(
    XmlWriter, Elements,
    ::testing::Values(
        TElementCase{
            "allFrameLines", [] { return Memo(15); }, {{"Frame.Typ", "15"}, {"Left", "10"}, {"Name", "Memo1"}}},
        TElementCase{"leftLineOnly", [] { return Memo(4); }, {{"Frame.Typ", "1"}}},
        TElementCase{"bottomLineOnly", [] { return Memo(2); }, {{"Frame.Typ", "8"}}},
        TElementCase{"tagWithQuotesAndBreaks",
                     [] { return Memo(0, [](TrpMemoView& m) { m.Tag = F("a \"b\"\r\nc"); }); },
                     {{"TagStr", "a \"b\"\r\nc"}}},
        TElementCase{"textObject",
                     [] {
                       return Memo(0, [](TrpMemoView& m) {
                         m.Flags = mfStretched | mfHideZeros;
                         m.Font.Size = 10;
                         m.Font.Style.Bold = true;
                         m.Font.Style.Underline = true;
                         m.Alignment = 3 | 8 | 4;
                         m.BandAlign = 7;
                         m.Memo = QStringList{F("[Members.\"NAME\"]"), F("riadok")};
                         m.DisplayFormatCode = (1 << 24) | (1 << 16) | (2 << 8) | ',';
                       });
                     },
                     {{"StretchMode", "smMaxHeight"},
                      {"WordWrap", "False"},
                      {"HideZeros", "True"},
                      {"AutoWidth", nullptr},
                      {"Font.Name", "Arial"},
                      {"Font.Height", "-13"},
                      {"Font.Style", "5"},
                      {"HAlign", "3"},
                      {"VAlign", "2"},
                      {"Rotation", "90"},
                      {"Align", "4"},
                      {"Memo.text", "[Members.\"NAME\"]\r\nriadok\r\n"},
                      {"DisplayFormat.Kind", "fkNumeric"},
                      {"DisplayFormat.DecimalSeparator", ","},
                      {"DisplayFormat.FormatStr", "%2.2f"},
                      {"Highlight.Condition", nullptr}}},
        TElementCase{"dateFormatOwnText",
                     [] {
                       return Memo(0, [](TrpMemoView& m) {
                         m.DisplayFormatCode = (2 << 24) | (4 << 16);
                         m.DisplayFormatText = F("d.m.yyyy");
                       });
                     },
                     {{"DisplayFormat.Kind", "fkDateTime"}, {"DisplayFormat.FormatStr", "d.m.yyyy"}}},
        TElementCase{"yesNoFormat",
                     [] { return Memo(0, [](TrpMemoView& m) { m.DisplayFormatCode = (4 << 24) | (1 << 16); }); },
                     {{"DisplayFormat.Kind", "fkBoolean"}, {"DisplayFormat.FormatStr", "Nie;Ano"}}},
        TElementCase{"repeatedHeaderOnce",
                     [] { return Band(4, 64 | 16 | 32); },
                     {{"ReprintOnNewPage", "True"}, {"PrintOnFirstPage", nullptr}, {"Top", "40"}, {"Columns", "1"}}},
        TElementCase{"bandFlags",
                     [] { return Band(5, 1 | 8); },
                     {{"Stretched", "True"},
                      {"AllowSplit", "True"},
                      {"PrintOnFirstPage", "False"},
                      {"PrintOnLastPage", "False"},
                      {"Left", nullptr},
                      {"Color", nullptr}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(XmlWriter, BandElementNamesAndCrossBandsWriteNothing) {
  const QStringList expected{F("TrpxReportTitle"),
                             F("TrpxReportSummary"),
                             F("TrpxPageHeader"),
                             F("TrpxPageFooter"),
                             F("TrpxHeader"),
                             F("TrpxMasterData"),
                             F("TrpxFooter"),
                             F("TrpxHeader"),
                             F("TrpxDetailData"),
                             F("TrpxFooter"),
                             F("TrpxHeader"),
                             F("TrpxSubDetailData"),
                             F("TrpxFooter"),
                             F("TrpxOverlay"),
                             F("TrpxColumnHeader"),
                             F("TrpxColumnFooter"),
                             F("TrpxGroupHeader"),
                             F("TrpxGroupFooter"),
                             QString(),
                             QString(),
                             QString(),
                             F("TrpxChild"),
                             QString()};
  for (int type = 0; type <= 22; ++type) {
    const QString element = Element(*Band(type, 0));
    EXPECT_EQ(element.section(QLatin1Char(' '), 0, 0).mid(1), expected[type]) << type;
  }
  report.Pages.GetPage(0)->Add(Band(19, 0));
  const QStringList lines = Lines();
  EXPECT_EQ(lines[3], F("</TrpxReportPage>")) << "a page with only a cross band lists no element";
}

// A template whose names, font, text and tag hold Slovak letters, a quote,
// "&" and "<" is a well-formed UTF-8 document that gives the texts back.
TEST_F(XmlWriter, SlovakLettersAndMarkupCharactersStayWellFormed) {
  const QString odd = F("Žltý kôň \"&<>\" ľ");
  report.Info.Name = odd;
  report.Info.Author = F("Ján Šťastný");
  Add(Memo(15, [&](TrpMemoView& m) {
    m.Name = F("Čísla");
    m.Font.Name = F("Písmo \"&<");
    m.Memo = QStringList{odd};
    m.Tag = odd;
  }));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(F("zostava.rpf"));
  report.SaveAsXmlFile(file);
  QFile written(dir.filePath(F("zostava.rp3")));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  QXmlStreamReader reader(&written);
  QStringList values;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement())
      for (const QXmlStreamAttribute& a : reader.attributes())
        values.append(a.value().toString());
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  for (const QString& text : QStringList{odd, F("Ján Šťastný"), F("Čísla"), F("Písmo \"&<"), odd + F("\r\n")})
    EXPECT_TRUE(values.contains(text)) << text.toStdString();
  if (QStandardPaths::findExecutable(F("xmllint")).isEmpty()) GTEST_SKIP() << "xmllint is not installed";
  QProcess lint;
  lint.start(F("xmllint"), {F("--noout"), written.fileName()});
  ASSERT_TRUE(lint.waitForFinished());
  EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
}

TEST_F(XmlWriter, UnwritableFileRaisesAndWritesNothing) {
  EXPECT_THROW(report.SaveAsXmlFile(F("/nonexistent-folder/zostava.rpf")), Exception);
}

} // namespace
