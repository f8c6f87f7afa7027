#include "reports/templates/TemplateDescription.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TemplateDescription : public ::testing::Test {
protected:
  TemplateDescription() { rpEngineStart(); }
  ~TemplateDescription() override { rpEngineEnd(); }
};

struct TFaultCase {
  const char* name;
  const char* json;
  const char* message; // a part of the error's text
};

class DescriptionFaults : public TemplateDescription, public ::testing::WithParamInterface<TFaultCase> {};

TEST_P(DescriptionFaults, AreRefusedWithTheirCause) {
  TrpReport report;
  try {
    rpBuildFromDescription(QByteArray(GetParam().json), report);
    ADD_FAILURE() << "accepted";
  } catch (const ETemplateDescriptionError& error) {
    EXPECT_TRUE(error.Message().contains(QString::fromUtf8(GetParam().message))) << error.Message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Maker, DescriptionFaults,
    ::testing::Values(
        TFaultCase{"notJson", "{\"bands\": [", "JSON at"}, TFaultCase{"noBands", "{\"bands\": []}", "without bands"},
        TFaultCase{"unknownBand", R"({"bands": [{"band": "Footer", "height": 20}]})", "unknown band \"Footer\""},
        TFaultCase{"unknownFlag", R"({"bands": [{"band": "MasterData", "height": 20, "flags": ["Wide"]}]})",
                   "unknown band flag \"Wide\""},
        TFaultCase{"heightMissing", R"({"bands": [{"band": "MasterData"}]})", "\"height\" must be a number"},
        TFaultCase{
            "textBelowItsBand",
            R"({"bands": [{"band": "MasterData", "height": 20, "texts": [{"x": 0, "y": 10, "w": 50, "h": 20, "text": "a"}]}]})",
            "reaches below its band"},
        TFaultCase{
            "textWithoutText",
            R"({"bands": [{"band": "MasterData", "height": 20, "texts": [{"x": 0, "y": 0, "w": 50, "h": 20}]}]})",
            "needs \"text\""},
        TFaultCase{
            "unknownAlignment",
            R"({"bands": [{"band": "MasterData", "height": 20, "texts": [{"x": 0, "y": 0, "w": 50, "h": 20, "text": "a", "align": "middle"}]}]})",
            "unknown alignment"},
        TFaultCase{
            "unknownFrameSide",
            R"({"bands": [{"band": "MasterData", "height": 20, "texts": [{"x": 0, "y": 0, "w": 50, "h": 20, "text": "a", "frame": "x"}]}]})",
            "unknown frame side"}),
    [](const auto& info) { return std::string(info.param.name); });

// What a description turns into survives the engine's writer and reader:
// stacked bands with their objects, fonts, frames, columns, landscape paper
// and a subreport's page.
TEST_F(TemplateDescription, SurvivesTheTemplateFile) {
  const QByteArray json = R"({"comment": "Skúška", "orientation": "landscape", "font": {"name": "Arial", "size": 9},
    "bands": [
      {"band": "PageHeader", "height": 30, "texts": [
        {"x": 0, "y": 0, "w": 300, "h": 24, "text": "Nadpis", "size": 14, "bold": true, "align": "center", "frame": "b"}]},
      {"band": "MasterData", "height": 20, "source": "rpDB1", "columns": 3, "columnWidth": 240, "flags": ["NewPage"],
       "script": ["begin", "end"], "texts": [
        {"x": 10, "y": 2, "w": 200, "h": 18, "text": ["[MASTER.\"MENO\"]", "druhý"], "hideZeros": true},
        {"x": 220, "y": 2, "w": 100, "h": 18, "subreport": 1}]}],
    "subpages": [[{"band": "MasterData", "height": 18, "source": "rpDB3"}]]})";
  TrpReport made;
  rpBuildFromDescription(json, made);
  const QString file = QDir::temp().filePath(QStringLiteral("vimek-description-test.rpf"));
  made.SaveToFile(file);
  TrpReport report;
  ASSERT_TRUE(report.LoadFromFile(file));
  QFile::remove(file);

  EXPECT_EQ(report.Info.Comment, QStringLiteral("Skúška"));
  EXPECT_TRUE(report.DoublePassReport);
  ASSERT_EQ(report.Pages.Count(), 2);
  const TrpPage& page = *report.Pages.GetPage(0);
  EXPECT_EQ(page.Orientation, 1);
  ASSERT_EQ(page.Count(), 5);
  auto* header = dynamic_cast<TrpBandView*>(page.GetObject(0));
  auto* title = dynamic_cast<TrpMemoView*>(page.GetObject(1));
  auto* master = dynamic_cast<TrpBandView*>(page.GetObject(2));
  auto* name = dynamic_cast<TrpMemoView*>(page.GetObject(3));
  ASSERT_TRUE(header && title && master && name);
  EXPECT_EQ(header->GetBandType(), 2);
  EXPECT_EQ(master->GetBandType(), 5);
  // The second band starts below the first with a gap; objects keep their place in their band.
  EXPECT_GT(master->Top, header->Top + header->Height);
  EXPECT_EQ(name->Top, master->Top + 2);
  EXPECT_EQ(name->Left, title->Left + 10);
  EXPECT_EQ(master->DisplayFormatText, QStringLiteral("rpDB1"));
  EXPECT_EQ(master->Columns, 3);
  EXPECT_EQ(master->ColumnWidth, 240);
  EXPECT_TRUE(master->Flags & 2); // new page
  EXPECT_EQ(master->Script, (QStringList{QStringLiteral("begin"), QStringLiteral("end")}));
  EXPECT_EQ(title->Font.Size, 14);
  EXPECT_TRUE(title->Font.Style.Bold);
  EXPECT_EQ(title->Alignment, 2);
  EXPECT_EQ(title->FrameTyp, 2);
  EXPECT_EQ(name->Font.Size, 9);
  EXPECT_EQ(name->Memo, (QStringList{QStringLiteral("[MASTER.\"MENO\"]"), QStringLiteral("druhý")}));
  EXPECT_TRUE(name->Flags & mfHideZeros);
  EXPECT_EQ(page.GetObject(4)->ObjectKind, 3); // the subreport
  EXPECT_EQ(report.Pages.GetPage(1)->Count(), 1);
}

// Every shipped template written in its XML form is a well-formed document.
TEST_F(TemplateDescription, ShippedTemplatesWrittenAsXmlPassXmllint) {
  if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) GTEST_SKIP() << "xmllint is not installed";
  const QDir reports(QDir(QString::fromLocal8Bit(qgetenv("VIMEK_BINARY_DIR"))).filePath(QStringLiteral("bin/Reports")));
  const QStringList templates = reports.entryList({QStringLiteral("*.rpf")}, QDir::Files);
  ASSERT_FALSE(templates.isEmpty()) << reports.path().toStdString();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const QString& name : templates) {
    TrpReport report;
    ASSERT_TRUE(report.LoadFromFile(reports.filePath(name))) << name.toStdString();
    report.SaveAsXmlFile(dir.filePath(name));
    QProcess lint;
    lint.start(QStringLiteral("xmllint"),
               {QStringLiteral("--noout"), dir.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".rp3"))});
    ASSERT_TRUE(lint.waitForFinished());
    EXPECT_EQ(lint.exitCode(), 0) << name.toStdString() << ": " << lint.readAllStandardError().toStdString();
  }
}

} // namespace
