#include "ExportFixture.h"
#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPictureView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/objects/RegisterReportObjects.h"
#include "tests/support/SourcePath.h"
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>

ExportFixture::TEngine::TEngine() {
  rpEngineStart();
  RegisterReportObjects();
}
ExportFixture::TEngine::~TEngine() { rpEngineEnd(); }

ExportFixture::ExportFixture() {
  TrpGlobals& g = rpGlobals();
  g.ErrorBox = [this](const QString& text, const QString&) { messages.append(text); };
  g.TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 10; };
  report.ShowProgress = false;
  dir.setAutoRemove(!qEnvironmentVariableIsSet("VIMEK_KEEP_EXPORTS"));
  report.Info.Name = QStringLiteral("Zoznam členov");
  rpOpenDocument = [](const QString&) { return true; };
}

ExportFixture::~ExportFixture() = default;

std::unique_ptr<TrpView> ExportFixture::TextView(const TTestObject& o) {
  std::unique_ptr<TrpView> view;
  if (!o.Picture.isNull()) {
    auto picture = std::make_unique<TrpPictureView>();
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    o.Picture.save(&buffer, "BMP");
    picture->Picture.Load(1, bmp);
    view = std::move(picture);
  } else {
    auto memo = std::make_unique<TrpMemoView>();
    memo->Memo = rpSplitLines(o.Text);
    memo->Alignment = o.Alignment;
    memo->Font.Style.Bold = o.Bold;
    memo->Flags = 0;
    view = std::move(memo);
  }
  view->SetBounds(o.X, o.Y, o.W, o.H);
  view->FrameTyp = quint16(o.Frame);
  view->FillColor = o.Fill;
  return view;
}

void ExportFixture::AddPage(const QList<TTestObject>& objects, bool landscape) {
  std::vector<std::unique_ptr<TrpView>> views;
  for (const TTestObject& o : objects)
    views.push_back(TextView(o));
  AddViewsPage(std::move(views), landscape);
}

void ExportFixture::AddViewsPage(std::vector<std::unique_ptr<TrpView>> views, bool landscape) {
  AddPaperPage({9, 0, 0, landscape}, std::move(views));
}

void ExportFixture::AddPaperPage(const TTestPaper& paper, std::vector<std::unique_ptr<TrpView>> views) {
  const int orientation = paper.Landscape ? 1 : 0;
  TrpPage templatePage(nullptr, paper.Size, paper.Width, paper.Height, 65535, orientation);
  templatePage.LeftMargin = templatePage.TopMargin = templatePage.RightMargin = templatePage.BottomMargin = 36;
  const int index = report.EMFPages.Count();
  report.EMFPages.Add(templatePage);
  auto page = std::make_unique<TrpPage>(nullptr, paper.Size, paper.Width, paper.Height, 65535, orientation);
  for (auto& view : views)
    page->Add(std::move(view));
  report.EMFPages.GetPage(index).PageObject = std::move(page);
  report.EMFPages.StorePageObjects(index);
  report.EMFPages.GetPage(index).PageObject.reset();
}

QByteArray ExportFixture::Export(TrpExportFilter& filter, const QString& fileName, bool expectWritten) {
  filter.ShowDialog = false;
  const bool written = report.ExportToFile(&filter, Path(fileName));
  EXPECT_EQ(written, expectWritten) << messages.join(QLatin1Char('\n')).toStdString();
  return ReadFile(Path(fileName));
}

QByteArray ExportFixture::ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExportFixture::ExpectGolden(const QByteArray& bytes, const QString& name) {
  const QString path = SourcePath(QStringLiteral("tests/reports/export/golden/") + name);
  if (qEnvironmentVariableIntValue("VIMEK_UPDATE_GOLDEN") == 1) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  EXPECT_EQ(bytes, ReadFile(path)) << name.toStdString() << ":\n" << bytes.toStdString();
}

int RunProgram(const QString& program, const QStringList& arguments, QString* output, const QString& workingDirectory) {
  const QString path = QStandardPaths::findExecutable(program);
  if (path.isEmpty()) return -1;
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
  process.start(path, arguments);
  if (!process.waitForFinished(180000)) return -1;
  if (output) *output = QString::fromUtf8(process.readAll());
  return process.exitCode();
}

QByteArray ConvertWithOffice(const QString& file, const QString& format, const QString& outDir,
                             const QString& inFilter) {
  QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + outDir + QStringLiteral("/profile"),
                        QStringLiteral("--headless")};
  if (!inFilter.isEmpty()) arguments << QStringLiteral("--infilter=") + inFilter;
  arguments << QStringLiteral("--convert-to") << format << QStringLiteral("--outdir") << outDir << file;
  QString output;
  RunProgram(QStringLiteral("soffice"), arguments, &output);
  const QString extension = format.section(QLatin1Char(':'), 0, 0);
  const QString converted = QDir(outDir).filePath(QFileInfo(file).completeBaseName() + QLatin1Char('.') + extension);
  const QByteArray bytes = ExportFixture::ReadFile(converted);
  if (bytes.isEmpty())
    ADD_FAILURE() << "LibreOffice did not convert " << file.toStdString() << ": " << output.toStdString();
  return bytes;
}
