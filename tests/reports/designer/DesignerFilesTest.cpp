#include "DesignerFixture.h"
#include "reports/designer/rpDesigner.h"
#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDesignerInsertFields.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace {

#define S(text) QStringLiteral(text)

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(DesignerFiles, TheTemplateFolderEndsWithItsSeparator) {
  EXPECT_EQ(rpTemplateFolder(nullptr), QCoreApplication::applicationDirPath() + S("/"));
  TrpDesigner designer;
  designer.TemplateDir = S("/srv/sablony");
  EXPECT_EQ(rpTemplateFolder(&designer), S("/srv/sablony/"));
  designer.TemplateDir = S("/srv/sablony/");
  EXPECT_EQ(rpTemplateFolder(&designer), S("/srv/sablony/"));
  designer.TemplateDir = S("C:\\Sablony\\");
  EXPECT_EQ(rpTemplateFolder(&designer), S("C:\\Sablony\\"));
}

TEST(DesignerFiles, TemplatesAreListedInAnyCaseButNoFolders) {
  QTemporaryDir dir;
  Touch(dir.filePath(S("zoznam.rpt")));
  Touch(dir.filePath(S("Adresy.RPT")));
  Touch(dir.filePath(S("iny.rpf")));
  ASSERT_TRUE(QDir(dir.path()).mkdir(S("x.rpt")));
  const QStringList files = rpTemplateFiles(dir.path() + S("/"));
  EXPECT_EQ(files, (QStringList{dir.filePath(S("Adresy.RPT")), dir.filePath(S("zoznam.rpt"))}));
  EXPECT_TRUE(rpTemplateFiles(dir.filePath(S("x.rpt"))).isEmpty());
}

TEST(DesignerFiles, FileNamesOfTheSavedKinds) {
  EXPECT_EQ(rpWithExtension(S("/a/zoznam.rpf"), S(".rp3")), S("/a/zoznam.rp3"));
  EXPECT_EQ(rpWithExtension(S("/a/zoznam"), S(".rpf")), S("/a/zoznam.rpf"));
  EXPECT_EQ(rpTemplateTarget(S("/a/zoznam.rpf"), QString()), S("/a/zoznam.rpt"));
  EXPECT_EQ(rpTemplateTarget(S("/a/zoznam.rpf"), S("/sablony")), S("/sablony/zoznam.rpt"));
  EXPECT_EQ(rpSaveKindOfFilter(3), TrpSaveKind::NewReportTemplate);
  EXPECT_EQ(rpSaveKindOfFilter(0), TrpSaveKind::Template);
}

TEST(DesignerFiles, APictureThatFitsIsCentredUnscaledALargerOneFillsTheArea) {
  EXPECT_EQ(rpPicturePreviewRect(QSize(50, 50), QSize(260, 240)), QRect(105, 95, 50, 50));
  EXPECT_EQ(rpPicturePreviewRect(QSize(300, 50), QSize(260, 240)), QRect(0, 0, 260, 240));
}

class InsertFields : public DesignerFixture {
protected:
  InsertFields() {
    rpRun().CurrentReport = report;
    page = report->Pages.GetPage(0);
    choice.DataSet = S("Master");
    choice.BandDataSource = S("rpClenovia");
    choice.Fields = {{S("MENO"), 20, S("Meno")}, {S("TELEFON"), 300, S("Telefón")}, {S("OBEC"), 8, S("Obec")}};
  }
  ~InsertFields() override { rpRun().CurrentReport = nullptr; }

  QList<TrpView*> Insert() {
    // Seven pixels a character, bold or not, so the positions are exact.
    return rpInsertFieldObjects(*page, choice, 8, TrpInsertDefaults{},
                                [](const QString& text, bool) { return 7 * int(text.size()); });
  }

  TrpPage* page = nullptr;
  TrpInsertFieldsChoice choice;
};

TEST_F(InsertFields, ThreeFieldsSideBySideWithHeadersAndBands) {
  const QList<TrpView*> added = Insert();
  ASSERT_EQ(added.size(), 8);
  const int left = page->PrintableLeft(), top = page->PrintableTop();
  // Headers: the name and three blanks, cut to the grid; data: "=" times the display width.
  const struct {
    const char* text;
    QRect bounds;
    bool bold;
  } expected[] = {
      {"Meno", {left, top, 48, 20}, true},
      {"[Master.\"MENO\"]", {left, top + 72, 136, 20}, false},
      {"Telefón", {left + 144, top, 64, 20}, true},
      {"[Master.\"TELEFON\"]", {left + 144, top + 72, 40, 20}, false}, // 300 counts as 6
      {"Obec", {left + 192, top, 48, 20}, true},
      {"[Master.\"OBEC\"]", {left + 192, top + 72, 56, 20}, false},
  };
  for (int i = 0; i < 6; ++i) {
    const auto* text = dynamic_cast<const TrpMemoView*>(added.at(i));
    ASSERT_NE(text, nullptr) << i;
    EXPECT_EQ(text->Memo, QStringList{QString::fromUtf8(expected[i].text)}) << i;
    EXPECT_EQ(QRect(text->Left, text->Top, text->Width, text->Height), expected[i].bounds) << expected[i].text;
    EXPECT_EQ(text->Font.Style.Bold, expected[i].bold) << expected[i].text;
    EXPECT_TRUE(text->IsSelected);
  }
  const auto* header = dynamic_cast<const TrpBandView*>(page->FindObject(S("PageHeader1")));
  const auto* data = dynamic_cast<const TrpBandView*>(page->FindObject(S("MasterData1")));
  ASSERT_NE(header, nullptr);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(QRect(0, header->Top, 0, header->Height), QRect(0, top, 0, 20));
  EXPECT_EQ(QRect(0, data->Top, 0, data->Height), QRect(0, top + 72, 0, 20));
  EXPECT_EQ(header->GetBandType(), btPageHeader);
  EXPECT_EQ(data->GetBandType(), btMasterData);
  EXPECT_EQ(data->DisplayFormatText, S("rpClenovia"));
}

TEST_F(InsertFields, AVerticalListWithoutHeadersGetsOneMasterBandAndKeepsAPageHeader) {
  AddBand(page, btPageHeader, S("Hlavicka"), 0, 30);
  choice.Horizontal = false;
  choice.Headers = false;
  const QList<TrpView*> added = Insert();
  ASSERT_EQ(added.size(), 4);
  const int top = page->PrintableTop();
  EXPECT_EQ(added.at(1)->Top, top + 28);
  EXPECT_EQ(added.at(2)->Top, top + 56);
  EXPECT_EQ(added.at(3)->Top, top);
  EXPECT_EQ(added.at(3)->Height, 76);
  EXPECT_EQ(page->FindObject(S("PageHeader1")), nullptr);
}

TEST_F(InsertFields, ARowWiderThanThePageIsSqueezed) {
  choice.Fields = {{S("A"), 100, S("A")}, {S("B"), 100, S("B")}};
  choice.Bands = false;
  const QList<TrpView*> added = Insert();
  const int left = page->PrintableLeft();
  const int width = page->PrintableRight() - left;
  const TrpView* last = added.last();
  EXPECT_LE(last->Left + last->Width, left + width + 1);
  EXPECT_EQ(added.at(0)->Left, left);
  EXPECT_LE(added.at(0)->Width, added.at(1)->Width); // the header no wider than its data
}

} // namespace
