// Opens a 100,000-line SQL script in the editor control (loading the bytes
// with the SQL highlighter attached, so every line's range is scanned), paints
// one page and then scrolls 100 pages, painting each. Beside it the same with
// a QPlainTextEdit and a QSyntaxHighlighter that colours the same keywords,
// comments and strings. Best of three; run on the offscreen platform.
#include "console/editor/CodeEdit.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "console/editor/text/CodeEditSqlKeywords.h"
#include "core/CodePage1250.h"
#include <QtCore/QBuffer>
#include <QtCore/QElapsedTimer>
#include <QtCore/QRegularExpression>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QSyntaxHighlighter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QScrollBar>
#include <cstdio>

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

Times RunEditor(const QByteArray& bytes) {
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
  t.open = Milliseconds([&] {
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    edit.Lines().LoadFromStream(stream);
  });
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

Times RunPlainTextEdit(const QByteArray& bytes) {
  QPlainTextEdit edit;
  edit.setFont(QFont(QStringLiteral("Courier New"), 10));
  edit.setLineWrapMode(QPlainTextEdit::NoWrap);
  edit.resize(800, 600);
  edit.show();
  SqlHighlighter highlighter(edit.document());
  QImage page(edit.viewport()->size(), QImage::Format_RGB32);
  const auto paint = [&] { edit.viewport()->render(&page); };
  Times t;
  t.open = Milliseconds([&] { edit.setPlainText(Cp1250::Decode(bytes)); });
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

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QByteArray bytes = Cp1250::Encode(Script());
  Times editor{1e99, 1e99, 1e99}, plain{1e99, 1e99, 1e99};
  for (int run = 0; run < 3; ++run) {
    editor = Best(editor, RunEditor(bytes));
    plain = Best(plain, RunPlainTextEdit(bytes));
  }
  std::printf("script: %d lines, %lld bytes; best of 3\n", kLines, static_cast<long long>(bytes.size()));
  std::printf("%-28s %12s %12s %12s\n", "", "open", "one page", "100 pages");
  std::printf("%-28s %9.2f ms %9.2f ms %9.2f ms\n", "code editor", editor.open, editor.page, editor.scroll);
  std::printf("%-28s %9.2f ms %9.2f ms %9.2f ms\n", "QPlainTextEdit + highlighter", plain.open, plain.page,
              plain.scroll);
  std::printf("ratio (editor / baseline, goal: at most 1): open %.2f, page %.2f, scroll %.2f\n",
              editor.open / plain.open, editor.page / plain.page, editor.scroll / plain.scroll);
  return 0;
}
