#include "core/Exception.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpQPLFunctionLibrary.h"
#include "reports/engine/rpRegistries.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpStdFunctionLibrary.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QBuffer>
#include <QtCore/QTemporaryFile>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPalette>
#include <gtest/gtest.h>

namespace {

// A program data set over fixed rows.
class RowsDataSet : public TDataSet {
public:
  QList<TFieldDef> defs;
  QList<QVariantList> rows;

protected:
  void DoOpen(QList<TFieldDef>& out) override { out = defs; }
  void DoClose() override {}
  int DoRecordCount() const override { return int(rows.size()); }
  QVariant DoValue(int row, int field) const override { return rows[row][field]; }
};

// A report walker over a program data set, as the database walker is.
class WrappingDataset : public TrpDataset {
public:
  WrappingDataset(QObject* owner, TDataSet* wrapped) : TrpDataset(owner), wrapped_(wrapped) {}
  TDataSet* WrappedDataSet() const override { return wrapped_; }

private:
  TDataSet* wrapped_;
};

class FakeReport : public TrpReportBase {
public:
  using TrpReportBase::TrpReportBase;
  TrpDataset* dataset = nullptr;
  bool useDefault = true;
  int bandType = -1;
  QMap<int, TrpDataset*> bands;
  TrpDataset* Dataset() const override { return dataset; }
  bool UseDefaultDataSetName() const override { return useDefault; }
  int CurrentBandType() const override { return bandType; }
  TrpDataset* PageDataBandDataSet(int type) const override { return bands.value(type); }
};

// A form with a member query, a frame holding another, and a report.
class EngineTest : public ::testing::Test {
protected:
  void SetUp() override {
    rpEngineStart();
    form.setObjectName(QStringLiteral("frmTlac"));
    members = new RowsDataSet;
    members->setParent(&form);
    members->setObjectName(QStringLiteral("ib1"));
    members->defs = {{QStringLiteral("MENO"), TFieldType::String, 20},
                     {QStringLiteral("ROK"), TFieldType::Integer},
                     {QStringLiteral("PLATIL"), TFieldType::Boolean},
                     {QStringLiteral("CISLO"), TFieldType::LargeInt}};
    members->rows = {{QStringLiteral("Ján"), 2026, true, qlonglong(12345678901LL)},
                     {QVariant(), QVariant(), QVariant(), QVariant()}};
    members->Open();
    frame = new QObject(&form);
    frame->setObjectName(QStringLiteral("Ramec"));
    rpMarkAsFrame(frame);
    detail = new RowsDataSet;
    detail->setParent(frame);
    detail->setObjectName(QStringLiteral("ib2"));
    detail->defs = {{QStringLiteral("SUMA"), TFieldType::Float}};
    detail->rows = {{1.5}};
    detail->Open();
    rpAddGlobalComponent(&form);
    report = new FakeReport(&form);
    master = new WrappingDataset(&form, members);
    master->setObjectName(QStringLiteral("MASTER"));
    rpRun().CurrentReport = report;
  }
  void TearDown() override {
    rpRun().CurrentReport = nullptr;
    rpRemoveGlobalComponent(&form);
    rpEngineEnd();
  }

  QObject form;
  RowsDataSet* members = nullptr;
  RowsDataSet* detail = nullptr;
  QObject* frame = nullptr;
  FakeReport* report = nullptr;
  WrappingDataset* master = nullptr;
};

TEST(ReportDataset, RangeDecidesWhereTheWalkEnds) {
  const struct {
    TRangeEnd end;
    int count;
    int walked;    // bands printed
    int nextFired; // OnNext calls
  } cases[] = {{TRangeEnd::reCount, 3, 3, 2}, {TRangeEnd::reCount, 0, 0, 0}, {TRangeEnd::reCount, 1, 1, 0}};
  for (const auto& c : cases) {
    TrpUserDataset ds;
    ds.RangeEnd = c.end;
    ds.RangeEndCount = c.count;
    int fired = 0, firsts = 0;
    ds.OnFirst = [&](TrpDataset*) { ++firsts; };
    ds.OnNext = [&](TrpDataset*) { ++fired; };
    int walked = 0;
    ds.Init();
    for (ds.First(); !ds.Eof() && walked < 100; ds.Next())
      ++walked;
    ds.Exit();
    EXPECT_EQ(walked, c.walked);
    EXPECT_EQ(fired, c.nextFired);
    EXPECT_EQ(firsts, 1);
  }
}

TEST(ReportDataset, UserDataSetPublishesItsRange) {
  TrpUserDataset ds;
  EXPECT_TRUE(ds.setProperty("RangeEnd", QStringLiteral("reCount")));
  EXPECT_TRUE(ds.setProperty("RangeEndCount", 2));
  EXPECT_TRUE(ds.setProperty("RangeBegin", QStringLiteral("rbCurrent")));
  EXPECT_EQ(ds.RangeEnd, TRangeEnd::reCount);
  EXPECT_EQ(ds.RangeEndCount, 2);
  EXPECT_EQ(ds.RangeBegin, TRangeBegin::rbCurrent);
  EXPECT_EQ(ds.property("RangeEnd").value<TRangeEnd>(), TRangeEnd::reCount);
}

TEST(ReportDataset, WithoutCheckEofALastRangeNeverEndsAndTheEventDecides) {
  TrpUserDataset ds;
  EXPECT_EQ(ds.RangeBegin, TRangeBegin::rbFirst);
  EXPECT_EQ(ds.RangeEnd, TRangeEnd::reLast);
  ds.First();
  for (int i = 0; i < 50; ++i)
    ds.Next();
  EXPECT_FALSE(ds.Eof());
  ds.OnCheckEOF = [](TrpDataset* sender, bool& eof) { eof = sender->RecNo() >= 2; };
  ds.First();
  EXPECT_FALSE(ds.Eof());
  ds.Next();
  ds.Next();
  EXPECT_TRUE(ds.Eof());
  ds.Prior();
  EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(EngineTest, BlobsGoToStreamsListsAndPictures) {
  RowsDataSet blobs;
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QByteArray png;
  QBuffer pngBuffer(&png);
  pngBuffer.open(QIODevice::WriteOnly);
  picture.save(&pngBuffer, "PNG");
  blobs.defs = {{QStringLiteral("DATA"), TFieldType::Blob},
                {QStringLiteral("POZN"), TFieldType::Memo},
                {QStringLiteral("MENO"), TFieldType::String}};
  blobs.rows = {{png, QStringLiteral("riadok 1\r\nriadok 2"), QStringLiteral("x")}};
  blobs.Open();
  EXPECT_TRUE(rpIsBlob(blobs.FindField(QStringLiteral("DATA"))));
  EXPECT_TRUE(rpIsBlob(blobs.FindField(QStringLiteral("POZN"))));
  EXPECT_FALSE(rpIsBlob(blobs.FindField(QStringLiteral("MENO"))));
  EXPECT_FALSE(rpIsBlob(nullptr));

  QBuffer stream;
  stream.open(QIODevice::ReadWrite);
  rpAssignBlobTo(blobs.FindField(QStringLiteral("DATA")), stream);
  EXPECT_EQ(stream.pos(), 0);
  EXPECT_EQ(stream.data(), png);
  QStringList lines;
  rpAssignBlobTo(blobs.FindField(QStringLiteral("POZN")), lines);
  EXPECT_EQ(lines, (QStringList{QStringLiteral("riadok 1"), QStringLiteral("riadok 2")}));
  QImage image;
  rpAssignBlobTo(blobs.FindField(QStringLiteral("DATA")), image);
  EXPECT_EQ(image.size(), QSize(3, 2));

  QStringList names{QStringLiteral("stale")};
  rpGetFieldNames(&blobs, names);
  EXPECT_EQ(names, (QStringList{QStringLiteral("DATA"), QStringLiteral("POZN"), QStringLiteral("MENO")}));
}

TEST_F(EngineTest, FindsComponentsByDottedNames) {
  EXPECT_EQ(rpFindComponent(&form, QStringLiteral("IB1")), members);
  EXPECT_EQ(rpFindComponent(&form, QStringLiteral("nic")), nullptr);
  EXPECT_EQ(rpFindComponent(nullptr, QStringLiteral("frmTlac.ib1")), members);
  EXPECT_EQ(rpFindComponent(nullptr, QStringLiteral("frmTlac.Ramec.ib2")), detail);
  EXPECT_EQ(rpFindComponent(nullptr, QStringLiteral("frmInde.ib1")), nullptr);
  EXPECT_EQ(rpFindDataSet(rpRun().CurrentReport, QStringLiteral("MASTER")), master);
  try {
    rpFindComponent(nullptr, QStringLiteral("ib1"));
    ADD_FAILURE();
  } catch (const ErpClassNotFound& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Missing ib1"));
  }

  QObject module;
  module.setObjectName(QStringLiteral("dmData"));
  auto* moduleSet = new RowsDataSet;
  moduleSet->setParent(&module);
  moduleSet->setObjectName(QStringLiteral("qDoklady"));
  rpAddGlobalComponent(&module, TrpGlobalKind::DataModule);
  QList<TrpComponentEntry> list;
  rpGetComponents(&form, TDataSet::staticMetaObject, list);
  EXPECT_EQ(list, (QList<TrpComponentEntry>{{QStringLiteral("frmTlac.Ramec.ib2"), detail},
                                            {QStringLiteral("ib1"), members},
                                            {QStringLiteral("dmData.qDoklady"), moduleSet}}));
  rpGetComponents(nullptr, TrpDataset::staticMetaObject, list, nullptr);
  EXPECT_EQ(list, (QList<TrpComponentEntry>{{QStringLiteral("frmTlac.MASTER"), master}}));
  rpGetComponents(&form, TDataSet::staticMetaObject, list, members);
  EXPECT_EQ(list, (QList<TrpComponentEntry>{{QStringLiteral("frmTlac.Ramec.ib2"), detail},
                                            {QStringLiteral("dmData.qDoklady"), moduleSet}}));
  rpRemoveGlobalComponent(&module);
}

TEST_F(EngineTest, ResolvesFieldReferences) {
  const struct {
    const char* reference;
    TDataSet* dataSet;
    const char* field;
  } cases[] = {{"MASTER.Meno", members, "Meno"},    {"MASTER.\"ROK\"", members, "ROK"},
               {"frmTlac.ib1.ROK", members, "ROK"}, {"frmTlac.Ramec.ib2.SUMA", detail, "SUMA"},
               {"MASTER.NEMA", members, ""},        {"NEMA.ROK", nullptr, ""},
               {"MASTER.\"A.B\"", members, ""}};
  for (const auto& c : cases) {
    TDataSet* dataSet = nullptr;
    QString field;
    rpGetDataSetAndField(rpRun().CurrentReport, QLatin1String(c.reference), dataSet, field);
    EXPECT_EQ(dataSet, c.dataSet) << c.reference;
    EXPECT_EQ(field, QLatin1String(c.field)) << c.reference;
  }
  TDataSet* given = detail;
  QString field;
  rpGetDataSetAndField(rpRun().CurrentReport, QStringLiteral("suma"), given, field);
  EXPECT_EQ(given, detail);
  EXPECT_EQ(field, QStringLiteral("suma"));
  EXPECT_EQ(rpCheckFieldName(nullptr, QStringLiteral("SUMA")), QString());
}

TEST_F(EngineTest, FieldValuesAndNullTests) {
  members->First();
  EXPECT_EQ(rpGetFieldValue(members->FindField(QStringLiteral("MENO"))), QVariant(QStringLiteral("Ján")));
  EXPECT_EQ(rpGetFieldValue(members->FindField(QStringLiteral("CISLO"))), QVariant(QStringLiteral("12345678901")));
  members->Next();
  EXPECT_EQ(rpGetFieldValue(members->FindField(QStringLiteral("MENO"))), QVariant(QString()));
  EXPECT_EQ(rpGetFieldValue(members->FindField(QStringLiteral("PLATIL"))), QVariant(false));
  EXPECT_EQ(rpGetFieldValue(members->FindField(QStringLiteral("ROK"))), rpIntegerValue(0));

  members->Close();
  EXPECT_EQ(rpGetFieldValue(&detail->FieldByName(QStringLiteral("SUMA"))), QVariant(1.5));
  members->Open();

  // Without a data-set part the master band's data set answers.
  report->bandType = 4;
  report->bands[5] = master;
  members->First();
  EXPECT_FALSE(rpIsFieldNull(rpRun().CurrentReport, QStringLiteral("ROK")));
  EXPECT_TRUE(rpIsFieldNull(rpRun().CurrentReport, QStringLiteral("NEMA")));
  members->Next();
  EXPECT_TRUE(rpIsFieldNull(rpRun().CurrentReport, QStringLiteral("ROK")));
  EXPECT_TRUE(rpIsFieldNull(rpRun().CurrentReport, QStringLiteral("MASTER.MENO")));
  members->First();
  EXPECT_FALSE(rpIsFieldNull(rpRun().CurrentReport, QStringLiteral("MASTER.MENO")));
  report->useDefault = false;
  EXPECT_TRUE(rpIsFieldNull(rpRun().CurrentReport, QStringLiteral("ROK")));
}

TEST_F(EngineTest, DefaultDataSetFollowsTheBandBeingPrinted) {
  WrappingDataset detailWalker(nullptr, detail);
  TrpUserDataset virtualWalker;
  report->dataset = &detailWalker;
  report->bands = {{5, master}, {8, &detailWalker}, {11, &virtualWalker}};
  const struct {
    int bandType;
    TDataSet* expected;
  } cases[] = {{-1, detail},  {0, members},  {5, members}, {17, members}, {9, detail},
               {11, nullptr}, {19, nullptr}, {21, detail}, {7, detail}};
  for (const auto& c : cases) {
    report->bandType = c.bandType;
    EXPECT_EQ(rpGetDefaultDataSet(rpRun().CurrentReport), c.expected) << c.bandType;
  }
  rpRun().CurrentReport = nullptr;
  EXPECT_EQ(rpGetDefaultDataSet(rpRun().CurrentReport), nullptr);
}

TEST_F(EngineTest, BandDataSourceIsACountOrANamedWalker) {
  bool created = false;
  std::unique_ptr<TrpDataset> counted(rpResolveBandDataSource(rpRun().CurrentReport, QStringLiteral("5"), created));
  ASSERT_TRUE(counted);
  EXPECT_TRUE(created);
  int walked = 0;
  for (counted->First(); !counted->Eof(); counted->Next())
    ++walked;
  EXPECT_EQ(walked, 5);

  EXPECT_EQ(rpResolveBandDataSource(rpRun().CurrentReport, QStringLiteral("MASTER"), created), master);
  EXPECT_FALSE(created);
  EXPECT_EQ(rpResolveBandDataSource(rpRun().CurrentReport, QStringLiteral("Nikto"), created), nullptr);
  EXPECT_THROW(rpResolveBandDataSource(rpRun().CurrentReport, QStringLiteral("ib1"), created), ErpInvalidType);
  EXPECT_THROW(rpResolveBandDataSource(rpRun().CurrentReport, QStringLiteral("5x"), created), ErpConversionError);
}

TEST(EngineText, ConversionsAndEncoders) {
  EXPECT_EQ(rpStrToXML(QStringLiteral("a<b & \"c\"")), QStringLiteral("a&#60;b &#38; &#34;c&#34;"));
  EXPECT_EQ(rpStrToXML(QStringLiteral("x\r\ny>")), QStringLiteral("x&#13;&#10;y&#62;"));
  for (const char* text : {" 1,5 ", "1.5", "\t1,50"})
    EXPECT_DOUBLE_EQ(rpStrToFloat(QLatin1String(text)), 1.5) << text;
  for (const char* text : {"", "abc", "1,5,0"})
    EXPECT_THROW(rpStrToFloat(QLatin1String(text)), ErpConversionError) << text;

  const struct {
    const char* text;
    QStringList pieces;
  } splits[] = {{"a;b;", {QStringLiteral("a"), QStringLiteral("b")}},
                {"a;;b", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
                {"", {}},
                {"a", {QStringLiteral("a")}}};
  for (const auto& s : splits) {
    QStringList pieces{QStringLiteral("stale")};
    rpSplitBySemicolon(QLatin1String(s.text), pieces);
    EXPECT_EQ(pieces, s.pieces) << s.text;
  }

  const std::pair<const char*, const char*> quotes[] = {
      {"\"ab\"", "ab"}, {"\"\"", "\"\""}, {"\"a", "\"a"}, {"a\"", "a\""}};
  for (const auto& [in, out] : quotes)
    EXPECT_EQ(rpRemoveQuotes(QLatin1String(in)), QLatin1String(out));

  EXPECT_EQ(rpHexEncode(QStringLiteral("abc")), QStringLiteral("616263"));
  EXPECT_EQ(rpHexDecode(QStringLiteral("616263")), QStringLiteral("abc"));
  EXPECT_EQ(rpHexDecode(QStringLiteral("6a6B7")), QStringLiteral("jk"));
  EXPECT_EQ(rpHexDecode(rpHexEncode(QStringLiteral("Heslo-ťč"))), QStringLiteral("Heslo-ťč"));

  EXPECT_EQ(rpWideToUTF8(QStringLiteral("aé€")), QByteArray("a\xC3\xA9\xE2\x82\xAC"));
  EXPECT_EQ(rpWideToUTF8(QString(QChar(0xD83D)) + QChar(0xDE00)), QByteArray("\xED\xA0\xBD\xED\xB8\x80"));
  EXPECT_EQ(rpWideToUTF8(QString()), QByteArray());

  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  buffer.write(QByteArray("\x00\xAB\x7F", 3));
  EXPECT_EQ(rpStreamToHex(buffer), QStringLiteral("00AB7F"));
  EXPECT_TRUE(buffer.atEnd());

  EXPECT_EQ(rpColorToHTML(0x0000FF), QStringLiteral("#FF0000"));
  EXPECT_EQ(rpColorToHTML(0x563412), QStringLiteral("#123456"));
  const QString face = QGuiApplication::palette().color(QPalette::Button).name().toUpper();
  EXPECT_EQ(rpColorToHTML(TColor(0x8000000F)), face);
  EXPECT_EQ(rpColorToHTML(clBtnFace), face);
  EXPECT_EQ(rpGetWindowsVersion(), QStringLiteral("NT"));
}

TEST(EngineGlobals, StartUpFillsTablesAndConstants) {
  rpEngineStart();
  rpEngineStart(); // counted: the second start changes nothing
  TrpGlobals& g = rpGlobals();
  EXPECT_EQ(g.BandNames.front(), QStringLiteral("Report title"));
  EXPECT_EQ(g.BandNames[5], QStringLiteral("Master data"));
  EXPECT_EQ(g.BandNames.value(22), QStringLiteral("Žiaden"));
  EXPECT_EQ(g.BandNames.value(23), QString());
  EXPECT_EQ(g.LogicalFormats, (QStringList{QStringLiteral("0;1"), QStringLiteral("Nie;Ano"), QStringLiteral("_;x"),
                                           QStringLiteral("Nepravdivý;Pravdivý")}));
  EXPECT_EQ(g.DateFormats.back(), QStringLiteral("d mmmm yyyy"));
  EXPECT_EQ(g.TimeFormats.front(), QStringLiteral("hh:nn:ss"));
  EXPECT_EQ(g.DefaultCharset, 1);
  EXPECT_EQ(g.CheckerBitmap.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(g.CheckerBitmap.pixel(1, 0) & 0xFFFFFF, 0xC0C0C0u);
  EXPECT_EQ(g.CheckerBitmap.pixel(3, 5) & 0xFFFFFF, 0xFFFFFFu);

  TrpVariables& consts = rpConsts();
  const std::pair<const char*, qint64> values[] = {{"clRed", 0xFF},
                                                   {"clAqua", 0xFFFF00},
                                                   {"clTransparent", 0x1FFFFFFF},
                                                   {"clScrollBar", qint32(0x80000000u)},
                                                   {"clInfoBk", qint32(0x80000018u)},
                                                   {"mrNo", 7},
                                                   {"fsBold", 2},
                                                   {"frtaDown", 16},
                                                   {"baRest", 7},
                                                   {"psDashDotDot", 4},
                                                   {"psDouble", 5},
                                                   {"mb_IconWarning", 48}};
  for (const auto& [name, value] : values)
    EXPECT_EQ(consts[QLatin1String(name)], rpIntegerValue(value)) << name;
  EXPECT_EQ(consts[QStringLiteral("CRLF")], QVariant(QStringLiteral("\r\n")));
  const int nullIndex = consts.IndexOf(QStringLiteral("Null"));
  ASSERT_GE(nullIndex, 0);
  EXPECT_TRUE(rpIsNull(consts.GetValue(nullIndex)));
  for (const TrpNamedColor& c : rpColorTable())
    EXPECT_EQ(consts[QLatin1String(c.Name)], rpIntegerValue(c.Color)) << c.Name;
  EXPECT_TRUE(rpVariables().Sorted());
  EXPECT_STREQ(rpColorTable()[16].Name, "clTransparent");
  EXPECT_EQ(rpColorTable()[16].Color, clNone);
  EXPECT_STREQ(rpColorTable().value(41).Name, "clInfoBk");
  EXPECT_EQ(rpColorTable().value(41).Color, qint32(0x80000018u));
  EXPECT_EQ(rpSystemVariableNames().value(8), QStringLiteral("TOTALPAGES"));
  EXPECT_EQ(rpSystemVariableNames().value(1), QString());
  EXPECT_EQ(g.RegistryRoot, QStringLiteral("Software\\ZiviVudire"));
  EXPECT_EQ(rpRun().Interpreter->Parser().Calc(QStringLiteral("2 * 3")), QVariant(6.0));

  rpEngineEnd();
  EXPECT_TRUE(rpEngineStarted());
  rpEngineEnd();
  EXPECT_FALSE(rpEngineStarted());
  EXPECT_THROW(rpGlobals(), Exception);
}

TEST(EngineStrings, LoadByNumberWithCallbackAndLibrary) {
  TrpLocale& locale = rpGetLocale();
  EXPECT_EQ(rpLoadStr(55006), QStringLiteral("Dotaz"));
  EXPECT_EQ(rpLoadStr(55348), QStringLiteral("Všetky funkcie"));
  EXPECT_EQ(rpLoadStr(57999), QString());
  locale.OnLocalize = [](int id) { return id == 55006 ? QStringLiteral("Otázka") : QString(); };
  EXPECT_EQ(rpLoadStr(55006), QStringLiteral("Otázka"));
  EXPECT_EQ(rpLoadStr(55001), QStringLiteral("Návrat")) << "an empty answer falls through";
  locale.OnLocalize = nullptr;

  QTemporaryFile library;
  ASSERT_TRUE(library.open());
  library.write(QStringLiteral("55006\tQuestion\r\n55001\t").toUtf8() + QByteArray(2000, 'x') + "\n");
  library.close();
  ASSERT_TRUE(locale.LoadResourceLibrary(library.fileName()));
  EXPECT_EQ(rpLoadStr(55006), QStringLiteral("Question"));
  EXPECT_EQ(rpLoadStr(55001), QString(1023, QLatin1Char('x'))) << "cut to 1023 characters";
  EXPECT_EQ(rpLoadStr(55000), QString()) << "the library replaces the program's strings";
  locale.ClearResourceLibrary();
  EXPECT_FALSE(locale.LoadResourceLibrary(QStringLiteral("/nonexistent/strings.txt")));
  EXPECT_EQ(rpLoadStr(55000), QStringLiteral("OK"));
  EXPECT_TRUE(locale.LoadBitmapResource(QStringLiteral("NEMA")).isNull());
}

class FilterA : public QObject {
  Q_OBJECT
};
class FilterB : public QObject {
  Q_OBJECT
};
class LibraryA : public TrpFunctionLibrary {
  Q_OBJECT
public:
  Q_INVOKABLE LibraryA() = default;
};
class LibraryB : public TrpFunctionLibrary {
  Q_OBJECT
public:
  Q_INVOKABLE LibraryB() = default;
};

TEST(EngineRegistries, ExportFiltersByClassAndMask) {
  TrpExportFilterRegistry registry;
  FilterA a1, a2;
  FilterB b;
  EXPECT_TRUE(registry.Add(&a1, QStringLiteral("Text"), QStringLiteral("*.txt")));
  EXPECT_FALSE(registry.Add(&a2, QStringLiteral("Text 2"), QStringLiteral("*.txt")));
  EXPECT_TRUE(registry.Add(&a2, QStringLiteral("CSV"), QStringLiteral("*.csv")));
  EXPECT_TRUE(registry.Add(&b, QStringLiteral("HTML"), QStringLiteral("*.htm")));
  registry.Remove(&a1);
  ASSERT_EQ(registry.Entries().size(), 2);
  EXPECT_EQ(registry.Entries()[0].Mask, QStringLiteral("*.txt")) << "only the later entry of the class goes";
  EXPECT_EQ(registry.Entries()[1].Filter, &b);

  std::vector<std::unique_ptr<FilterB>> many;
  int added = 0;
  for (int i = 0; i < 70; ++i) {
    many.push_back(std::make_unique<FilterB>());
    added += registry.Add(many.back().get(), QString(), QStringLiteral("*.%1").arg(i)) ? 1 : 0;
  }
  EXPECT_EQ(added, kRegistryCapacity - 2);
  EXPECT_EQ(registry.Entries().size(), kRegistryCapacity);
}

TEST(EngineRegistries, FunctionLibrariesAreCreatedOncePerClass) {
  rpEngineStart();
  // The engine starts with its own libraries; this test works on an empty registry.
  for (const QMetaObject* own : {&TrpStdFunctionLibrary::staticMetaObject, &TDatabaseFunctionLibrary::staticMetaObject,
                                 &TQPLFunctionLibrary::staticMetaObject})
    rpRemoveFunctionLibrary(*own);
  EXPECT_TRUE(rpAddFunctionLibrary(LibraryA::staticMetaObject));
  EXPECT_FALSE(rpAddFunctionLibrary(LibraryA::staticMetaObject));
  EXPECT_TRUE(rpAddFunctionLibrary(LibraryB::staticMetaObject));
  const auto& libraries = rpGlobals().FunctionLibraries.Libraries();
  ASSERT_EQ(libraries.size(), 2u);
  TrpFunctionLibrary* a = libraries[0].get();
  TrpFunctionLibrary* b = libraries[1].get();
  rpAddFunctionDescription(a, QStringLiteral("SUMA"), QStringLiteral("Matematické"), QStringLiteral("SUMA(<X>)/Súčet"));
  rpAddFunctionDescription(a, QStringLiteral("ABS"), QStringLiteral("Matematické"), QStringLiteral("ABS(<X>)/Abs."));
  rpAddFunctionDescription(b, QStringLiteral("DATUM"), QStringLiteral("Dátum"), QStringLiteral("DATUM()/Dnes"));
  TrpInstalledFunctions& installed = rpInstalledFunctions();
  EXPECT_EQ(installed.DescriptionOf(QStringLiteral("suma")), QStringLiteral("SUMA(<X>)/Súčet"));
  QStringList list;
  installed.ListCategories(list);
  EXPECT_EQ(list, (QStringList{QStringLiteral("Dátum"), QStringLiteral("Matematické")}));
  installed.ListFunctionsOfCategory(QStringLiteral("Matematické"), list);
  EXPECT_EQ(list, (QStringList{QStringLiteral("ABS"), QStringLiteral("SUMA")}));
  installed.ListFunctionsOfCategory(QStringLiteral("Všetky funkcie"), list);
  EXPECT_EQ(list, (QStringList{QStringLiteral("ABS"), QStringLiteral("DATUM"), QStringLiteral("SUMA")}));

  rpRemoveFunctionLibrary(LibraryA::staticMetaObject);
  ASSERT_EQ(libraries.size(), 1u);
  EXPECT_EQ(libraries[0].get(), b);
  EXPECT_EQ(installed.DescriptionOf(QStringLiteral("SUMA")), QString());
  EXPECT_EQ(installed.DescriptionOf(QStringLiteral("DATUM")), QStringLiteral("DATUM()/Dnes"));
  EXPECT_THROW(rpAddFunctionLibrary(QObject::staticMetaObject), Exception);
  rpEngineEnd();
}

TEST(EngineRegistries, PropertyListIsFilledOnlyWhenEmpty) {
  struct Object {
    QStringList props;
    int listed = 0;
    QStringList& PropertyList() { return props; }
    void ListProperties() {
      ++listed;
      props.append(QStringLiteral("Name"));
    }
  } object;
  rpEnsurePropertyList(&object);
  rpEnsurePropertyList(&object);
  rpEnsurePropertyList<Object>(nullptr);
  EXPECT_EQ(object.listed, 1);
}

} // namespace

#include "EngineTest.moc"
