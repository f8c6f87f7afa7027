// The 20,000-member list's prepared pages exported, each export beside an
// independent writer of the same rows (title, one line per member with its
// number, surname, town and fee, the total; the page footers, one line in
// about fifty, only in ours):
// - CSV against Python's csv module (python3 writing the same rows, ";" as
//   the delimiter, timed inside Python around the writing);
// - the HTML table against QTextDocumentWriter writing HTML of a QTextDocument
//   holding the same table (the document built in the timed part);
// - the XML spreadsheet against QTextDocumentWriter writing the same table as
//   an ODF text document (the office file Qt writes itself).
// The PDF export has its own benchmark against QPdfWriter (bench_pdf_export).
// Every run is a process of its own: seconds, output size, the process's peak
// memory and the peak's growth during the timed work.
#include "MemberListReport.h"
#include "reports/engine/rpGlobals.h"
#include "reports/export/rpHTMLTableExport.h"
#include "reports/export/rpTextExport.h"
#include "reports/export/rpXMLExcelExport.h"
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextDocumentWriter>
#include <QtGui/QTextTable>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct TResult {
  double Seconds = -1;
  long PeakKiB = 0;
  long WorkKiB = 0; // growth of the peak during the timed work
  qint64 Bytes = 0;
};

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The same rows as FillMembers and the report's total, written with Python's csv module.
const char* const kPythonCsv = R"(import csv, resource, sys, time
rows, path = int(sys.argv[1]), sys.argv[2]
start = time.perf_counter()
with open(path, 'w', newline='', encoding='utf-8') as f:
    w = csv.writer(f, delimiter=';')
    w.writerow(['Zoznam členov'])
    total = 0
    for i in range(1, rows + 1):
        w.writerow([i, 'Rybár %d' % i, 'Obec %d' % (i % 37), i % 50])
        total += i % 50
    w.writerow(['Spolu %d' % total])
print('%.4f %d' % (time.perf_counter() - start, resource.getrusage(resource.RUSAGE_SELF).ru_maxrss))
)";

// The same rows as a QTextDocument table, written by QTextDocumentWriter in `format`.
bool WriteWithQt(TUxMemoryData& data, const QString& file, const QByteArray& format) {
  QTextDocument document;
  QTextCursor cursor(&document);
  cursor.insertText(QStringLiteral("Zoznam členov"));
  QTextTable* table = cursor.insertTable(data.RecordCount(), 4);
  const TField& name = data.FieldByName(QStringLiteral("PRIEZVISKO"));
  const TField& town = data.FieldByName(QStringLiteral("OBEC"));
  const TField& fee = data.FieldByName(QStringLiteral("POPLATOK"));
  qint64 total = 0;
  int row = 0;
  for (data.First(); !data.Eof(); data.Next(), ++row) {
    const int rowFee = fee.AsInteger();
    total += rowFee;
    const QString texts[4] = {QString::number(row + 1), name.AsString(), town.AsString(), QString::number(rowFee)};
    for (int c = 0; c < 4; ++c)
      table->cellAt(row, c).firstCursorPosition().insertText(texts[c]);
  }
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QStringLiteral("Spolu %1").arg(total));
  QTextDocumentWriter writer(file, format);
  return writer.write(&document);
}

// One run in this process: "csv", "xml", "html", "qt-html" or "qt-odf" over `rows` members into `file`.
int RunChild(const QString& kind, int rows, const QString& file) {
  rpEngineStart();
  rpGlobals().ErrorBox = [](const QString& text, const QString&) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
  QObject owner;
  TUxMemoryData data;
  FillMembers(data, rows);
  bool written = false;
  QElapsedTimer timer;
  long before = 0;
  if (kind.startsWith(QLatin1String("qt-"))) {
    before = PeakKiB();
    timer.start();
    written = WriteWithQt(data, file, kind == QLatin1String("qt-html") ? "HTML" : "ODF");
  } else {
    TrpDBDataSet members(&owner);
    members.setObjectName(QStringLiteral("Clenovia"));
    members.SetDataSet(&data);
    TrpReport report(&owner);
    AddMemberListPage(report);
    report.ShowProgress = false;
    if (!report.BuildPreparedPages()) return 1;
    TrpCSVExport csv;
    TrpXMLExcelExport xml;
    TrpHTMLTableExport html;
    TrpExportFilter* filter = kind == QLatin1String("csv")   ? static_cast<TrpExportFilter*>(&csv)
                              : kind == QLatin1String("xml") ? static_cast<TrpExportFilter*>(&xml)
                                                             : static_cast<TrpExportFilter*>(&html);
    filter->ShowDialog = false;
    before = PeakKiB();
    timer.start();
    written = report.ExportToFile(filter, file);
  }
  const double seconds = timer.nsecsElapsed() / 1e9;
  std::printf("%.4f %ld %ld\n", written ? seconds : -1.0, PeakKiB(), PeakKiB() - before);
  rpEngineEnd();
  return written ? 0 : 1;
}

TResult Run(const QString& program, const QStringList& arguments, const QString& file) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(program, arguments);
  TResult r;
  if (!child.waitForFinished(-1) || child.exitCode() != 0) return r;
  const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
  if (f.size() < 2) return r;
  r.Seconds = f[0].toDouble();
  r.PeakKiB = f[1].toLong();
  r.WorkKiB = f.value(2, QStringLiteral("-1")).toLong();
  r.Bytes = QFileInfo(file).size();
  return r;
}

TResult RunOurs(const QTemporaryDir& dir, const QString& kind, const QString& extension) {
  const QString file = dir.filePath(kind + QLatin1Char('.') + extension);
  return Run(QCoreApplication::applicationFilePath(), {kind, QString::number(kMemberRows), file}, file);
}

void Print(const char* name, const TResult& r, const TResult* baseline) {
  std::printf("%-34s %9.3f %9lld %9.1f %9s", name, r.Seconds, static_cast<long long>(r.Bytes / 1024),
              r.PeakKiB / 1024.0, r.WorkKiB < 0 ? "-" : qPrintable(QString::number(r.WorkKiB / 1024.0, 'f', 1)));
  if (baseline)
    std::printf(" %8.2f %8.2f %8.2f", r.Seconds / baseline->Seconds, double(r.Bytes) / double(baseline->Bytes),
                double(r.PeakKiB) / double(baseline->PeakKiB));
  std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 4)
    return RunChild(QString::fromLatin1(argv[1]), QString::fromLatin1(argv[2]).toInt(),
                    QString::fromLocal8Bit(argv[3]));

  QTemporaryDir dir;
  std::printf("Exports of the %d-member list (every run a process of its own; work MiB: the peak's growth while\n"
              "timed, not known for Python)\n",
              kMemberRows);
  std::printf("%-34s %9s %9s %9s %9s %8s %8s %8s\n", "run", "seconds", "KiB", "peak MiB", "work MiB", "x time",
              "x size", "x peak");
  const QString pythonCsv = dir.filePath(QStringLiteral("python.csv"));
  const TResult python =
      Run(QStringLiteral("python3"),
          {QStringLiteral("-c"), QString::fromUtf8(kPythonCsv), QString::number(kMemberRows), pythonCsv}, pythonCsv);
  const TResult csv = RunOurs(dir, QStringLiteral("csv"), QStringLiteral("csv"));
  const TResult qtHtml = RunOurs(dir, QStringLiteral("qt-html"), QStringLiteral("html"));
  const TResult html = RunOurs(dir, QStringLiteral("html"), QStringLiteral("html"));
  const TResult qtOdf = RunOurs(dir, QStringLiteral("qt-odf"), QStringLiteral("odt"));
  const TResult xml = RunOurs(dir, QStringLiteral("xml"), QStringLiteral("xls"));
  Print("baseline: Python csv module", python, nullptr);
  Print("CSV export", csv, &python);
  Print("baseline: QTextDocumentWriter HTML", qtHtml, nullptr);
  Print("HTML table export", html, &qtHtml);
  Print("baseline: QTextDocumentWriter ODF", qtOdf, nullptr);
  Print("XML spreadsheet export", xml, &qtOdf);
  const bool failed = python.Seconds < 0 || csv.Seconds < 0 || qtHtml.Seconds < 0 || html.Seconds < 0 ||
                      qtOdf.Seconds < 0 || xml.Seconds < 0;
  return failed ? 1 : 0;
}
