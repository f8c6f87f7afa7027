#include "reports/export/rpTextExport.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpTextExportForms.h"
#include <QtCore/QIODevice>
#include <algorithm>

namespace {

// Frame marks name the arms of a box character: 8 left, 4 down, 2 right,
// 1 up. On the page they are private-use characters, so no text character
// is ever taken for one.
constexpr char16_t kMarkBase = 0xE000;

bool IsMark(QChar c) { return c.unicode() > kMarkBase && c.unicode() <= kMarkBase + 15; }

// The output byte of a mark: DOS box drawing or ASCII.
char MarkByte(int mark, bool pseudographic) {
  switch (mark) {
  case 5:
    return pseudographic ? char(0xB3) : '|';
  case 10:
    return pseudographic ? char(0xC4) : '-';
  case 6:
    return pseudographic ? char(0xDA) : '+';
  case 12:
    return pseudographic ? char(0xBF) : '+';
  case 3:
    return pseudographic ? char(0xC0) : '+';
  case 9:
    return pseudographic ? char(0xD9) : '+';
  case 11:
    return pseudographic ? char(0xC1) : '+';
  case 7:
    return pseudographic ? char(0xC3) : '+';
  case 14:
    return pseudographic ? char(0xC2) : '+';
  case 13:
    return pseudographic ? char(0xB4) : '+';
  case 15:
    return pseudographic ? char(0xC5) : '+';
  default:
    return ' '; // a lone arm draws nothing
  }
}

} // namespace

TrpTextExport::TrpTextExport(QObject* owner) : TrpTextExport(owner, false) {
  Register(rpLoadStr(55212) + QStringLiteral(" (*.txt)"), QStringLiteral("*.txt"));
}

TrpTextExport::TrpTextExport(QObject* owner, bool) : TrpExportFilter(owner) { ShowDialog = true; }

int TrpTextExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TrpTXTExportForm form(*this);
  return form.Execute();
}

int TrpTextExport::LineIndexOf(double y) const { return std::max(0, rpRoundEven(y / (14.0 / ScaleY))); }

void TrpTextExport::ObjectText(const QRect& drawRect, int x, int y, const QString& text, int frameType,
                               TrpView* object) {
  if (!object) return;
  TrpExportTextLine record;
  record.X = x;
  record.Y = y;
  record.Text = text;
  record.DrawRect = drawRect;
  record.FrameType = frameType;
  record.FillColor = object->FillColor;
  if (auto* memo = dynamic_cast<TrpMemoView*>(object)) {
    record.FontName = memo->Font.Name.left(32);
    record.FontSize = memo->Font.Size;
    record.FontStyle = rpGetFontStyle(memo->Font.Style);
    record.FontColor = memo->Font.Color;
    record.FontCharset = memo->Font.Charset;
    record.Alignment = memo->Alignment;
    if ((record.Alignment & 7) == 1) record.X = drawRect.right();
  }
  InsertRecord(LineIndexOf(y), record);
}

void TrpTextExport::InsertRecord(int lineIndex, const TrpExportTextLine& record) {
  // The table grows with the page, so text on a tall page is never dropped.
  if (CollectedLines.size() <= lineIndex) CollectedLines.resize(lineIndex + 1);
  QList<TrpExportTextLine>& chain = CollectedLines[lineIndex];
  qsizetype at = 0;
  while (at < chain.size() && chain[at].X < record.X)
    ++at;
  chain.insert(at, record);
}

int TrpTextExport::LastUsedLine() const {
  for (qsizetype i = CollectedLines.size() - 1; i >= 0; --i)
    if (!CollectedLines[i].isEmpty()) return int(i);
  return -1;
}

void TrpTextExport::BeginPage() {
  FreeCollectedLines();
  CollectedLines.resize(201);
}

void TrpTextExport::Mark(int line, int position, int count, int mark) {
  if (count <= 0 || position < 0) return;
  QString& text = pageText_[line];
  if (text.size() < position + count) text = text.leftJustified(position + count, QLatin1Char(' '));
  for (int p = position; p < position + count; ++p) {
    const QChar c = text[p];
    // Marks combine; text already there stays.
    if (IsMark(c))
      text[p] = QChar(char16_t(kMarkBase + ((c.unicode() - kMarkBase) | mark)));
    else if (c == QLatin1Char(' '))
      text[p] = QChar(char16_t(kMarkBase + mark));
  }
}

void TrpTextExport::DrawFrame(const TrpExportTextLine& record, int& out, double columnWidth) {
  const int left = rpRoundEven(record.DrawRect.left() / columnWidth);
  const int right = rpRoundEven(record.DrawRect.right() / columnWidth);
  const int w = right - left + 1;
  const int frame = record.FrameType;
  const auto markRun = [&](int line, int cornerLeft, int cornerRight) {
    int p = left, n = w;
    if (frame & 4) {
      Mark(line, left, 1, cornerLeft);
      ++p;
      --n;
    }
    if (frame & 1) {
      Mark(line, p + n - 1, 1, cornerRight);
      --n;
    }
    Mark(line, p, n, 10);
  };
  if (frame & 8) {
    if (pageText_.isEmpty()) {
      pageText_.append(QString());
      out = 1;
    } else {
      const QString& above = pageText_[out - 1];
      if (std::any_of(above.begin(), above.end(), [](QChar c) { return c != QLatin1Char(' ') && !IsMark(c); })) {
        pageText_.append(QString());
        out = int(pageText_.size());
      }
    }
    markRun(out - 1, 6, 12);
  }
  if (frame & 2) {
    while (pageText_.size() < out + 2)
      pageText_.append(QString());
    markRun(out + 1, 3, 9);
  }
  if (frame & 5) {
    if (out >= pageText_.size()) {
      pageText_.append(QString());
      out = int(pageText_.size()) - 1;
    }
    if (frame & 4) Mark(out, left, 1, 5);
    if (frame & 1) Mark(out, left + w - 1, 1, 5);
  }
}

void TrpTextExport::MergeRow(int out, const QString& row) {
  while (pageText_.size() < out)
    pageText_.append(QString());
  if (out >= pageText_.size()) {
    pageText_.append(row);
    return;
  }
  QString& line = pageText_[out];
  if (line.size() < row.size()) line = line.leftJustified(row.size(), QLatin1Char(' '));
  for (qsizetype p = 0; p < row.size(); ++p)
    if (line[p] == QLatin1Char(' ')) line[p] = row[p];
}

void TrpTextExport::LayOutPage() {
  const double columnWidth = 6.5 / ScaleX;
  pageText_.clear();
  const int last = LastUsedLine();
  for (int i = 0; i <= last; ++i) {
    int out = int(pageText_.size());
    QString row;
    for (const TrpExportTextLine& record : CollectedLines[i]) {
      int c = rpRoundEven(record.X / columnWidth);
      if ((record.Alignment & 7) == 1) c -= int(record.Text.size());
      // The gap before a text is less than a column, so its first letter would fall on its own left frame.
      if (ExportFrames && record.FrameType > 0 && (record.FrameType & 4))
        c = std::max(c, rpRoundEven(record.DrawRect.left() / columnWidth) + 1);
      // The row never moves back: text that would overlap follows the text before it.
      if (row.size() < c) row = row.leftJustified(c, QLatin1Char(' '));
      row += record.Text;
      if (ExportFrames && record.FrameType != 0) DrawFrame(record, out, columnWidth);
    }
    if (!(KillEmptyLines && CollectedLines[i].isEmpty())) MergeRow(out, row);
  }
  if (PageBreaks) pageText_.append(QString(QChar(12)));
}

QByteArray TrpTextExport::OutputLine(const QString& line) const {
  if (line == QString(QChar(12))) return QByteArray("\f");
  QByteArray bytes;
  bytes.reserve(line.size());
  qsizetype runStart = 0;
  for (qsizetype p = 0; p <= line.size(); ++p) {
    if (p < line.size() && !IsMark(line[p])) continue;
    bytes += rpEncodeText(line.mid(runStart, p - runStart), ConvertToOEM);
    if (p < line.size()) bytes += MarkByte(line[p].unicode() - kMarkBase, UsePseudographic);
    runStart = p + 1;
  }
  return bytes;
}

void TrpTextExport::EndPage() {
  LayOutPage();
  for (const QString& line : pageText_)
    Stream->write(OutputLine(line) + "\r\n");
}

// --- CSV

TrpCSVExport::TrpCSVExport(QObject* owner) : TrpTextExport(owner, false) {
  PlacesTextByRect = true; // fields follow the objects' left edges
  Register(rpLoadStr(55219) + QStringLiteral(" (*.csv)"), QStringLiteral("*.csv"));
}

int TrpCSVExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TrpCSVExportForm form(*this);
  return form.Execute();
}

QString TrpCSVExport::Field(const QString& text) const {
  if (!text.contains(Delimiter) && !text.contains(QLatin1Char('"'))) return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {

// Where a text's object starts: its left edge whatever its alignment (a
// right-aligned text's X is its right edge).
int ObjectLeft(const TrpExportTextLine& record) {
  return record.DrawRect.isValid() ? record.DrawRect.left() : record.X;
}

} // namespace

void TrpCSVExport::EndPage() {
  // A field for every left edge of an object on the page: a header and the
  // values under it start where their objects start, whatever their alignment.
  QList<int> lefts;
  const int last = LastUsedLine();
  for (int i = 0; i <= last; ++i)
    for (const TrpExportTextLine& record : CollectedLines[i])
      lefts.append(ObjectLeft(record));
  std::sort(lefts.begin(), lefts.end());
  lefts.erase(std::unique(lefts.begin(), lefts.end()), lefts.end());
  const auto byLeft = [](const TrpExportTextLine& a, const TrpExportTextLine& b) {
    return ObjectLeft(a) < ObjectLeft(b);
  };
  // The page is encoded and written at once.
  QString page;
  for (int i = 0; i <= last; ++i) {
    QList<TrpExportTextLine>& chain = CollectedLines[i];
    if (KillEmptyLines && chain.isEmpty()) continue;
    // A chain is kept in X order, the left edges' order but where a right-aligned text comes first.
    if (!std::is_sorted(chain.begin(), chain.end(), byLeft)) std::stable_sort(chain.begin(), chain.end(), byLeft);
    int next = 0; // the first field still free
    for (const TrpExportTextLine& record : chain) {
      // Two texts never share a field: overlapping objects take the next one.
      const int field =
          std::max(int(std::lower_bound(lefts.begin(), lefts.end(), ObjectLeft(record)) - lefts.begin()), next);
      page.resize(page.size() + field - next + (next > 0 ? 1 : 0), Delimiter);
      page += Field(record.Text);
      next = field + 1;
    }
    page += QLatin1String("\r\n");
  }
  Stream->write(rpEncodeText(page, ConvertToOEM));
}
