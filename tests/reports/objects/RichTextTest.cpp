#include "ObjectsFixture.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/objects/rpRichView.h"
#include "reports/objects/rpRtfReader.h"
#include "reports/objects/rpRtfWriter.h"
#include "reports/objects/rpShapeView.h"
#include "tests/support/OfficeConvert.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QtEndian>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>

namespace {

// The character format at a position (of the character after it).
QTextCharFormat FormatAt(const QTextDocument& document, int position) {
  QTextCursor cursor(const_cast<QTextDocument*>(&document));
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

QString FamilyAt(const QTextDocument& document, int position) {
  const QStringList families = FormatAt(document, position).fontFamilies().toStringList();
  return families.isEmpty() ? QString() : families.first();
}

TEST(Rtf, ReadsTextFontsStylesColoursAndParagraphs) {
  const QByteArray rtf =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
      "{\\*\\generator Writer;}{\\info{\\author X}}"
      "\\pard\\qc\\li720\\fi-360\\tx1440 \\f0\\fs20 \\'8eiv\\'e1 \\b ryba\\b0 , {\\i\\cf1 \\u269?erven\\'e1}\\tab "
      "x\\par"
      "\\pard{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}{\\pntext\\'b7\\tab}\\f1\\fs28\\ul kapor\\ulnone\\line lie\\{\\}\\par"
      "\\pard{\\*\\unknown skipped}{\\pict binary}koniec}";
  QTextDocument document;
  EXPECT_EQ(rpReadRtf(rtf, document), rtf.size());
  EXPECT_EQ(document.toPlainText(), QStringLiteral("Živá ryba, červená\tx\nkapor\nlie{}\nkoniec"));
  EXPECT_EQ(FamilyAt(document, 0), QStringLiteral("Arial"));
  EXPECT_EQ(FormatAt(document, 0).fontPointSize(), 10);
  EXPECT_EQ(FormatAt(document, 5).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(document, 9).fontWeight(), QFont::Normal);
  EXPECT_TRUE(FormatAt(document, 11).fontItalic());
  EXPECT_EQ(FormatAt(document, 11).foreground().color(), QColor(255, 0, 0));
  EXPECT_FALSE(FormatAt(document, 19).fontItalic()); // the group ended
  const QTextBlock first = document.begin();
  EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_DOUBLE_EQ(first.blockFormat().leftMargin(), 48);
  EXPECT_DOUBLE_EQ(first.blockFormat().textIndent(), -24);
  ASSERT_EQ(first.blockFormat().tabPositions().size(), 1);
  EXPECT_EQ(first.textList(), nullptr);
  const QTextBlock second = first.next();
  EXPECT_NE(second.textList(), nullptr);
  EXPECT_EQ(FamilyAt(document, second.position()), QStringLiteral("Times New Roman"));
  EXPECT_TRUE(FormatAt(document, second.position()).fontUnderline());
  EXPECT_EQ(FormatAt(document, second.position()).fontPointSize(), 14);
  EXPECT_EQ(second.next().textList(), nullptr);
}

TEST(Rtf, WrittenTextReadsBackWithItsFormatsAndWritesTheSame) {
  const QByteArray source = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red0\\green128\\blue0;}"
                            "\\pard\\qr\\ri300 \\f0\\fs24 \\'9elt\\'e1 {\\b\\f1\\cf1 \\'cfumbier}\\par\\pard\\qj\\ul "
                            "\\'8d\\'8e\\u8470?\\ulnone x\\par"
                            "\\pard{\\*\\pn\\pnlvlblt}{\\pntext\\'b7\\tab}kapor\\par}";
  QTextDocument document;
  rpReadRtf(source, document);
  const QByteArray written = rpWriteRtf(document);
  QTextDocument again;
  EXPECT_EQ(rpReadRtf(written, again), written.size() - 2); // all but the line end after the last brace
  EXPECT_EQ(again.toPlainText(), document.toPlainText());
  EXPECT_EQ(again.toPlainText().left(7), QStringLiteral("žltá Ďu"));
  for (int position : {0, 6, 14, 15}) {
    SCOPED_TRACE(position);
    EXPECT_EQ(FormatAt(again, position).fontWeight(), FormatAt(document, position).fontWeight());
    EXPECT_EQ(FamilyAt(again, position), FamilyAt(document, position));
    EXPECT_EQ(FormatAt(again, position).foreground(), FormatAt(document, position).foreground());
    EXPECT_EQ(FormatAt(again, position).fontUnderline(), FormatAt(document, position).fontUnderline());
  }
  EXPECT_EQ(again.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_NE(again.lastBlock().textList(), nullptr); // a bullet paragraph, and no blank before its text
  EXPECT_EQ(again.lastBlock().text(), QStringLiteral("kapor"));
  EXPECT_DOUBLE_EQ(again.begin().blockFormat().rightMargin(), 20);
  EXPECT_EQ(rpWriteRtf(again), written);
  EXPECT_TRUE(written.contains("\\u8470?")); // beyond code page 1250
  EXPECT_TRUE(written.contains("\\'8d\\'8e"));
}

TEST(Rtf, DamagedInputGivesWhatCouldBeRead) {
  const struct {
    QByteArray rtf;
    QString text;
  } cases[] = {{"{\\rtf1 abc \\b de", QStringLiteral("abc de")},
               {"{\\rtf1 abc}}}} zzz", QStringLiteral("abc")},
               {"{\\rtf1 a\\'", QStringLiteral("a")},
               {"{\\rtf1 a\\'zz b}", QStringLiteral("a b")},
               {"{\\rtf1 a\\u", QStringLiteral("a")},
               {"{\\rtf1 a\\u3 b\\u0 c\\'01d}", QStringLiteral("ad")}, // b and c stand in for the dropped characters
               {"{\\rtf1 \\fs99999999999 a\\uc99999 \\u-3 bcd}", QStringLiteral("a\uFFFD")},
               {"{\\rtf1 " + QByteArray(5000, '{') + "x", QString()},
               {"no rtf at all", QString()},
               {"", QString()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rtf.left(40).toStdString());
    QTextDocument document;
    document.setPlainText(QStringLiteral("old"));
    rpReadRtf(c.rtf, document);
    EXPECT_EQ(document.toPlainText(), c.text);
  }
}

TEST(Rtf, LibreOfficeAndThisProgramReadEachOthersText) {
  if (!OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed (libreoffice-writer-nogui)";
  QTemporaryDir folder;
  const QString html = folder.filePath(QStringLiteral("ryby.html"));
  QFile file(html);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><p>Kapor šupináč "
                            "<b>ťažký</b> a <i>ľahký</i> úhor.</p></body></html>")
                 .toUtf8());
  file.close();
  const QByteArray rtf =
      ConvertInLibreOffice(html, QStringLiteral("rtf"), folder.path(), QStringLiteral("HTML (StarWriter)"));
  ASSERT_FALSE(rtf.isEmpty());
  TrpRichText text;
  EXPECT_GT(text.LoadRtf(rtf), 0);
  const QString plain = text.Text().trimmed();
  EXPECT_EQ(plain, QStringLiteral("Kapor šupináč ťažký a ľahký úhor."));
  const int bold = int(text.Text().indexOf(QStringLiteral("ťažký")));
  const int italic = int(text.Text().indexOf(QStringLiteral("ľahký")));
  EXPECT_EQ(FormatAt(text.Document(), bold).fontWeight(), QFont::Bold);
  EXPECT_FALSE(FormatAt(text.Document(), italic).fontWeight() == QFont::Bold);
  EXPECT_TRUE(FormatAt(text.Document(), italic).fontItalic());

  // Ours, read by LibreOffice as plain text.
  QFile ours(folder.filePath(QStringLiteral("nase.rtf")));
  ASSERT_TRUE(ours.open(QIODevice::WriteOnly));
  ours.write(text.SaveRtf());
  ours.close();
  const QByteArray txt =
      ConvertInLibreOffice(ours.fileName(), QStringLiteral("txt:Text (encoded):UTF8"), folder.path());
  QString back = QString::fromUtf8(txt).trimmed();
  back.remove(QChar(0xFEFF));
  EXPECT_EQ(back, plain);
}

TEST(RichText, ReplacingARangeKeepsItsFormatAndFitReportsTheFirstCharacterLeft) {
  TrpRichText text;
  text.LoadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Meno: {\\b [MENO]} koniec}");
  text.ReplaceRange(6, 11, QStringLiteral("Ján"));
  EXPECT_EQ(text.Text(), QStringLiteral("Meno: Ján koniec"));
  EXPECT_EQ(FormatAt(text.Document(), 6).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(text.Document(), 8).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(text.Document(), 9).fontWeight(), QFont::Bold);
  EXPECT_EQ(text.Find(QStringLiteral("koniec"), 0), 10);
  EXPECT_EQ(text.Find(QStringLiteral("Meno"), 1), -1);

  TrpRichText lines;
  lines.SetPlainText(QStringLiteral("jeden\ndva\ntri\nštyri"));
  EXPECT_EQ(lines.FitRange(0, QSize(300, 1000)), lines.Length());
  const int afterOne = lines.FitRange(0, QSize(300, 20));
  EXPECT_EQ(afterOne, 6); // "dva" did not fit
  EXPECT_EQ(lines.FitRange(afterOne, QSize(300, 20)), 10);
  EXPECT_EQ(lines.FitRange(0, QSize(300, 2)), 0); // not even the first line
}

// Members in an in-memory data set, walked as "Members".
class RichReport : public ObjectsFixture {
protected:
  RichReport() {
    TUxFieldDef name;
    name.Name = QStringLiteral("NAME");
    name.DataType = TUxFieldType::String;
    name.Size = 40;
    data.AddFieldDef(name);
    data.Open();
    members.setObjectName(QStringLiteral("Members"));
    members.SetDataSet(&data);
    page = report.Pages.GetPage(0);
  }
  void AddMember(const QString& value) {
    data.Append();
    data.FieldByName(QStringLiteral("NAME")).SetValue(value);
    data.Post();
  }
  TrpBandView* AddBand(int type, int top, int height, quint16 flags, const QString& source = {}) {
    auto band = std::make_unique<TrpBandView>();
    band->SetBandType(type);
    band->SetBounds(0, top, 700, height);
    band->Flags = flags;
    band->DisplayFormatText = source;
    band->Name = QStringLiteral("Band%1").arg(page->Count());
    return static_cast<TrpBandView*>(page->Add(std::move(band)));
  }
  TrpRichView* AddRich(int top, int height, const QByteArray& rtf) {
    auto rich = std::make_unique<TrpRichView>();
    rich->SetBounds(20, top, 300, height);
    rich->Name = QStringLiteral("Rich%1").arg(page->Count());
    rich->Text().LoadRtf(rtf);
    return static_cast<TrpRichView*>(page->Add(std::move(rich)));
  }
  // The rich-text parts of every prepared page.
  QList<QList<TrpRichView*>> PreparedParts() {
    QList<QList<TrpRichView*>> pages;
    for (int i = 0; i < report.EMFPages.Count(); ++i) {
      TrpPage& prepared = report.EMFPages.LoadPageObjects(i);
      QList<TrpRichView*> parts;
      for (int k = 0; k < prepared.Count(); ++k)
        if (auto* rich = dynamic_cast<TrpRichView*>(prepared.GetObject(k))) parts.append(rich);
      pages.append(parts);
    }
    return pages;
  }

  QObject owner;
  TUxMemoryData data;
  TrpDBDataSet members{&owner};
  TrpReport report{&owner};
  TrpPage* page = nullptr;
};

TEST_F(RichReport, ValuesKeepTheirFormatAndAreNotExpandedAgain) {
  AddMember(QStringLiteral("Novák"));
  AddMember(QStringLiteral("[Members.\"NAME\"]"));
  AddBand(btMasterData, 50, 40, 0, QStringLiteral("Members"));
  AddRich(55, 30, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Meno: {\\b [Members.\"NAME\"]} [1+2]}");
  TrpRichView* literal = AddRich(55, 30, "{\\rtf1 Ostane [1+2]}");
  literal->SetBounds(400, 55, 200, 30);
  literal->Flags |= mfTextOnly;
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  const QList<QList<TrpRichView*>> pages = PreparedParts();
  ASSERT_EQ(pages.size(), 1);
  ASSERT_EQ(pages[0].size(), 4);
  const TrpRichView* first = pages[0][0];
  EXPECT_EQ(first->Text().Text(), QStringLiteral("Meno: Novák 3"));
  EXPECT_EQ(FormatAt(first->Text().Document(), 6).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(first->Text().Document(), 12).fontWeight(), QFont::Bold);
  EXPECT_EQ(pages[0][1]->Text().Text(), QStringLiteral("Ostane [1+2]"));
  EXPECT_EQ(pages[0][2]->Text().Text(), QStringLiteral("Meno: [Members.\"NAME\"] 3"));
  EXPECT_EQ(pages[0][3]->Text().Text(), QStringLiteral("Ostane [1+2]"));
}

// What a PDF reader finds in the page printed at a printer's resolution.
QString PrintedText(TrpReport& report, const QString& folder) {
  const QString file = folder + QStringLiteral("/tlac.pdf");
  {
    QPdfWriter pdf(file);
    pdf.setResolution(1200);
    QPainter painter(&pdf);
    rpRun().EngineMode = true;
    TrpPage& prepared = report.EMFPages.LoadPageObjects(0);
    for (int i = 0; i < prepared.Count(); ++i) {
      TrpView* view = prepared.GetObject(i);
      view->ZoomX = view->ZoomY = 1200.0 / 96; // report pixels to printer dots
      view->PrinterOutput = 1;
      view->Draw(rpRun(), &painter);
    }
  }
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
  if (!reader.waitForFinished(60000)) return {};
  return QString::fromUtf8(reader.readAllStandardOutput());
}

TEST_F(RichReport, PrintsAtAPrintersResolutionAsOnTheScreen) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
  AddBand(btReportTitle, 20, 80, 0);
  AddRich(25, 70,
          "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 Prv\\'fd riadok textu o kaproch\\par Druh\\'fd "
          "riadok: {\\b [1 + 1]} ryby}");
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  QTemporaryDir folder;
  const QString printed = PrintedText(report, folder.path());
  EXPECT_TRUE(printed.contains(QStringLiteral("Prvý riadok textu o kaproch"))) << printed.toStdString();
  EXPECT_TRUE(printed.contains(QStringLiteral("Druhý riadok: 2 ryby"))) << printed.toStdString();
}

TEST_F(RichReport, ATextLongerThanAPageIsSplitIntoPartsOfUnprintedCharacters) {
  AddMember(QStringLiteral("x"));
  QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  QString whole;
  for (int i = 1; i <= 150; ++i) {
    const QString line = QStringLiteral("Riadok %1 dlhého textu").arg(i);
    rtf += line.toLatin1() + (i < 150 ? "\\par " : "");
    whole += line + (i < 150 ? QStringLiteral("\n") : QString());
  }
  rtf += "}";
  AddBand(btMasterData, 50, 40, bfStretched, QStringLiteral("Members"));
  TrpRichView* rich = AddRich(52, 30, rtf);
  rich->Flags |= mfStretched;
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  const QList<QList<TrpRichView*>> pages = PreparedParts();
  ASSERT_GE(pages.size(), 3);
  // A part that ends with a paragraph ends without its mark, as rich text does.
  whole.remove(QLatin1Char('\n'));
  QString joined;
  for (const QList<TrpRichView*>& parts : pages) {
    ASSERT_EQ(parts.size(), 1);
    const QString part = parts[0]->Text().Text().remove(QLatin1Char('\n'));
    EXPECT_FALSE(part.isEmpty());
    EXPECT_TRUE(whole.mid(joined.size()).startsWith(part))
        << "at " << joined.size() << ": " << part.left(40).toStdString() << " ... " << part.right(40).toStdString()
        << " / expected " << whole.mid(joined.size(), 40).toStdString();
    joined += part;
  }
  EXPECT_EQ(joined, whole);
}

QByteArray RichRecord(const QString& name, const QByteArray& rtf, qsizetype& endAt, quint16 flags = 1) {
  TBinaryWriter s;
  TViewRecord view;
  view.Name = name;
  view.Flags = flags;
  WriteViewRecord(s, view);
  rpWriteByte(s, rtf.isEmpty() ? 0 : 1);
  endAt = s.Size();
  rpWriteInteger(s, 0); // the file position of the record's end, filled in by the template writer
  s.WriteBytes(rtf);
  return s.TakeData();
}

TEST_F(RichReport, TemplatesRoundTripAndABadTextLosesOnlyItself) {
  TrpRichText twoFonts;
  twoFonts.LoadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}{\\colortbl;\\red200\\green0\\blue0;"
                   "\\red0\\green0\\blue200;}\\f0\\fs20\\cf1 Prv\\'e9 {\\f1\\fs28\\cf2\\i druh\\'e9}}");
  const QByteArray canonical = twoFonts.SaveRtf();
  qsizetype endA = 0, endB = 0, endC = 0;
  const QByteArray a = RichRecord(QStringLiteral("Rich1"), canonical, endA, 1 | mfTextOnly);
  const QByteArray b = RichRecord(QStringLiteral("Rich2"), {}, endB);
  const QByteArray file =
      TemplateWith({{QStringLiteral("TrpRichView"), a, endA}, {QStringLiteral("TrpRichView"), b, endB}});
  StopClock(report);
  report.LoadFromStream(file, false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(page = report.Pages.GetPage(0), report.Pages.GetPage(0));
  ASSERT_EQ(page->Count(), 2);
  auto* rich = dynamic_cast<TrpRichView*>(page->GetObject(0));
  ASSERT_NE(rich, nullptr);
  EXPECT_EQ(rich->Text().Text(), QStringLiteral("Prvé druhé"));
  EXPECT_TRUE(rich->ReadProperty(QStringLiteral("TEXTONLY")).toBool());
  EXPECT_EQ(FamilyAt(rich->Text().Document(), 6), QStringLiteral("Times New Roman"));
  EXPECT_EQ(FormatAt(rich->Text().Document(), 6).foreground().color(), QColor(0, 0, 200));
  EXPECT_TRUE(dynamic_cast<TrpRichView*>(page->GetObject(1))->Text().IsEmpty());
  const QByteArray saved = report.SaveToStream();
  EXPECT_EQ(saved, file);
  // An empty text: flag 0, and the end right after the end field.
  EXPECT_EQ(b.size(), endB + 4);

  // A damaged text and a reader that stops early: the next object still loads.
  const QByteArray bad = RichRecord(QStringLiteral("Bad"), "{\\rtf1 zlo{{{\\'", endC);
  TBinaryWriter shape;
  TViewRecord view;
  view.Name = QStringLiteral("Shape1");
  WriteViewRecord(shape, view);
  rpWriteByte(shape, 2);
  TrpReport second;
  second.LoadFromStream(
      TemplateWith({{QStringLiteral("TrpRichView"), bad, endC}, {QStringLiteral("TrpShapeView"), shape.TakeData()}}),
      false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(second.Pages.GetPage(0)->Count(), 2);
  EXPECT_EQ(dynamic_cast<TrpRichView*>(second.Pages.GetPage(0)->GetObject(0))->Text().Text(), QStringLiteral("zlo"));
  EXPECT_EQ(second.Pages.GetPage(0)->GetObject(1)->Name, QStringLiteral("Shape1"));
}

TEST_F(RichReport, AnEmptyTextMeasuresEightAndTheMinimumIsEight) {
  TrpRichView rich;
  rich.SetBounds(0, 0, 200, 50);
  EXPECT_EQ(rich.CalcHeight(rpRun()), 8 + 2 * rich.GapY);
  EXPECT_EQ(rich.MinimumHeight(), 8);
  rich.Text().SetPlainText(QStringLiteral("jeden\ndva"));
  const int two = rich.CalcHeight(rpRun());
  rich.Text().SetPlainText(QStringLiteral("jeden"));
  const int one = rich.CalcHeight(rpRun());
  EXPECT_GT(one, 8 + 2 * rich.GapY); // a single line measures its line
  EXPECT_GT(two, one);
}

// A designer whose page is the test's and which counts its notifications.
struct PageDesigner : TrpReportDesigner {
  int before = 0, after = 0;
  void BeforeChange() override { ++before; }
  void AfterChange() override { ++after; }
};

TEST_F(RichReport, TextOnlyMenuEntryChangesTheSelectionButNotProtectedObjects) {
  TrpRichView* open = AddRich(10, 20, "{\\rtf1 a}");
  TrpRichView* locked = AddRich(40, 20, "{\\rtf1 b}");
  TrpRichView* unselected = AddRich(70, 20, "{\\rtf1 c}");
  open->IsSelected = locked->IsSelected = 1;
  locked->Restrictions = rrModify;
  QList<TrpContextMenuItem> items;
  open->AddContextMenuItems(items);
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0].Caption, QStringLiteral("-"));
  EXPECT_TRUE(items[1].Checked); // stretched by default
  EXPECT_EQ(items[2].Caption, QStringLiteral("Iba text"));
  EXPECT_FALSE(items[2].Checked);
  items[2].OnClick(); // without a designer nothing changes
  EXPECT_FALSE(open->Flags & mfTextOnly);
  PageDesigner designer;
  designer.Page = page;
  rpSetCurrentDesigner(&designer);
  items[2].OnClick();
  rpSetCurrentDesigner(nullptr);
  EXPECT_TRUE(open->Flags & mfTextOnly);
  EXPECT_FALSE(locked->Flags & mfTextOnly);
  EXPECT_FALSE(unselected->Flags & mfTextOnly);
  EXPECT_EQ(designer.before, 1);
  EXPECT_EQ(designer.after, 1);
}

} // namespace

namespace {

TEST_F(RichReport, XmlElementCarriesTheTextAsComponentDataAndTheTemplateIsWellFormed) {
  TrpRichView* rich = AddRich(10, 20, "{\\rtf1 \\'9eiv\\'e1 <ryba> & \"kapor\"}");
  rich->Flags = mfStretched | mfTextOnly;
  QString element, common;
  rich->WriteXmlElement(element);
  rich->TrpView::WriteXmlElement(common);
  const QString own = element.mid(common.size());
  ASSERT_TRUE(own.startsWith(QStringLiteral(" Propdata=\""))) << own.toStdString();
  const QByteArray data = QByteArray::fromHex(own.section(QLatin1Char('"'), 1, 1).toLatin1());
  EXPECT_TRUE(data.startsWith("\x08RichEdit\x0a"));
  const QByteArray rtf = data.mid(14);
  EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 10), quint32(rtf.size()));
  EXPECT_EQ(rtf, rich->Text().SaveRtf());
  EXPECT_TRUE(own.endsWith(QStringLiteral("\" StretchMode=\"smMaxHeight\" AllowExpressions=\"False\"")))
      << own.toStdString();

  if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
    GTEST_SKIP() << "xmllint is not installed (libxml2-utils)";
  for (auto kind :
       {TrpShapeView().ClassName(), QStringLiteral("TrpCheckBoxView"), QStringLiteral("TrpRoundRectView")}) {
    std::unique_ptr<TrpView> view = rpNewObjectOfType(10, kind);
    ASSERT_NE(view, nullptr) << kind.toStdString();
    view->Memo = {QStringLiteral("Ťažký \"úlovok\" & <kapor>")};
    view->Name = kind + QStringLiteral("1");
    page->Add(std::move(view));
  }
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("objekty.rp3"));
  report.SaveAsXmlFile(file);
  QProcess lint;
  lint.setProcessChannelMode(QProcess::MergedChannels);
  lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), file});
  ASSERT_TRUE(lint.waitForFinished(60000));
  EXPECT_EQ(lint.exitCode(), 0) << lint.readAll().toStdString();
}

} // namespace
