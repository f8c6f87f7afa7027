// Opens a 100,000-line SQL script file in the editor control (with the SQL
// highlighter attached, so every line's range is scanned), paints one page
// and then scrolls 100 pages, painting each. Beside it the same file read into
// a QPlainTextEdit with a QSyntaxHighlighter that colours the same keywords,
// comments and strings. Each runs in a process of its own (this program
// started again), so that each one's peak memory is its own. Best of three;
// run on the offscreen platform.
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "console/editor/text/CodeEditSqlKeywords.h"
#include "core/CodePage1250.h"
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QSyntaxHighlighter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QScrollBar>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr int kLines = 100000;
constexpr int kPages = 100;

QString Script() {
  QString text;
  for (int i = 0; i < kLines; ++i) {
    switch (i % 5) {
    case 0:
      text += QStringLiteral("/* členovia %1 */").arg(i);
      break;
    case 1:
      text += QStringLiteral("select c.JEDIN, c.PRIEZVISKO, count(*) from C_CLENOV c");
      break;
    case 2:
      text += QStringLiteral("\twhere c.ROK = %1 and c.MESTO = 'Žilina' -- rok").arg(2000 + i % 25);
      break;
    case 3:
      text += QStringLiteral("\t\tgroup by c.JEDIN, c.PRIEZVISKO having count(*) > 2.5");
      break;
    default:
      text += QStringLiteral("order by 2 desc");
      break;
    }
    text += QStringLiteral("\r\n");
  }
  return text;
}

struct Times {
  double open = 0, page = 0, scroll = 0;
};

template <typename Work> double Milliseconds(Work work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return timer.nsecsElapsed() / 1e6;
}

Times Best(const Times& a, const Times& b) {
  return {qMin(a.open, b.open), qMin(a.page, b.page), qMin(a.scroll, b.scroll)};
}

Times RunEditor(const QString& fileName) {
  TCodeSQLHighlighter hl;
  hl.SetSQLDialect(sqlSybase);
  hl.KeyAttri->SetForeground(clNavy);
  hl.CommentAttri->SetForeground(clGreen);
  hl.StringAttri->SetForeground(clMaroon);
  TCodeEdit edit;
  edit.resize(800, 600);
  edit.show();
  edit.SetHighlighter(&hl);
  QImage page(edit.viewport()->size(), QImage::Format_RGB32);
  const auto paint = [&] {
    QPainter painter(&page);
    edit.PaintClipArea(painter, page.rect());
  };
  Times t;
  t.open = Milliseconds([&] { edit.Lines().LoadFromFile(fileName); });
  t.page = Milliseconds(paint);
  t.scroll = Milliseconds([&] {
    for (int i = 0; i < kPages; ++i) {
      edit.ScrollToRow(edit.TopRow() + edit.VisibleRows());
      paint();
    }
  });
  if (edit.Lines().Count() < kLines) std::puts("editor: lines missing");
  if (edit.Lines().GetLineRange(kLines - 1) < 0) std::puts("editor: ranges not scanned");
  return t;
}

class SqlHighlighter : public QSyntaxHighlighter {
public:
  explicit SqlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    QStringList words = QString::fromLatin1(SqlDialectKeywordLists(sqlSybase).front().words).split(u',');
    keywords_.setPattern(QStringLiteral("\\b(") + words.join(u'|') + QStringLiteral(")\\b"));
    keywords_.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    keyword_.setForeground(QColor(0, 0, 128));
    keyword_.setFontWeight(QFont::Bold);
    comment_.setForeground(QColor(0, 128, 0));
    comment_.setFontItalic(true);
    string_.setForeground(QColor(128, 0, 0));
  }

protected:
  void highlightBlock(const QString& text) override {
    for (auto it = keywords_.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      setFormat(int(m.capturedStart()), int(m.capturedLength()), keyword_);
    }
    for (auto it = strings_.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      setFormat(int(m.capturedStart()), int(m.capturedLength()), string_);
    }
    const qsizetype lineComment = text.indexOf(QStringLiteral("--"));
    if (lineComment >= 0) setFormat(int(lineComment), int(text.size() - lineComment), comment_);
    // Block comments continue across lines through the block state.
    int start = previousBlockState() == 1 ? 0 : int(text.indexOf(QStringLiteral("/*")));
    setCurrentBlockState(0);
    while (start >= 0) {
      const qsizetype end = text.indexOf(QStringLiteral("*/"), start);
      const int length = end < 0 ? int(text.size()) - start : int(end) - start + 2;
      if (end < 0) setCurrentBlockState(1);
      setFormat(start, length, comment_);
      start = end < 0 ? -1 : int(text.indexOf(QStringLiteral("/*"), start + length));
    }
  }

private:
  QRegularExpression keywords_;
  QRegularExpression strings_{QStringLiteral("'[^']*'?")};
  QTextCharFormat keyword_, comment_, string_;
};

Times RunPlainTextEdit(const QString& fileName) {
  QPlainTextEdit edit;
  edit.setFont(QFont(QStringLiteral("Courier New"), 10));
  edit.setLineWrapMode(QPlainTextEdit::NoWrap);
  edit.resize(800, 600);
  edit.show();
  SqlHighlighter highlighter(edit.document());
  QImage page(edit.viewport()->size(), QImage::Format_RGB32);
  const auto paint = [&] { edit.viewport()->render(&page); };
  Times t;
  t.open = Milliseconds([&] {
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly)) edit.setPlainText(Cp1250::Decode(file.readAll()));
  });
  t.page = Milliseconds(paint);
  t.scroll = Milliseconds([&] {
    QScrollBar* bar = edit.verticalScrollBar();
    for (int i = 0; i < kPages; ++i) {
      bar->setValue(bar->value() + bar->pageStep());
      paint();
    }
  });
  if (edit.blockCount() < kLines) std::puts("plain text edit: lines missing");
  return t;
}

struct Run {
  Times times;
  long peakKiB = 0;
};

// Runs this program again for one side ("editor" or "plain") on the file; its
// best times, read from its output, and its peak memory.
Run RunSide(const char* self, const char* side, const QString& fileName, const QString& outputFile) {
  const QByteArray file = QFile::encodeName(fileName), output = QFile::encodeName(outputFile);
  char* argv[] = {const_cast<char*>(self), const_cast<char*>(side), const_cast<char*>(file.constData()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  Run run;
  pid_t pid = 0;
  if (posix_spawn(&pid, self, &actions, nullptr, argv, environ) == 0) {
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.peakKiB = usage.ru_maxrss;
  }
  posix_spawn_file_actions_destroy(&actions);
  QFile result(outputFile);
  if (result.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> values = result.readAll().trimmed().split(' ');
    if (values.size() == 3) run.times = {values[0].toDouble(), values[1].toDouble(), values[2].toDouble()};
  }
  return run;
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3) {
    // One side, best of three, printed as "open page scroll" for the parent.
    QApplication app(argc, argv);
    const QString fileName = QFile::decodeName(argv[2]);
    const bool editor = std::strcmp(argv[1], "editor") == 0;
    Times best{1e99, 1e99, 1e99};
    for (int run = 0; run < 3; ++run)
      best = Best(best, editor ? RunEditor(fileName) : RunPlainTextEdit(fileName));
    std::printf("%f %f %f\n", best.open, best.page, best.scroll);
    return 0;
  }
  QCoreApplication app(argc, argv);
  QTemporaryDir folder;
  const QString script = folder.filePath(QStringLiteral("script.sql"));
  const QByteArray bytes = Cp1250::Encode(Script());
  QFile file(script);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return 1;
  file.close();
  const Run editor = RunSide(argv[0], "editor", script, folder.filePath(QStringLiteral("editor.txt")));
  const Run plain = RunSide(argv[0], "plain", script, folder.filePath(QStringLiteral("plain.txt")));
  std::printf("script file: %d lines, %lld bytes; best of 3, each side in its own process\n", kLines,
              static_cast<long long>(bytes.size()));
  std::printf("%-28s %12s %12s %12s %12s\n", "", "open file", "one page", "100 pages", "peak KiB");
  std::printf("%-28s %9.2f ms %9.2f ms %9.2f ms %12ld\n", "code editor", editor.times.open, editor.times.page,
              editor.times.scroll, editor.peakKiB);
  std::printf("%-28s %9.2f ms %9.2f ms %9.2f ms %12ld\n", "QPlainTextEdit + highlighter", plain.times.open,
              plain.times.page, plain.times.scroll, plain.peakKiB);
  std::printf("ratio (editor / baseline, goal: at most 1): open %.2f, page %.2f, scroll %.2f, peak memory %.2f\n",
              editor.times.open / plain.times.open, editor.times.page / plain.times.page,
              editor.times.scroll / plain.times.scroll, double(editor.peakKiB) / double(plain.peakKiB));
  return 0;
}
