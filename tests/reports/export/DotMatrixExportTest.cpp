#include "ExportFixture.h"
#include "core/Exception.h"
#include "platform/MessageDialogs.h"
#include "platform/base/Registry.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/export/rpPrnInit.h"
#include "reports/export/rpSpooler.h"
#include "reports/export/rpTextAdvExport.h"
#include "reports/export/rpTextAdvExportForm.h"
#include "tests/support/ConfigFolder.h"
#include "tests/support/ModalDriver.h"
#include <QtCore/QFile>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>

namespace {

class DotMatrixExportTest : public ExportFixture {
protected:
  // The printer command set of the third type with its first and fourth commands on.
  static void ChooseHpResetAndBold(TrpTextAdvExport& filter) {
    filter.PrinterType = 2;
    filter.PrinterTypes[2].Commands[0].Enabled = true;
    filter.PrinterTypes[2].Commands[3].Enabled = true;
    filter.BuildInitString();
  }
  // Two stacked framed boxes from column 12 on the first page, a wrapped text on the second.
  void AddTwoPages() {
    AddPage({{84, 0, 140, 30, QStringLiteral("Ďurčo Ľudovít"), 15},
             {84, 30, 140, 30, QStringLiteral("Šaľa"), 15, 1},
             {84, 70, 70, 20, QStringLiteral("Spolu: 2")}});
    AddPage({{84, 0, 84, 40, QStringLiteral("Rybárska stráž vykonala kontrolu revíru"), 15}});
  }
};

TEST_F(DotMatrixExportTest, PrnFilesMatchTheirGoldenBytes) {
  struct Case {
    const char* golden;
    bool pseudographic, oem, emptyLines, leadSpaces, init;
  };
  const Case cases[] = {
      {"prn_simple_init.prn", false, false, true, true, true},
      {"prn_boxes_oem.prn", true, true, true, true, false},
      {"prn_no_empty_lines_no_lead.prn", false, false, false, false, false},
  };
  AddTwoPages();
  for (const Case& c : cases) {
    TrpTextAdvExport filter;
    filter.Pseudogrpahic = c.pseudographic;
    filter.OEMCodepage = c.oem;
    filter.EmptyLines = c.emptyLines;
    filter.LeadSpaces = c.leadSpaces;
    if (c.init) ChooseHpResetAndBold(filter);
    ExpectGolden(Export(filter, QStringLiteral("zostava.prn")), QLatin1String(c.golden));
  }
}

TEST_F(DotMatrixExportTest, InitStringOfTheThirdTypeWithItsFirstAndFourthCommands) {
  TrpTextAdvExport filter;
  ChooseHpResetAndBold(filter);
  EXPECT_EQ(filter.InitString.toHex(' '), QByteArray("1b 45 1b 26 6c 30 4f 1b 28 73 30 53 1b 28 73 33 42 "
                                                     "1b 28 73 32 51 1b 28 73 31 30 48"));
  filter.PrinterType = 0;
  filter.BuildInitString();
  EXPECT_TRUE(filter.InitString.isEmpty()) << "the type without commands sends nothing";
}

TEST_F(DotMatrixExportTest, LeadingBlanksOffShiftsThePageToItsLeftmostText) {
  // Its text is written from the column after its left edge: column 12.
  AddPage({{77, 0, 140, 20, QStringLiteral("od stĺpca 12")}});
  TrpTextAdvExport filter;
  filter.LeadSpaces = false;
  filter.EmptyLines = false;
  EXPECT_EQ(Export(filter, QStringLiteral("posun.prn")), QByteArray("od st\xe5pca 12\r\n\f"));
}

QStringList Strings(const QList<const char*>& texts) {
  QStringList strings;
  for (const char* text : texts)
    strings.append(QString::fromUtf8(text));
  return strings;
}

// Grids drawn as text: every character but a blank is a frame character.
TrpCharGrid GridOf(const QStringList& picture) {
  TrpCharGrid grid(int(picture.value(0).size()), int(picture.size()));
  for (int row = 0; row < grid.Rows; ++row)
    for (int column = 0; column < grid.Columns; ++column)
      if (picture[row][column] != QLatin1Char(' ')) grid.Put(column, row, char(picture[row][column].unicode()), true);
  return grid;
}

TEST_F(DotMatrixExportTest, JunctionsFollowTheirNeighbours) {
  // The centre of each 3 x 3 grid with frame set "|-ABCDEFGHX" (so every result can be told apart).
  const QByteArray f = "|-ABCDEFGHX";
  const struct {
    int rule;
    QList<const char*> grid;
    char centre;
  } cases[] = {
      {1, {"   ", " A ", " | "}, '|'},  {2, {" | ", " A ", "   "}, '|'},  {3, {"   ", " A-", "   "}, '-'},
      {4, {"   ", "-A ", "   "}, '-'},  {5, {" | ", " A ", " | "}, '|'},  {6, {"   ", "-A-", "   "}, '-'},
      {7, {" | ", "-A-", " | "}, 'X'},  {8, {"   ", "-A-", " | "}, 'G'},  {9, {" | ", "-A-", "   "}, 'E'},
      {10, {" | ", " A-", " | "}, 'F'}, {11, {" | ", "-A ", " | "}, 'H'}, {12, {"   ", " C-", " | "}, 'A'},
      {13, {" | ", " A-", "   "}, 'C'}, {14, {" | ", "-A ", "   "}, 'D'}, {15, {"   ", "-A ", " | "}, 'B'},
      {16, {" A ", "AAA", " A "}, 'A'},
  };
  for (const auto& c : cases) {
    TrpCharGrid grid = GridOf(Strings(c.grid));
    TrpTextAdvExport::RepairJunctions(grid, f);
    EXPECT_EQ(grid.At(1, 1), c.centre) << "rule " << c.rule;
  }
  // Text is never taken for a frame: a "+" of a telephone number under a line stays.
  TrpCharGrid text = GridOf({QStringLiteral("---"), QStringLiteral("   ")});
  text.Put(1, 1, '+', false);
  TrpTextAdvExport::RepairJunctions(text, QByteArrayLiteral("|-+++++++++"));
  EXPECT_EQ(text.At(1, 1), '+');
}

TEST_F(DotMatrixExportTest, StackedBoxesShareACornerThatBecomesAJunction) {
  AddPage({{0, 0, 70, 30, QStringLiteral("a"), 15}, {0, 30, 70, 30, QStringLiteral("b"), 15}});
  TrpTextAdvExport filter;
  filter.Pseudogrpahic = true;
  filter.EmptyLines = false;
  filter.PageBreaks = false;
  const QByteArray prn = Export(filter, QStringLiteral("boxy.prn"));
  const QList<QByteArray> rows = prn.split('\n');
  ASSERT_GE(rows.size(), 4);
  EXPECT_EQ(rows[3].left(1), QByteArray("\xc3")) << "F[7] where the lower box's corner meets the upper box";
  EXPECT_EQ(rows[3].mid(10, 1), QByteArray("\xb4")) << "and F[9] on the right";
}

TEST_F(DotMatrixExportTest, WordWrapBreaksAtBlanksTabsAndHyphens) {
  const struct {
    const char* text;
    int width, lines;
    QList<const char*> expected;
  } cases[] = {
      {"Rybár Ján", 20, 3, {"Rybár Ján"}},
      {"jeden dva tri", 5, 3, {"jeden", "dva ", "tri"}}, // a blank that stays ends its line
      {"jeden\tdva", 7, 3, {"jeden\t", "dva"}},
      {"Liptovský-Mikuláš", 12, 3, {"Liptovský-", "Mikuláš"}},
      {"bezmedzerovýtext", 5, 4, {"bezme", "dzero", "výtex", "t"}},
      {"a b c d e f", 1, 2, {"a", "b"}}, // lines beyond the limit are dropped
      {"prvý\r\ndruhý", 20, 3, {"prvý", "druhý"}},
      {"riadok\r\n", 6, 3, {"riadok"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TrpTextAdvExport::WordWrap(QString::fromUtf8(c.text), c.width, c.lines), Strings(c.expected)) << c.text;
}

TEST_F(DotMatrixExportTest, LongTextInABoxKeepsToItsRows) {
  // 12 columns and 3 rows: two lines of text fit inside the frame.
  AddPage({{0, 0, 84, 30, QStringLiteral("jeden dva tri styri pat sest"), 15}});
  TrpTextAdvExport filter;
  filter.PageBreaks = false;
  filter.EmptyLines = false;
  const QByteArray prn = Export(filter, QStringLiteral("dlhy.prn"));
  EXPECT_EQ(prn, QByteArray("+-----------+\r\n|jeden dva  |\r\n|tri styri  |\r\n+-----------+\r\n\f"));
}

TEST_F(DotMatrixExportTest, InitTemplatesRoundTrip) {
  TrpTextAdvExport filter;
  ChooseHpResetAndBold(filter);
  const QString path = Path(QStringLiteral("hp.fpi"));
  filter.SaveInitTemplate(path);
  EXPECT_EQ(ReadFile(path), QByteArray("2\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\n"));

  TrpTextAdvExport other;
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("True\r\nTrue\r\n"); // lines beyond the type's commands are ignored
  file.close();
  other.LoadInitTemplate(path);
  EXPECT_EQ(other.PrinterType, 2);
  EXPECT_EQ(other.InitString, filter.InitString);

  // A template that names no printer type is refused and changes nothing.
  QFile bad(Path(QStringLiteral("zle.fpi")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("7\r\nTrue\r\n");
  bad.close();
  EXPECT_THROW(other.LoadInitTemplate(Path(QStringLiteral("zle.fpi"))), Exception);
  EXPECT_EQ(other.PrinterType, 2);
  EXPECT_EQ(other.InitString, filter.InitString);
}

TEST_F(DotMatrixExportTest, PrinterSetUpRefusesATemplateWithoutAType) {
  QFile bad(Path(QStringLiteral("zle.fpi")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("x\r\n");
  bad.close();
  TrpTextAdvExport filter;
  ChooseHpResetAndBold(filter);
  const QByteArray before = filter.InitString;
  TrpPrnInit dialog(filter);
  TScriptedMessageDialogs messageBoxes;
  dialog.LoadTemplate(Path(QStringLiteral("zle.fpi")));
  ASSERT_EQ(messageBoxes.Requests().size(), 1);
  EXPECT_EQ(messageBoxes.Requests()[0].Type, TMsgDlgType::Error);
  EXPECT_EQ(dialog.TypeCB->currentIndex(), 2);
  EXPECT_EQ(filter.InitString, before);
}

// --- the options dialog and its registry values

class DotMatrixDialogTest : public DotMatrixExportTest {
protected:
  DotMatrixDialogTest() {
    AddTwoPages();
    rpRun().CurrentReport = &report;
  }
  ~DotMatrixDialogTest() override { rpRun().CurrentReport = nullptr; }
  TConfigFolder config_;
};

TEST_F(DotMatrixDialogTest, SavedSettingsCountOnlyWhenBordersIsThere) {
  TRegistry& registry = TRegistry::Root();
  const QString& key = TrpTextAdvExport::kRegistryKey;
  registry.WriteValue(key, QStringLiteral("PageBreaks"), TRegValue::FromDword(0), true);
  registry.WriteValue(key, QStringLiteral("ScaleX"), TRegValue::String(QStringLiteral("2")), true);
  TrpTextAdvExport filter;
  {
    TrpTEXTExprSet form(filter);
    EXPECT_TRUE(filter.PageBreaks);
    EXPECT_EQ(filter.ScaleWidth, 1);
    EXPECT_EQ(form.ScaleWidthE->value(), 100);
  }
  registry.WriteValue(key, QStringLiteral("Borders"), TRegValue::FromDword(0), true);
  TrpTEXTExprSet form(filter);
  EXPECT_FALSE(filter.Borders);
  EXPECT_FALSE(filter.PageBreaks);
  EXPECT_EQ(filter.ScaleWidth, 2);
  EXPECT_TRUE(form.NoneRB->isChecked());
  EXPECT_EQ(form.ScaleWidthE->value(), 200);
}

TEST_F(DotMatrixDialogTest, CancelReadsNothingBackAndOkSavesTheSettings) {
  TrpTextAdvExport filter;
  TrpTEXTExprSet cancelled(filter);
  WhenModal<TrpTEXTExprSet>([](TrpTEXTExprSet* form) {
    form->PageBreaksCB->setChecked(false);
    form->ScaleWidthE->setValue(300);
    form->PageRangeE->setText(QStringLiteral("2"));
    form->CancelB->click();
  });
  EXPECT_EQ(cancelled.Execute(), 2);
  EXPECT_TRUE(filter.PageBreaks);
  EXPECT_EQ(filter.ScaleWidth, 1);
  EXPECT_TRUE(filter.PageRangeText.isEmpty());
  EXPECT_FALSE(TRegistry::Root().ReadValue(TrpTextAdvExport::kRegistryKey, QStringLiteral("Borders")));

  TrpTEXTExprSet confirmed(filter);
  WhenModal<TrpTEXTExprSet>([](TrpTEXTExprSet* form) {
    form->OEMCB->click();
    form->GraphicRB->setChecked(true);
    form->ScaleHeightE->setValue(150);
    form->OKB->click();
  });
  EXPECT_EQ(confirmed.Execute(), 1);
  EXPECT_TRUE(filter.OEMCodepage && filter.Pseudogrpahic && filter.Borders);
  EXPECT_EQ(filter.ScaleHeight, 1.5);
  const auto saved = TRegistry::Root().ReadValue(TrpTextAdvExport::kRegistryKey, QStringLiteral("BordersGraph"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Dword, 1u);
}

TEST_F(DotMatrixDialogTest, GraphicFramesNeedTheOemCodePage) {
  TrpTextAdvExport filter;
  filter.OEMCodepage = true;
  filter.Pseudogrpahic = true;
  TrpTEXTExprSet form(filter);
  EXPECT_TRUE(form.GraphicRB->isChecked());
  form.OEMCB->click();
  EXPECT_FALSE(form.GraphicRB->isEnabled());
  EXPECT_TRUE(form.SimpleRB->isChecked()) << "a chosen Graphic turns into Simple";
}

TEST_F(DotMatrixDialogTest, PreviewShowsOnePageWithoutTouchingTheExport) {
  TrpTextAdvExport filter;
  TrpTEXTExprSet form(filter);
  form.OEMCB->click();
  form.GraphicRB->setChecked(true);
  form.SetPreviewShown(true);
  EXPECT_TRUE(form.PreviewMemo->toPlainText().contains(QStringLiteral("┌───")))
      << form.PreviewMemo->toPlainText().toStdString();
  EXPECT_TRUE(form.PreviewMemo->toPlainText().contains(QStringLiteral("Ďurčo Ľudovít")));
  EXPECT_FALSE(form.PreviewMemo->toPlainText().contains(QStringLiteral("Rybárska")));
  form.PageSE->setValue(2);
  EXPECT_TRUE(form.PreviewMemo->toPlainText().contains(QStringLiteral("Rybárska")));
  EXPECT_FALSE(filter.OEMCodepage) << "the preview has no lasting effect";
  EXPECT_FALSE(report.Terminated);
  form.SetPreviewFontSize(40);
  EXPECT_EQ(form.PreviewFontSize(), 30);
}

// --- printing after the export

// Records the spooler calls of each document.
class RecordingSpooler : public TrpSpooler {
public:
  explicit RecordingSpooler(QStringList& log, QList<QByteArray>& documents, bool opens = true)
      : log_(log), documents_(documents), opens_(opens) {}
  bool OpenPrinter(const QString& name) override {
    log_ << QStringLiteral("Open ") + name;
    return opens_;
  }
  bool StartDocument(const QString& name, const QString& type) override {
    log_ << QStringLiteral("Start %1 %2").arg(QFileInfo(name).fileName(), type);
    documents_.append(QByteArray());
    return true;
  }
  bool StartPage() override { return true; }
  bool Write(const QByteArray& block) override {
    log_ << QStringLiteral("Write %1").arg(block.size());
    documents_.last() += block;
    return true;
  }
  bool EndPage() override { return true; }
  bool EndDocument() override {
    log_ << QStringLiteral("End");
    return true;
  }
  void ClosePrinter() override {}

private:
  QStringList& log_;
  QList<QByteArray>& documents_;
  bool opens_;
};

class DotMatrixPrintTest : public DotMatrixExportTest {
protected:
  DotMatrixPrintTest() : keptSpooler_(rpMakeSpooler) {}
  ~DotMatrixPrintTest() override { rpMakeSpooler = keptSpooler_; }
  std::function<std::unique_ptr<TrpSpooler>()> keptSpooler_;
};

TEST_F(DotMatrixPrintTest, TwoCopiesAreTwoRawDocumentsInBlocks) {
  // Enough text for more than one block.
  QList<TTestObject> rows;
  for (int i = 0; i < 60; ++i)
    rows.append({0, i * 20, 420, 20, QStringLiteral("Riadok %1 zoznamu členov so svojou adresou").arg(i)});
  AddPage(rows);
  QStringList log;
  QList<QByteArray> documents;
  rpMakeSpooler = [&] { return std::make_unique<RecordingSpooler>(log, documents); };
  TrpTextAdvExport filter;
  filter.PrintAfter = true;
  filter.PrinterDialog = false;
  filter.Copies = 2;
  ChooseHpResetAndBold(filter);
  const QByteArray file = Export(filter, QStringLiteral("tlac.prn"));
  ASSERT_EQ(documents.size(), 2);
  for (const QByteArray& document : documents) {
    EXPECT_EQ(document, file);
    EXPECT_TRUE(document.startsWith(filter.InitString));
  }
  ASSERT_GT(file.size(), 1024);
  const QString printer = rpPrinter().CurrentPrinterName();
  QStringList blocks;
  for (qsizetype left = file.size(); left > 0; left -= 1024)
    blocks << QStringLiteral("Write %1").arg(std::min<qsizetype>(left, 1024));
  const QStringList oneCopy = QStringList{QStringLiteral("Open ") + printer, QStringLiteral("Start tlac.prn RAW")} +
                              blocks + QStringList{QStringLiteral("End")};
  EXPECT_EQ(log, oneCopy + oneCopy);
}

TEST_F(DotMatrixPrintTest, PrintingIntoAFileGivesTheGoldenBytes) {
  AddTwoPages();
  const QString printed = Path(QStringLiteral("vytlacene.prn"));
  rpMakeSpooler = [printed] { return std::make_unique<TrpFileSpooler>(printed); };
  TrpTextAdvExport filter;
  filter.PrintAfter = true;
  filter.PrinterDialog = false;
  ChooseHpResetAndBold(filter);
  Export(filter, QStringLiteral("tlac.prn"));
  ExpectGolden(ReadFile(printed), QStringLiteral("prn_printed.prn"));
}

TEST_F(DotMatrixPrintTest, APrinterThatCannotBeOpenedIsAFailure) {
  AddPage({{0, 0, 70, 20, QStringLiteral("a")}});
  QStringList log;
  QList<QByteArray> documents;
  rpMakeSpooler = [&] { return std::make_unique<RecordingSpooler>(log, documents, false); };
  TrpTextAdvExport filter;
  filter.PrintAfter = true;
  filter.PrinterDialog = false;
  Export(filter, QStringLiteral("tlac.prn"), false);
  EXPECT_TRUE(documents.isEmpty());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("nevytlačil"))) << messages[0].toStdString();
}

} // namespace
