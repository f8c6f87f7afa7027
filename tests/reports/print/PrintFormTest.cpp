#include "controls/QPLBtn.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/fCClenov.h"
#include "registers/members/fCClenovTlac.h"
#include "reports/engine/rpPrintDevice.h"
#include "reports/engine/rpPrintJob.h"
#include "tests/reports/print/PrintFormFixture.h"
#include <QtGui/QPainter>

namespace {

using PrintFormTest = PrintFormFixture;

struct TLookupCase {
  const char* name;
  QString templateName;    // as the register names it; "<elsewhere>" stands for a third folder
  QStringList preferred;   // files in the preferred report folder
  QStringList reports;     // files in the report folder
  QString expectedFolder;  // "preferred" or "reports"
  QString expectedComment; // the loaded template's comment, empty when none was loaded
};

class TemplateLookup : public PrintFormTest, public ::testing::WithParamInterface<TLookupCase> {};

TEST_P(TemplateLookup, FindsTheBareNameInTheReportFoldersOnly) {
  const TLookupCase& c = GetParam();
  QTemporaryDir preferred, elsewhere;
  IniSettings.ReportsPreferred = preferred.path();
  WriteTemplate(QDir(elsewhere.path()).filePath(QStringLiteral("Zoznam.rpf")), ListDescription(QStringLiteral("inde")));
  for (const QString& name : c.preferred)
    WriteTemplate(QDir(preferred.path()).filePath(name), ListDescription(QStringLiteral("preferred")));
  for (const QString& name : c.reports)
    WriteTemplate(InFolder(name), ListDescription(QStringLiteral("reports")));

  TfrmTlac form;
  QString name = c.templateName;
  name.replace(QStringLiteral("<elsewhere>"), elsewhere.path());
  form.SetTemplateName(name);
  form.LoadReport();
  const QString folderPath = c.expectedFolder == QLatin1String("preferred") ? preferred.path() : folder.path();
  const QString expectedName = c.expectedComment.isEmpty()
                                   ? QFileInfo(QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName()
                                   : (c.expectedFolder == QLatin1String("preferred") ? c.preferred : c.reports).first();
  EXPECT_EQ(form.rp1->FileName, QDir(folderPath).filePath(expectedName));
  EXPECT_EQ(form.rp1->Info.Comment, c.expectedComment);
}

INSTANTIATE_TEST_SUITE_P(PrintForm, TemplateLookup,
                         ::testing::Values(TLookupCase{"preferredFolderFirst",
                                                       QStringLiteral("Zoznam.rpf"),
                                                       {QStringLiteral("Zoznam.rpf")},
                                                       {QStringLiteral("Zoznam.rpf")},
                                                       QStringLiteral("preferred"),
                                                       QStringLiteral("preferred")},
                                           TLookupCase{"reportFolderWhenNotPreferred",
                                                       QStringLiteral("Zoznam.rpf"),
                                                       {},
                                                       {QStringLiteral("Zoznam.rpf")},
                                                       QStringLiteral("reports"),
                                                       QStringLiteral("reports")},
                                           TLookupCase{"folderPartDropped",
                                                       QStringLiteral("<elsewhere>/Zoznam.rpf"),
                                                       {},
                                                       {QStringLiteral("Zoznam.rpf")},
                                                       QStringLiteral("reports"),
                                                       QStringLiteral("reports")},
                                           TLookupCase{"windowsFolderPartDropped",
                                                       QStringLiteral("C:\\Zostavy\\Zoznam.rpf"),
                                                       {},
                                                       {QStringLiteral("Zoznam.rpf")},
                                                       QStringLiteral("reports"),
                                                       QStringLiteral("reports")},
                                           TLookupCase{"onlyElsewhereIsMissing",
                                                       QStringLiteral("<elsewhere>/Zoznam.rpf"),
                                                       {},
                                                       {},
                                                       QStringLiteral("reports"),
                                                       QString()},
                                           TLookupCase{"caseOfTheNameIgnored",
                                                       QStringLiteral("zoznam.RPF"),
                                                       {},
                                                       {QStringLiteral("Zoznam.rpf")},
                                                       QStringLiteral("reports"),
                                                       QStringLiteral("reports")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintFormTest, AMissingTemplateOrAnEditSaysThereIsNoDesignerAndKeepsTheFormOpen) {
  TfrmTlac form;
  form.SetTemplateName(QStringLiteral("Chyba.rpf"));
  form.LoadReport();
  form.btnPreview->click();
  form.btnPrint->click();
  EXPECT_EQ(form.ModalResult(), mrNone);
  EXPECT_FALSE(form.Completed());
  ASSERT_EQ(Messages().size(), 2);
  EXPECT_TRUE(Messages()[0].contains(InFolder(QStringLiteral("Chyba.rpf")))) << Messages()[0].toStdString();
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("Návrhár zostáv nie je")));

  WriteTemplate(InFolder(QStringLiteral("Zoznam.rpf")), ListDescription(QStringLiteral("zoznam")));
  TfrmTlac edit;
  edit.SetTemplateName(QStringLiteral("Zoznam.rpf"));
  edit.LoadReport();
  edit.btnEdit->click();
  EXPECT_EQ(Messages().last(), QStringLiteral("Návrhár zostáv nie je v tejto verzii programu k dispozícii."));
  EXPECT_TRUE(previews.isEmpty());
}

TEST_F(PrintFormTest, WithADesignerEditStaysOpenAndAMissingTemplateOpensIt) {
  QStringList designed;
  rpGlobals().DesignerWindow = [&designed](TrpReport& report, bool) {
    designed.append(report.FileName);
    return int(mrOk);
  };
  WriteTemplate(InFolder(QStringLiteral("Zoznam.rpf")), ListDescription(QStringLiteral("zoznam")));
  TfrmTlac form;
  form.SetTemplateName(QStringLiteral("Zoznam.rpf"));
  form.LoadReport();
  form.btnEdit->click();
  form.btnEdit->click();
  EXPECT_EQ(form.ModalResult(), mrNone);

  TfrmTlac missing;
  missing.SetTemplateName(QStringLiteral("Novy.rpf"));
  missing.btnPreview->click(); // loads on its own when the register did not
  EXPECT_EQ(missing.ModalResult(), mrOk);
  EXPECT_EQ(designed, (QStringList{InFolder(QStringLiteral("Zoznam.rpf")), InFolder(QStringLiteral("Zoznam.rpf")),
                                   InFolder(QStringLiteral("Novy.rpf"))}));
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_TRUE(previews.isEmpty());
}

TEST_F(PrintFormTest, EscClosesWithoutPrinting) {
  AddThreeMembers();
  WriteTemplate(InFolder(QStringLiteral("ClenZoznam.rpf")), ListDescription(QStringLiteral("zoznam")));
  int result = -1;
  EXPECT_FALSE(PrintMembers([&result](TfrmTlac& f) {
    Press(f, Qt::Key_Escape);
    result = f.ModalResult();
  }));
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(previews.isEmpty());
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(PrintFormTest, ABrokenTemplateScriptShowsItsErrorAndThePrintFails) {
  AddThreeMembers();
  WriteTemplate(InFolder(QStringLiteral("ClenZoznam.rpf")),
                ListDescription(QStringLiteral("zoznam"), QStringLiteral("if then x := ;")));
  int result = -1;
  bool failed = false;
  EXPECT_FALSE(PrintMembers([&](TfrmTlac& f) {
    f.btnPreview->click();
    result = f.ModalResult();
    failed = f.BuildFailed();
  }));
  EXPECT_EQ(result, mrAbort);
  EXPECT_TRUE(failed);
  EXPECT_TRUE(previews.isEmpty());
  ASSERT_EQ(dialogs->Requests().size(), 1);
  EXPECT_EQ(dialogs->Requests()[0].Type, TMsgDlgType::Error);
  EXPECT_TRUE(Messages()[0].startsWith(QStringLiteral("Zostavu „ClenZoznam.rpf“ sa nepodarilo pripraviť.")))
      << Messages()[0].toStdString();
}

TEST_F(PrintFormTest, AGoodTemplatePreviewsTheMembersAndThePrintSucceeds) {
  AddThreeMembers();
  WriteTemplate(InFolder(QStringLiteral("ClenZoznam.rpf")), ListDescription(QStringLiteral("zoznam")));
  int result = -1;
  EXPECT_TRUE(PrintMembers([&](TfrmTlac& f) {
    f.btnPreview->click();
    result = f.ModalResult();
  }));
  EXPECT_EQ(result, mrOk);
  ASSERT_EQ(previews.size(), 1);
  EXPECT_EQ(previews[0].Caption, QStringLiteral("Ukážka - Tlač zoznamu členov"));
  // In the order of the list's query: Slovak alphabetical order (Č after C, Ď after D, Š after S).
  EXPECT_EQ(previews[0].Pages, (QList<QStringList>{{QStringLiteral("Zoznam"), QStringLiteral("Čierny"),
                                                    QStringLiteral("Ďurica"), QStringLiteral("Šťastný")}}));
}

} // namespace

namespace {

// A print device that counts what it was given, painting on an image.
class TCountingDevice : public TrpPrintDevice {
public:
  explicit TCountingDevice(int& pages) : pages_(pages), image_(100, 100, QImage::Format_RGB32) {}
  bool CanCopy() const override { return false; }
  void BeginDoc(const QString&, int, const TrpEMFPage&) override {
    painter_.begin(&image_);
    ++pages_;
  }
  void NewPage(const TrpEMFPage&) override { ++pages_; }
  QPainter& Canvas() override { return painter_; }
  int DpiX() const override { return 96; }
  int DpiY() const override { return 96; }
  void EndDoc() override { painter_.end(); }
  void Abort() override { painter_.end(); }

private:
  int& pages_;
  QImage image_;
  QPainter painter_;
};

TEST_F(PrintFormTest, PrintShowsThePrintDialogWithOneCollatedCopyAndPrintsOnlyWhenConfirmed) {
  AddThreeMembers();
  WriteTemplate(InFolder(QStringLiteral("ClenZoznam.rpf")), ListDescription(QStringLiteral("zoznam")));
  TrpGlobals& g = rpGlobals();
  int pages = 0;
  g.OpenPrintDevice = [&pages](const QString&) { return std::make_unique<TCountingDevice>(pages); };
  for (const bool confirm : {false, true}) {
    QList<TrpPrintSettings> asked;
    g.PrintDialog = [&asked, confirm](TrpPrintSettings& settings, int) {
      asked.append(settings);
      return confirm;
    };
    int result = -1;
    EXPECT_EQ(PrintMembers([&result](TfrmTlac& f) {
                f.btnPrint->click();
                result = f.ModalResult();
              }),
              confirm);
    EXPECT_EQ(result, mrOk);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Copies, 1);
    EXPECT_TRUE(asked[0].Collate);
    EXPECT_EQ(pages, confirm ? 1 : 0);
  }
  g.PrintDialog = {};
  g.OpenPrintDevice = {};
  EXPECT_TRUE(previews.isEmpty());
  EXPECT_TRUE(Messages().isEmpty());
}

} // namespace
