#pragma once
#include "core/Color.h"
#include "reports/engine/rpReport.h"
#include "tests/support/OfficeConvert.h"
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class TrpExportFilter;

// A text or picture object of a test page, in report pixels.
struct TTestObject {
  int X, Y, W, H;
  QString Text;
  int Frame = 0;
  int Alignment = 0;
  TColor Fill = clNone;
  bool Bold = false;
  QImage Picture; // a picture object when not null
};

// A paper as the template names it: a size code (9 is A4), for a custom
// one (256) its width and height in tenths of a millimetre.
struct TTestPaper {
  int Size = 9;
  int Width = 0, Height = 0;
  bool Landscape = false;
};

// A running engine (text measured at 10 pixels a character), a report
// whose prepared pages the test lays out object by object, a temporary
// folder and the messages the engine would have shown.
class ExportFixture : public ::testing::Test {
protected:
  ExportFixture();
  ~ExportFixture() override;

  void AddPage(const QList<TTestObject>& objects, bool landscape = false);
  void AddPaperPage(const TTestPaper& paper, std::vector<std::unique_ptr<TrpView>> views);
  // A prepared page of the given objects (any kind of view).
  void AddViewsPage(std::vector<std::unique_ptr<TrpView>> views, bool landscape = false);

  // Exports without dialogs or progress window; the file's bytes (empty when none).
  QByteArray Export(TrpExportFilter& filter, const QString& fileName, bool expectWritten = true);
  QString Path(const QString& name) const { return dir.filePath(name); }

public:
  static QByteArray ReadFile(const QString& path);
  // A text or picture object as AddPage makes them.
  static std::unique_ptr<TrpView> TextView(const TTestObject& o);

protected:
  // Compares with tests/reports/export/golden/<name>; VIMEK_UPDATE_GOLDEN=1 rewrites the file.
  static void ExpectGolden(const QByteArray& bytes, const QString& name);

  // Started before the report and ended after it.
  struct TEngine {
    TEngine();
    ~TEngine();
  } engine_;
  QTemporaryDir dir;
  TrpReport report;
  QStringList messages;
};

// Runs a program; its exit code (-1 when it is missing or did not finish), output in `output`.
int RunProgram(const QString& program, const QStringList& arguments, QString* output = nullptr,
               const QString& workingDirectory = {});
// LibreOffice converts `file` into `format` (e.g. "csv:Text - txt - csv (StarCalc):59,34,76") in
// `outDir`; `inFilter` names the import filter and options. The converted file's bytes, empty on failure.
QByteArray ConvertWithOffice(const QString& file, const QString& format, const QString& outDir,
                             const QString& inFilter = {});
