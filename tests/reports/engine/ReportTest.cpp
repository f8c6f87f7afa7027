#include "ReportFixture.h"
#include "core/CodePage1250.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpLineView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include <QtCore/QBuffer>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>
#include <QtCore/QtEndian>

namespace {

// Writes the byte layouts of a given template version by hand.
class LayoutWriter {
public:
  explicit LayoutWriter(int version) : v(version) {}
  void Byte(int b) { w.WriteByte(quint8(b)); }
  void Word(int x) { w.WriteUInt16(quint16(x)); }
  void Int(qint32 x) { w.WriteInt32(x); }
  void Str(const QString& s) {
    if (v >= 23) return rpWriteString(w, s);
    w.WriteBytes(Cp1250::Encode(s));
    Byte(0);
  }
  void Lines(const QStringList& lines) {
    if (v >= 23) return rpWriteMemo(w, lines);
    for (const QString& l : lines) {
      w.WriteBytes(Cp1250::Encode(l));
      Byte(13);
    }
    Byte(0);
  }
  void Counted(const QString& s) {
    Word(int(s.size()));
    w.WriteBytes(Cp1250::Encode(s));
  }
  qsizetype EndField() {
    const qsizetype at = w.Size();
    Int(0);
    return at;
  }
  void PatchEnd(qsizetype at) { w.PatchUInt32(at, quint32(w.Size())); }

  const int v;
  TBinaryWriter w;
};

// One report page with every field set away from its default.
void PageRecord(LayoutWriter& o) {
  if (o.v >= 23) o.Int(-1);
  o.Int(9);
  o.Int(2100);
  o.Int(2970);
  for (int m : {10, 20, 30, 40})
    o.Int(m);
  o.Byte(1); // landscape
  if (o.v < 23)
    for (int i = 0; i < 6; ++i)
      o.Byte(0xAA);
  if (o.v > 23) o.Int(7); // bin
  o.Word(0xFFFF);         // print to previous page
  o.Word(0);              // margins off
  o.Int(2);
  o.Int(5);
  if (o.v < 24) return;
  o.Byte(0);
  o.Str(QStringLiteral("Hlavná"));
  o.Byte(1); // sizeable as stored by old designers
  o.Str(QStringLiteral("Formulár"));
  o.Int(0xFF);
  for (int b : {1, 2, 3, 4})
    o.Int(b);
  o.Byte(1);
  o.Lines({QStringLiteral("Page script")});
}

// A text object with every field set away from its default.
void MemoRecord(LayoutWriter& o) {
  if (o.v >= 23) o.Str(QStringLiteral("Suma"));
  if (o.v > 23) {
    o.Byte(2);
    o.Byte(0);
  }
  for (int x : {10, 20, 300, 40})
    o.Int(x);
  o.Word(0x10); // TextOnly, no WordWrap
  o.Word(15);
  o.Int(1500); // frame width 1.5
  o.Int(0xFF);
  o.Word(1);
  o.Int(0xFFFFFF);
  o.Int(0x0102022C);
  o.Str(QStringLiteral("#,##0.00"));
  o.Lines({QStringLiteral("[Rok]"), QStringLiteral("Spolu")});
  if (o.v > 22) {
    o.Lines({QStringLiteral("Suma.Visible = 1")});
    o.Word(0); // hidden
  }
  if (o.v > 23) {
    o.Word(3);
    o.Str(QStringLiteral("[Rok]"));
    o.Int(7);
    o.Int(8);
    o.Byte(5);
  }
  o.Str(QStringLiteral("Tahoma"));
  o.Int(12);
  o.Word(2);
  o.Int(0x800000);
  o.Int(2);
  o.Word(238);
  o.Word(1);
  o.Int(0xFF);
  o.Int(0xFFFF);
  o.Str(QStringLiteral("[Rok] > 2000"));
  if (o.v > 23) {
    o.Int(4);
    o.Int(1);
  }
}

void CurrentDictionary(LayoutWriter& o) {
  o.Word(0xFFFE);
  o.Int(2);
  rpWriteString(o.w, QStringLiteral(" Nastavenia"));
  rpWriteString(o.w, QString());
  rpWriteString(o.w, QStringLiteral("Rok"));
  rpWriteString(o.w, QStringLiteral("'2026'"));
  o.Int(0);
  o.Int(0);
}

// The dictionary block of the earliest designers: typed entries, then the names.
void OldestDictionary(LayoutWriter& o) {
  o.Int(1);
  o.Byte(0);
  o.Int(0);
  for (const char* text : {"", "", "Rok"}) {
    o.Byte(int(strlen(text)));
    o.w.WriteBytes(QByteArray(text));
  }
  rpWriteMemo(o.w, {QStringLiteral("Nastavenia"), QStringLiteral(" Rok")});
}

QByteArray TemplateOfVersion(int version) {
  LayoutWriter o(version);
  if (version > 21) o.Byte(version); // version 21 files start with the pages section
  o.Word(0);
  o.Word(0xFFFF);
  o.Str(QString(QChar(1)));
  o.Byte(255);
  PageRecord(o);
  o.Byte(0);
  o.Byte(0);
  const qsizetype end = version >= 24 ? o.EndField() : -1;
  MemoRecord(o);
  if (end >= 0) o.PatchEnd(end);
  o.Byte(254);
  version == 21 ? OldestDictionary(o) : CurrentDictionary(o);
  if (version == 21) return o.w.TakeData();
  o.Byte(252);
  for (const char* text : {"Poznámka", "Zoznam", "Autor", "1", "2", "3", "4"})
    o.Counted(QString::fromUtf8(text));
  o.Counted(QStringLiteral("414243"));
  o.Byte(88);
  o.Byte(0);
  o.w.WriteDouble(46000.5);
  o.w.WriteDouble(46001.25);
  return o.w.TakeData();
}

struct VersionCase {
  int version;
  QString objectName;
  QStringList script;
  bool visible;
  int gapX, restrictions, bandAlign, lineSpacing, charset;
  quint16 flags;
  // page
  int bin;
  QString pageName, caption;
  QStringList pageScript;
};

class TemplateVersions : public ReportFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(TemplateVersions, LoadIntoTheExpectedObjects) {
  const VersionCase& c = GetParam();
  TrpReport report;
  report.LoadFromStream(TemplateOfVersion(c.version), true);
  ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(report.Pages.Count(), 1);
  const TrpPage* page = report.Pages.GetPage(0);
  EXPECT_EQ(page->PaperSize, 9);
  EXPECT_EQ(page->PaperWidth, 2970) << "A4 turned by the landscape orientation";
  EXPECT_EQ(page->Orientation, 1);
  EXPECT_EQ((QList<int>{page->LeftMargin, page->TopMargin, page->RightMargin, page->BottomMargin}),
            (QList<int>{10, 20, 30, 40}));
  EXPECT_TRUE(page->PrintToPrevPage);
  EXPECT_FALSE(page->UseMargins);
  EXPECT_EQ(page->ColumnCount, 2);
  EXPECT_EQ(page->ColumnGap, 5);
  EXPECT_EQ(page->Bin, c.bin);
  EXPECT_EQ(page->Name, c.pageName);
  EXPECT_EQ(page->Caption, c.caption);
  EXPECT_EQ(page->Script, c.pageScript);
  EXPECT_EQ(page->BorderStyle, c.version >= 24 ? 2 : 3);

  ASSERT_EQ(page->Count(), 1);
  const auto* memo = dynamic_cast<const TrpMemoView*>(page->GetObject(0));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Name, c.objectName);
  EXPECT_EQ(QRect(memo->Left, memo->Top, memo->Width, memo->Height), QRect(10, 20, 300, 40));
  EXPECT_EQ(memo->FrameTyp, 15);
  EXPECT_FLOAT_EQ(memo->FrameWidth, 1.5f);
  EXPECT_EQ(memo->DisplayFormatText, QStringLiteral("#,##0.00"));
  EXPECT_EQ(memo->Memo, (QStringList{QStringLiteral("[Rok]"), QStringLiteral("Spolu")}));
  EXPECT_EQ(memo->Script, c.script);
  EXPECT_EQ(memo->Visible, c.visible);
  EXPECT_EQ(memo->GapX, c.gapX);
  EXPECT_EQ(memo->Restrictions, c.restrictions);
  EXPECT_EQ(memo->BandAlign, c.bandAlign);
  EXPECT_EQ(memo->Font.Name, QStringLiteral("Tahoma"));
  EXPECT_EQ(memo->Font.Charset, c.charset);
  EXPECT_EQ(memo->HighlightCondition, QStringLiteral("[Rok] > 2000"));
  EXPECT_EQ(memo->LineSpacing, c.lineSpacing);
  EXPECT_EQ(memo->Flags, c.flags);

  EXPECT_EQ(report.Dictionary.ListVariablesOfCategory(QStringLiteral("Nastavenia")),
            QStringList{QStringLiteral("Rok")});
  EXPECT_EQ(report.Info.Name, c.version == 21 ? QString() : QStringLiteral("Zoznam"));
  EXPECT_EQ(report.Info.Password, c.version == 21 ? QString() : QStringLiteral("ABC"));
  EXPECT_TRUE(rpPrinter().IsVirtual());
}

const QStringList kScript{QStringLiteral("Suma.Visible = 1")};
const QStringList kPageScript{QStringLiteral("Page script")};
const QString kPage1 = QStringLiteral("Page1"), kForm = QStringLiteral("Form");

INSTANTIATE_TEST_SUITE_P(
    Report, TemplateVersions,
    ::testing::Values(
        // name generated, no script, visibility, tag, gaps, alignment or spacing; WordWrap switched on
        VersionCase{21, QStringLiteral("Memo1"), {}, true, 2, 0, 0, 2, 1, 0x12, 65535, kPage1, kForm, {}},
        VersionCase{22, QStringLiteral("Memo1"), {}, true, 2, 0, 0, 2, 1, 0x10, 65535, kPage1, kForm, {}},
        VersionCase{23, QStringLiteral("Suma"), kScript, false, 2, 0, 0, 2, 238, 0x10, 65535, kPage1, kForm, {}},
        VersionCase{24, QStringLiteral("Suma"), kScript, false, 7, 3, 5, 4, 238, 0x10, 7, QStringLiteral("Hlavná"),
                    QStringLiteral("Formulár"), kPageScript},
        VersionCase{25, QStringLiteral("Suma"), kScript, false, 7, 3, 5, 4, 238, 0x10, 7, QStringLiteral("Hlavná"),
                    QStringLiteral("Formulár"), kPageScript}),
    [](const auto& info) { return "v" + std::to_string(info.param.version); });

// A report with every built-in object kind, an add-in object, and a dialog page with a control.
class ReportFiles : public ReportFixture {
protected:
  ReportFiles() {
    report.Now = [] { return 46100.75; };
    Fill(report);
  }

  static void Fill(TrpReport& r) {
    r.DoublePassReport = true;
    r.Info.Name = QStringLiteral("Zoznam členov");
    r.Info.Author = QStringLiteral("Ľubo");
    r.Info.Created = 46000.5;
    TrpPage* page = r.Pages.GetPage(0);
    page->Name = QStringLiteral("Page1");
    page->Script = {QStringLiteral("Page1.Visible = 1")};
    auto band = std::make_unique<TrpBandView>();
    band->Name = QStringLiteral("MasterData1");
    band->SetBandType(5);
    band->DisplayFormatText = QStringLiteral("MASTER");
    band->Columns = 2;
    band->Master = QStringLiteral("x");
    page->Add(std::move(band));
    const float widths[] = {0.1f, 0.5f, 1.5f, 10.0f, 15.0f, 0.005f};
    for (int i = 0; i < 6; ++i) {
      auto memo = std::make_unique<TrpMemoView>();
      memo->Name = QStringLiteral("Memo%1").arg(i + 1);
      memo->SetBounds(10 * i, 20, 100, 18);
      memo->FrameWidth = widths[i];
      memo->Memo = {QStringLiteral("[MASTER.\"MENO\"]"), QStringLiteral("Čriepok")};
      memo->Script = {QStringLiteral("Memo1.Hide")};
      memo->Tag = QStringLiteral("[Rok]");
      memo->HighlightCondition = QStringLiteral("1 = 1");
      page->Add(std::move(memo));
    }
    auto picture = std::make_unique<TrpPictureView>();
    picture->Name = QStringLiteral("Logo");
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    picture->Picture.Load(1, bmp);
    picture->BlobType = 1;
    page->Add(std::move(picture));
    auto line = std::make_unique<TrpLineView>();
    line->Name = QStringLiteral("Line1");
    line->FrameStyle = 5;
    page->Add(std::move(line));
    auto sub = std::make_unique<TrpSubReportView>();
    sub->Name = QStringLiteral("SubReport1");
    sub->SubPage = 1;
    page->Add(std::move(sub));
    auto shape = rpNewObjectOfType(10, QStringLiteral("TrpShapeView"));
    shape->Name = QStringLiteral("Shape1");
    static_cast<TestShapeView*>(shape.get())->Shape = 3;
    page->Add(std::move(shape));

    TrpPage* dialog = r.Pages.Add();
    dialog->PageType = 1;
    dialog->Name = QStringLiteral("Page2");
    dialog->Caption = QStringLiteral("Výber");
    dialog->Position = 0;
    auto edit = rpNewObjectOfType(10, QStringLiteral("TrpEditControl"));
    edit->Name = QStringLiteral("Edit1");
    static_cast<TestEditControl*>(edit.get())->Text = QStringLiteral("2026");
    dialog->Add(std::move(edit));

    r.Dictionary.Variables.SetVariable(QStringLiteral(" Nastavenia"), QString());
    r.Dictionary.Variables.SetVariable(QStringLiteral("Rok"), QStringLiteral("'2026'"));
    r.Dictionary.FieldAliases.SetVariable(QStringLiteral("ib1"), QStringLiteral("MASTER"));
    r.Dictionary.BandSourceAliases.SetVariable(QStringLiteral("rpDataset1"), QStringLiteral("Členovia"));
  }

  // The object of the name on any page, as its class.
  template <class T> static T* Object(const TrpReport& r, const char* name) {
    return dynamic_cast<T*>(r.FindObject(QLatin1String(name)));
  }

  TrpReport report;
};

TEST_F(ReportFiles, TemplateStreamRoundTripsByteForByte) {
  const QByteArray written = report.SaveToStream();
  TrpReport copy;
  copy.Now = report.Now;
  copy.LoadFromStream(written, false);
  ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(copy.SaveToStream().toHex(), written.toHex());

  ASSERT_EQ(copy.Pages.Count(), 2);
  EXPECT_EQ(copy.Pages.GetPage(1)->PageType, 1);
  EXPECT_EQ(copy.Pages.GetPage(1)->Caption, QStringLiteral("Výber"));
  EXPECT_TRUE(copy.DoublePassReport);
  EXPECT_EQ(copy.Info, report.Info);
  const float widths[] = {0.1f, 0.5f, 1.5f, 10.0f, 15.0f, 0.005f};
  for (int i = 0; i < 6; ++i)
    EXPECT_FLOAT_EQ(Object<TrpMemoView>(copy, QStringLiteral("Memo%1").arg(i + 1).toLatin1().constData())->FrameWidth,
                    widths[i]);
  EXPECT_EQ(Object<TrpBandView>(copy, "MasterData1")->Master, QStringLiteral("x"));
  EXPECT_EQ(Object<TrpSubReportView>(copy, "SubReport1")->SubPage, 1);
  EXPECT_EQ(Object<TrpPictureView>(copy, "Logo")->Picture.Image.size(), QSize(3, 2));
  EXPECT_EQ(Object<TestShapeView>(copy, "Shape1")->Shape, 3);
  EXPECT_EQ(Object<TestEditControl>(copy, "Edit1")->Text, QStringLiteral("2026"));
  EXPECT_EQ(copy.Dictionary.BandSourceAliases.GetVariable(QStringLiteral("rpDataset1")).toString(),
            QStringLiteral("Členovia"));
}

TEST_F(ReportFiles, VirtualPrinterAndEmptyPasswordAreStoredShort) {
  const QByteArray bytes = report.SaveToStream();
  EXPECT_EQ(bytes.mid(5, 4), QByteArray("\x01\x00\x01\x00", 4)) << "the one-byte text 1 after the two flags";
  EXPECT_EQ(bytes.mid(bytes.size() - 20, 4), QByteArray("\x00\x00\x58\x00", 4)) << "no hexadecimal text";
  report.Info.Password = QStringLiteral("Ab");
  EXPECT_EQ(report.SaveToStream().right(24).left(6), QByteArray("\x04\x00"
                                                                "4162",
                                                                6));
}

TEST_F(ReportFiles, TemplateFileWithDescriptionRoundTrips) {
  QTemporaryDir dir;
  const QString first = dir.filePath(QStringLiteral("a.rpt")), second = dir.filePath(QStringLiteral("b.rpt"));
  const QStringList description{QStringLiteral("Zoznam členov"), QStringLiteral("na šírku")};
  QImage picture(4, 3, QImage::Format_RGB32);
  picture.fill(qRgb(0, 128, 255));
  report.WriteTemplateFile(first, description, picture);

  TrpReport other;
  other.Now = report.Now;
  const QByteArray before = other.SaveToStream();
  QStringList readDescription;
  QImage readPicture(1, 1, QImage::Format_RGB32);
  ASSERT_TRUE(other.ReadTemplateFile(first, &readDescription, false, &readPicture));
  EXPECT_EQ(readDescription, description);
  EXPECT_EQ(readPicture.convertToFormat(QImage::Format_RGB32), picture);
  EXPECT_EQ(other.SaveToStream(), before) << "without the load flag the pages stay";

  ASSERT_TRUE(other.ReadTemplateFile(first, nullptr, true, nullptr));
  ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  other.WriteTemplateFile(second, description, picture);
  QFile a(first), b(second);
  ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
  EXPECT_EQ(b.readAll().toHex(), a.readAll().toHex());

  other.WriteTemplateFile(second, description, QImage());
  ASSERT_TRUE(other.ReadTemplateFile(second, &readDescription, false, &readPicture));
  EXPECT_TRUE(readPicture.isNull()) << "a file without a picture empties the given one";

  QFile cut(second);
  ASSERT_TRUE(cut.resize(cut.size() - 40)); // inside the pages section
  ASSERT_TRUE(other.ReadTemplateFile(second, nullptr, true, nullptr));
  EXPECT_EQ(messages, QStringList{QStringLiteral("Chyba: Nepodporovaný RPF formát")});
  ASSERT_EQ(other.Pages.Count(), 1);
  EXPECT_EQ(other.Pages.GetPage(0)->Count(), 0);
}

struct PasswordCase {
  const char* name;
  bool fromFile;
  QString typed;
  bool confirm;
  int asked;
  bool kept;
};

class TemplatePassword : public ReportFiles, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(TemplatePassword, GuardsTheTemplate) {
  const PasswordCase& c = GetParam();
  report.Info.Password = QStringLiteral("Tajné1");
  report.Info.AskPassword = true;
  const QByteArray bytes = report.SaveToStream();
  typedPassword = c.typed;
  confirmPassword = c.confirm;
  TrpReport loaded;
  loaded.FileName = QStringLiteral("zoznam.rpf");
  loaded.LoadFromStream(bytes, c.fromFile);
  EXPECT_EQ(passwordAsked, c.asked);
  if (c.kept) {
    EXPECT_EQ(loaded.Pages.Count(), 2);
    EXPECT_EQ(loaded.Info.Password, QStringLiteral("Tajné1"));
    EXPECT_EQ(loaded.FileName, QStringLiteral("zoznam.rpf"));
  } else {
    ASSERT_EQ(loaded.Pages.Count(), 1);
    EXPECT_EQ(loaded.Pages.GetPage(0)->Count(), 0);
    EXPECT_EQ(loaded.FileName, QStringLiteral("Bezmena"));
    EXPECT_EQ(loaded.Info, TrpReportInfo{});
  }
}

INSTANTIATE_TEST_SUITE_P(Report, TemplatePassword,
                         ::testing::Values(PasswordCase{"right", true, QStringLiteral("Tajné1"), true, 1, true},
                                           PasswordCase{"otherCase", true, QStringLiteral("tajné1"), true, 1, false},
                                           PasswordCase{"cancelled", true, QStringLiteral("Tajné1"), false, 1, false},
                                           PasswordCase{"restoredFromMemory", false, QString(), false, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Bad input: the message, one empty page, nothing else.
struct BadCase {
  const char* name;
  std::function<QByteArray(const QByteArray& good)> make;
};

class BadTemplates : public ReportFiles, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadTemplates, GiveTheMessageAndOneEmptyPage) {
  const QByteArray bad = GetParam().make(report.SaveToStream());
  TrpReport loaded;
  loaded.LoadFromStream(bad, true);
  EXPECT_EQ(messages, QStringList{QStringLiteral("Chyba: Nepodporovaný RPF formát")});
  ASSERT_EQ(loaded.Pages.Count(), 1);
  EXPECT_EQ(loaded.Pages.GetPage(0)->Count(), 0);
}

// Position of the first object record's end field in a saved template.
qsizetype FirstEndField(const QByteArray& good) {
  const qsizetype name = good.indexOf("MasterData1");
  return name - 2 - 4; // the length word of the name, then back over the end field
}

QByteArray RandomBytes(quint32 seed) {
  QRandomGenerator random(seed);
  QByteArray bytes(4096, 0);
  for (char& b : bytes)
    b = char(random.bounded(256));
  bytes[0] = char(25); // a version this reader accepts, so the body is parsed
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Report, BadTemplates,
    ::testing::Values(BadCase{"truncatedInObjects", [](const QByteArray& g) { return g.left(g.indexOf("Memo3")); }},
                      BadCase{"truncatedInInformation", [](const QByteArray& g) { return g.chopped(3); }},
                      BadCase{"endPositionPastTheStream",
                              [](const QByteArray& g) {
                                QByteArray b = g;
                                qToLittleEndian<quint32>(quint32(g.size() + 100), b.data() + FirstEndField(g));
                                return b;
                              }},
                      BadCase{"endPositionBackwards",
                              [](const QByteArray& g) {
                                QByteArray b = g;
                                qToLittleEndian<quint32>(5, b.data() + FirstEndField(g));
                                return b;
                              }},
                      BadCase{"stringLongerThanTheFile",
                              [](const QByteArray& g) {
                                QByteArray b = g;
                                b[5] = char(0xFF); // the printer name's length word
                                b[6] = char(0xFF);
                                return b;
                              }},
                      BadCase{"unknownSectionTag",
                              [](const QByteArray& g) { return QByteArray(g.left(9) + char(100) + g.mid(9)); }},
                      BadCase{"random1", [](const QByteArray&) { return RandomBytes(1); }},
                      BadCase{"random2", [](const QByteArray&) { return RandomBytes(2); }},
                      BadCase{"random3", [](const QByteArray&) { return RandomBytes(3); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReportFiles, NewerVersionIsRefusedAndThePagesStay) {
  QByteArray bytes = report.SaveToStream();
  bytes[0] = char(26);
  report.LoadFromStream(bytes, true);
  EXPECT_EQ(messages, QStringList{QStringLiteral("Chyba: Nepodporovaný RPF formát")});
  EXPECT_NE(report.FindObject(QStringLiteral("Memo1")), nullptr);
}

TEST_F(ReportFiles, UnknownAddInClassIsReportedAndTheRestLoads) {
  const QByteArray bytes = report.SaveToStream();
  rpRemoveObjectClass(QStringLiteral("TrpShapeView"));
  TrpReport loaded;
  loaded.LoadFromStream(bytes, true);
  EXPECT_EQ(messages,
            QStringList{QStringLiteral("Chyba: Report contains the following non-plugged components:\r"
                                       "TrpShapeView\rYou must include these components into your project.")});
  EXPECT_EQ(loaded.FindObject(QStringLiteral("Shape1")), nullptr);
  EXPECT_NE(loaded.FindObject(QStringLiteral("Edit1")), nullptr) << "the objects after it are read";
  EXPECT_EQ(loaded.Info, TrpReportInfo{}) << "the report information is not read";
}

TEST_F(ReportFiles, BrokenObjectIsSkippedWhileTheRestLoads) {
  QByteArray bytes = report.SaveToStream();
  // The picture's own end position points before its data, which its reader refuses.
  const qsizetype pictureEnd = bytes.indexOf("BM") - 4;
  qToLittleEndian<quint32>(0, bytes.data() + pictureEnd);
  TrpReport loaded;
  loaded.LoadFromStream(bytes, true);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(loaded.FindObject(QStringLiteral("Logo")), nullptr);
  EXPECT_NE(loaded.FindObject(QStringLiteral("Line1")), nullptr);
  EXPECT_EQ(loaded.Info.Name, QStringLiteral("Zoznam členov"));
}

TEST_F(ReportFiles, StoredVirtualPrinterIsSelectedAgain) {
  const QByteArray bytes = report.SaveToStream();
  auto system = std::make_shared<FakeSystemPrinter>();
  system->settings = {9,   {9}, {QStringLiteral("A4")}, -1,       {},          {}, false,
                      600, 600, {4960, 7016},           {50, 50}, {4860, 6916}};
  rpPrinter().SetPrinter(system);
  ASSERT_FALSE(rpPrinter().IsVirtual());
  report.LoadFromStream(bytes, false);
  EXPECT_TRUE(rpPrinter().IsVirtual());
}

TEST_F(ReportFiles, LoadLeavesOnePageAndNoStaleCurrentObject) {
  rpRun().CurrentObject = report.FindObject(QStringLiteral("Memo1"));
  rpRun().CurrentPage = report.Pages.GetPage(0);
  // A template whose pages section holds no page record.
  report.LoadFromStream(QByteArray("\x19\0\0\0\0\x01\0\x01\0\xFC", 10), true);
  EXPECT_TRUE(messages.isEmpty());
  ASSERT_EQ(report.Pages.Count(), 1);
  EXPECT_EQ(rpRun().CurrentObject, nullptr);
  EXPECT_EQ(rpRun().CurrentPage, nullptr);
}

TEST_F(ReportFiles, MissingFileAndEmptyStreamChangeNothing) {
  EXPECT_FALSE(report.LoadFromFile(QStringLiteral("/nonexistent/zoznam.rpf")));
  report.LoadFromStream(QByteArray(), true);
  EXPECT_NE(report.FindObject(QStringLiteral("Memo1")), nullptr);
  EXPECT_TRUE(messages.isEmpty());
}

} // namespace
