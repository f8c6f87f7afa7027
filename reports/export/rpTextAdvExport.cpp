#include "reports/export/rpTextAdvExport.h"
#include "core/Exception.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpPrnInit.h"
#include "reports/export/rpSpooler.h"
#include "reports/export/rpTextAdvExportForm.h"
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QIODevice>
#include <QtWidgets/QSpinBox>
#include <algorithm>

const QString TrpTextAdvExport::kRegistryKey = QStringLiteral("\\Software\\VezeZozuruz\\TxtAdvExport\\1000");

namespace {

// Frame characters by position.
enum { kVertical, kHorizontal, kTopLeft, kTopRight, kBottomLeft, kBottomRight, kUp, kRight, kDown, kLeft, kCross };

constexpr int kBlockSize = 1024;

TrpPrinterCommand Command(const char* name, QByteArray on, QByteArray off = {}) {
  return {QString::fromUtf8(name), std::move(on), std::move(off), false};
}

QByteArray Bytes(std::initializer_list<int> bytes) {
  QByteArray out;
  for (const int b : bytes)
    out += char(b);
  return out;
}

bool IsBreak(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('-'); }

} // namespace

TrpTextAdvExport::TrpTextAdvExport(QObject* owner) : TrpTextAdvExport(owner, false) {
  Register(rpLoadStr(55740), QStringLiteral("*.prn"));
}

TrpTextAdvExport::TrpTextAdvExport(QObject* owner, bool preview) : TrpExportFilter(owner) {
  ShowDialog = !preview;
  PreviewMode = preview;
  FillPrinterTypes();
}

std::unique_ptr<TrpTextAdvExport> TrpTextAdvExport::CreatePreviewExporter() {
  return std::unique_ptr<TrpTextAdvExport>(new TrpTextAdvExport(nullptr, true));
}

void TrpTextAdvExport::FillPrinterTypes() {
  const auto e = [](std::initializer_list<int> b) { return Bytes(b); };
  PrinterTypes = {
      {QStringLiteral("NONE"), {}},
      {QStringLiteral("EPSON ESC/P2 Matrix/Stylus)"),
       {Command("Reset", e({0x1B, 0x40})), Command("Normal", e({0x1B, 0x78, 0x00})),
        Command("Pica", e({0x1B, 0x78, 0x01, 0x1B, 0x6B, 0x00})),
        Command("Elite", e({0x1B, 0x78, 0x01, 0x1B, 0x6B, 0x01})), Command("Condensed", e({0x0F}), e({0x12})),
        Command("Bold", e({0x1B, 0x47}), e({0x1B, 0x48})), Command("Italic", e({0x1B, 0x34}), e({0x1B, 0x35})),
        Command("Wide", e({0x1B, 0x57, 0x01}), e({0x1B, 0x57, 0x00})),
        Command("12cpi", e({0x1B, 0x4D}), e({0x1B, 0x50})), Command("Linefeed 1/8\"", e({0x1B, 0x30})),
        Command("Linefeed 7/72\"", e({0x1B, 0x31})), Command("Linefeed 1/6\"", e({0x1B, 0x32}))}},
      {QStringLiteral("HP PCL (LaserJet/DeskJet)"),
       {Command("Reset", e({0x1B, 0x45})),
        Command("Landscape orientation", e({0x1B, 0x26, 0x6C, 0x31, 0x4F}), e({0x1B, 0x26, 0x6C, 0x30, 0x4F})),
        Command("Italic", e({0x1B, 0x28, 0x73, 0x31, 0x53}), e({0x1B, 0x28, 0x73, 0x30, 0x53})),
        Command("Bold", e({0x1B, 0x28, 0x73, 0x33, 0x42}), e({0x1B, 0x28, 0x73, 0x30, 0x42})),
        Command("Draft EconoMode", e({0x1B, 0x28, 0x73, 0x31, 0x51}), e({0x1B, 0x28, 0x73, 0x32, 0x51})),
        Command("Condenced", e({0x1B, 0x28, 0x73, 0x31, 0x32, 0x48, 0x1B, 0x26, 0x6C, 0x38, 0x44}),
                e({0x1B, 0x28, 0x73, 0x31, 0x30, 0x48}))}},
      {QStringLiteral("CANON/IBM (Matrix)"),
       {Command("Reset", e({0x1B, 0x40})), Command("Normal", e({0x1B, 0x78, 0x00})),
        Command("Pica", e({0x1B, 0x30, 0x49})), Command("Elite", e({0x1B, 0x38, 0x49})),
        Command("Condensed", e({0x0F}), e({0x12})), Command("Bold", e({0x1B, 0x47}), e({0x1B, 0x48})),
        Command("Italic", e({0x1B, 0x34}), e({0x1B, 0x35})), Command("12cpi", e({0x1B, 0x4D}), e({0x1B, 0x50}))}},
  };
}

int TrpTextAdvExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TrpTEXTExprSet form(*this);
  return form.Execute();
}

// --- printer init

void TrpTextAdvExport::BuildInitString() {
  if (PrinterType < 0 || PrinterType >= PrinterTypes.size()) return;
  InitString.clear();
  for (const TrpPrinterCommand& command : PrinterTypes[PrinterType].Commands)
    InitString += command.Enabled ? command.On : command.Off;
}

void TrpTextAdvExport::SaveInitTemplate(const QString& fileName) const {
  QByteArray text = QByteArray::number(PrinterType) + "\r\n";
  if (PrinterType >= 0 && PrinterType < PrinterTypes.size())
    for (const TrpPrinterCommand& command : PrinterTypes[PrinterType].Commands)
      text += (command.Enabled ? "True" : "False") + QByteArray("\r\n");
  rpWriteWholeFile(fileName, text);
}

void TrpTextAdvExport::LoadInitTemplate(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť.").arg(fileName));
  const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
  bool ok = false;
  const int type = lines.value(0).trimmed().toInt(&ok);
  if (!ok || type < 0 || type >= PrinterTypes.size())
    throw Exception(
        QStringLiteral("Súbor %1 neurčuje žiadny známy typ tlačiarne.").arg(QFileInfo(fileName).fileName()));
  PrinterType = type;
  QList<TrpPrinterCommand>& commands = PrinterTypes[type].Commands;
  for (qsizetype i = 0; i < commands.size() && i + 1 < lines.size(); ++i)
    commands[i].Enabled = lines[i + 1].contains(QLatin1String("True"));
  BuildInitString();
}

QByteArray TrpTextAdvExport::FrameSet() const {
  if (!CustomFrameSet.isEmpty()) return CustomFrameSet.leftJustified(11, ' ');
  if (Pseudogrpahic) return Bytes({0xB3, 0xC4, 0xDA, 0xBF, 0xC0, 0xD9, 0xC1, 0xC3, 0xC2, 0xB4, 0xC5});
  return QByteArrayLiteral("|-+++++++++");
}

// --- the run

bool TrpTextAdvExport::Terminated() const { return rpActiveReport().Terminated; }

void TrpTextAdvExport::Write(const QByteArray& bytes) {
  Stream->write(bytes);
  if (PreviewMode) PreviewText += bytes;
}

void TrpTextAdvExport::BeginDocument() {
  rpActiveReport().Terminated = false;
  OnAfterExport = [this](const QString& fileName) { AfterExport(fileName); };
  pageCounter_ = 0;
  cells_.clear();
  PreviewText.clear();
  if (!PreviewMode) Write(InitString);
  PageRange.Parse(PageRangeText);
}

void TrpTextAdvExport::BeginPage() {
  ++pageCounter_;
  maxRight_ = maxBottom_ = 0;
  LongestLine = LineCount = 0;
}

void TrpTextAdvExport::ObjectData(int, int, TrpView* object) {
  if (!object || Terminated() || !PageRange.Contains(pageCounter_)) return;
  int width = 0, height = 0;
  const auto* memo = dynamic_cast<const TrpMemoView*>(object);
  if (memo && (!memo->Memo.isEmpty() || (memo->FrameTyp & 15) != 0)) {
    width = std::max(memo->Width, 1);
    height = std::max(memo->Height, 1);
    QString text = memo->Memo.join(QStringLiteral("\r\n"));
    text.remove(QChar(1));
    if (text.endsWith(QStringLiteral("\r\n"))) text.chop(2);
    cells_.push_back({memo->Left, memo->Top, width, height, text, memo->FrameTyp & 15, int(memo->Alignment)});
  }
  maxRight_ = std::max(maxRight_, object->Left + width);
  maxBottom_ = std::max(maxBottom_, object->Top + height);
}

void TrpTextAdvExport::EndPage() {
  if (Terminated()) return;
  if (PageRange.Contains(pageCounter_)) {
    WritePage();
    if (PageBreaks) Write("\f");
    cells_.clear();
    // The preview shows one page.
    if (PreviewMode) rpActiveReport().Terminated = true;
  }
}

void TrpTextAdvExport::EndDocument() {
  if (!PageBreaks && !PreviewMode) Write("\f");
}

void TrpTextAdvExport::WritePage() {
  // Reading order; of several objects at one place the longest text stays.
  std::stable_sort(cells_.begin(), cells_.end(), [](const TCell& a, const TCell& b) {
    if (a.Top != b.Top) return a.Top < b.Top;
    if (a.Left != b.Left) return a.Left < b.Left;
    return a.Text.size() > b.Text.size();
  });
  TrpCharGrid grid(rpRoundEven(maxRight_ * ScaleWidth / 7) + 10, rpRoundEven(maxBottom_ * ScaleHeight / 10) + 2);
  const TCell* previous = nullptr;
  for (const TCell& cell : cells_) {
    if (!previous || previous->Left != cell.Left || previous->Top != cell.Top) DrawCell(grid, cell);
    previous = &cell;
  }
  OutputGrid(grid);
}

// --- the grid

TrpCharGrid::TrpCharGrid(int columns, int rows)
    : Columns(std::max(columns, 0)), Rows(std::max(rows, 0)), Chars(qsizetype(Columns) * Rows, ' '),
      Frame(size_t(Columns) * size_t(Rows), false) {}

char TrpCharGrid::At(int column, int row) const {
  if (column < 0 || row < 0 || column >= Columns || row >= Rows) return ' ';
  return Chars[column + qsizetype(row) * Columns];
}

bool TrpCharGrid::IsFrame(int column, int row) const {
  if (column < 0 || row < 0 || column >= Columns || row >= Rows) return false;
  return Frame[size_t(column) + size_t(row) * size_t(Columns)];
}

void TrpCharGrid::Put(int column, int row, char c, bool frame) {
  if (column < 0 || row < 0 || column >= Columns || row >= Rows) return;
  Chars[column + qsizetype(row) * Columns] = c;
  Frame[size_t(column) + size_t(row) * size_t(Columns)] = frame;
}

void TrpTextAdvExport::DrawFrame(TrpCharGrid& grid, int x, int y, int w, int h, int frame) const {
  const QByteArray f = FrameSet();
  const auto isSide = [&](int column) {
    const char c = grid.At(column, y);
    return grid.IsFrame(column, y) && (c == f[kVertical] || c == f[kTopLeft] || c == f[kTopRight]);
  };
  // A box beside another one shares its side.
  if (isSide(x + 1)) {
    ++x;
    --w;
  } else if (isSide(x - 1)) {
    --x;
    ++w;
  }
  const auto column = [&](int at, char top, char bottom) {
    for (int row = y; row <= y + h; ++row)
      grid.Put(at, row, row == y ? top : row == y + h ? bottom : f[kVertical], true);
  };
  const auto line = [&](int at, char left, char right) {
    for (int c = x; c <= x + w; ++c)
      grid.Put(c, at, c == x ? left : c == x + w ? right : f[kHorizontal], true);
  };
  if (frame & 4) column(x, f[kTopLeft], f[kBottomLeft]);
  if (frame & 1) column(x + w, f[kTopRight], f[kBottomRight]);
  if (frame & 8) line(y, f[kTopLeft], f[kTopRight]);
  if (frame & 2) line(y + h, f[kBottomLeft], f[kBottomRight]);
}

void TrpTextAdvExport::DrawCell(TrpCharGrid& grid, const TCell& cell) const {
  const int x = rpRoundEven(cell.Left * ScaleWidth / 7), y = rpRoundEven(cell.Top * ScaleHeight / 10);
  const int w = rpRoundEven(cell.Width * ScaleWidth / 7), h = rpRoundEven(cell.Height * ScaleHeight / 10);
  if (Borders && cell.Frame != 0) DrawFrame(grid, x, y, w, h, cell.Frame);
  const QStringList lines = WordWrap(cell.Text, w - 1, h - 1);
  const int count = int(lines.size());
  int start = y;
  if (cell.Alignment & 16)
    start = y + h - count - 1;
  else if (cell.Alignment & 8)
    start = y + (h - count - 1) / 2;
  for (int i = 0; i < count; ++i) {
    const int row = start + 1 + i;
    if (row > y + h) break;
    QString line = lines[i];
    const int fit = w - 1;
    if ((cell.Alignment & 3) == 1) {
      line = line.rightJustified(fit, QLatin1Char(' '));
    } else if ((cell.Alignment & 3) == 2) {
      line = QString(std::max(0, fit / 2 - int(line.size()) / 2), QLatin1Char(' ')) + line;
      line = line.leftJustified(fit, QLatin1Char(' '));
    } else {
      line = line.leftJustified(fit, QLatin1Char(' '));
    }
    const QByteArray bytes = rpEncodeText(line, OEMCodepage);
    for (qsizetype c = 0; c < bytes.size(); ++c) {
      char b = bytes[c];
      if (b == char(0xA0) && !OEMCodepage) b = ' '; // a non-breaking space is a blank on paper
      grid.Put(x + 1 + int(c), row, b, false);
    }
  }
}

QStringList TrpTextAdvExport::WordWrap(const QString& text, int width, int maxLines) {
  QStringList lines;
  if (width <= 0) return lines;
  const QString crlf = QStringLiteral("\r\n");
  QString rest = text;
  while (!rest.isEmpty() && lines.size() < maxLines) {
    if (rest.size() <= width) {
      // The last piece, still cut at the text's own line breaks.
      const qsizetype end = rest.indexOf(crlf);
      lines.append(end < 0 ? rest : rest.left(end));
      rest = end < 0 ? QString() : rest.mid(end + 2);
      continue;
    }
    qsizetype window = width;
    if (rest[width] == QLatin1Char('\n'))
      window = width + 1;
    else if (rest[width] == QLatin1Char('\r'))
      window = width + 2;
    const QString part = rest.left(window);
    const qsizetype end = part.indexOf(crlf);
    if (end >= 0) {
      lines.append(rest.left(end));
      rest = rest.mid(end + 2);
    } else if (window < rest.size() && IsBreak(rest[window])) {
      lines.append(part);
      rest = rest.mid(window + 1);
    } else {
      qsizetype cut = width;
      for (qsizetype i = part.size() - 1; i >= 0; --i)
        if (IsBreak(part[i])) {
          cut = i + 1;
          break;
        }
      lines.append(rest.left(cut));
      rest = rest.mid(cut);
    }
  }
  return lines;
}

char TrpTextAdvExport::Junction(const TrpCharGrid& grid, const QByteArray& f, int column, int row) {
  const auto is = [&](int c, int r, int which) { return grid.IsFrame(c, r) && grid.At(c, r) == f[which]; };
  const auto line = [&](int c, int r) { return is(c, r, kVertical) || is(c, r, kHorizontal); };
  const auto frame = [&](int c, int r) { return grid.IsFrame(c, r) && f.left(11).contains(grid.At(c, r)); };
  const int l = column - 1, r = column + 1, u = row - 1, d = row + 1;
  const bool lineL = line(l, row), lineR = line(r, row), lineU = line(column, u), lineD = line(column, d);
  const bool vU = is(column, u, kVertical), vD = is(column, d, kVertical);
  const bool hL = is(l, row, kHorizontal), hR = is(r, row, kHorizontal);
  if (!lineL && !lineR && !lineU && lineD) return f[kVertical];
  if (!lineL && !lineR && !lineD && lineU) return f[kVertical];
  if (!lineL && !lineU && !lineD && lineR) return f[kHorizontal];
  if (!lineR && !lineU && !lineD && lineL) return f[kHorizontal];
  if (!frame(r, row) && !frame(l, row) && vU && vD) return f[kVertical];
  if (hR && hL && !frame(column, u) && !frame(column, d)) return f[kHorizontal];
  if (hR && hL && vU && vD) return f[kCross];
  if (hR && hL && vD && !vU) return f[kDown];
  if (hR && hL && vU && !vD) return f[kUp];
  if (vU && vD && hR && !hL) return f[kRight];
  if (vU && vD && hL && !hR) return f[kLeft];
  if (hR && !hL && vD && !vU) return f[kTopLeft];
  if (hR && !hL && vU && !vD) return f[kBottomLeft];
  if (hL && !hR && vU && !vD) return f[kBottomRight];
  if (hL && !hR && vD && !vU) return f[kTopRight];
  return grid.At(column, row);
}

void TrpTextAdvExport::RepairJunctions(TrpCharGrid& grid, const QByteArray& f) {
  const QByteArray joints = f.mid(kTopLeft, 9);
  for (int row = 0; row < grid.Rows; ++row)
    for (int column = 0; column < grid.Columns; ++column)
      if (grid.IsFrame(column, row) && joints.contains(grid.At(column, row)))
        grid.Put(column, row, Junction(grid, f, column, row), true);
}

void TrpTextAdvExport::OutputGrid(TrpCharGrid& grid) {
  if (Borders) RepairJunctions(grid, FrameSet());
  QList<QByteArray> rows;
  for (int row = 0; row < grid.Rows; ++row)
    rows.append(grid.Row(row));
  if (!LeadSpaces) {
    qsizetype lead = grid.Columns;
    for (const QByteArray& row : rows) {
      qsizetype blanks = 0;
      while (blanks < row.size() && row[blanks] == ' ')
        ++blanks;
      lead = std::min(lead, blanks);
    }
    for (QByteArray& row : rows)
      row.remove(0, lead);
  }
  for (QByteArray& row : rows) {
    while (row.endsWith(' '))
      row.chop(1);
    if (row.isEmpty() && !EmptyLines) continue;
    Write(row + "\r\n");
    LongestLine = std::max(LongestLine, int(row.size()));
    ++LineCount;
  }
}

// --- printing after the export

void TrpTextAdvExport::AfterExport(const QString& fileName) {
  if (!PrintAfter || rpPrinter().Printers.isEmpty()) return;
  if (PrinterDialog) {
    TrpPrnInit dialog(*this);
    if (dialog.ShowModal() != 1) return;
    Copies = dialog.CopiesE->value();
  }
  BuildInitString();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť.").arg(fileName));
  const QByteArray contents = InitString + file.readAll();
  file.close();
  rpWriteWholeFile(fileName, contents);
  PrintRaw(fileName);
}

void TrpTextAdvExport::PrintRaw(const QString& fileName) {
  const std::unique_ptr<TrpSpooler> spooler = rpMakeSpooler();
  if (!spooler) return; // no file named for the virtual printer: nothing to print
  QFile file(fileName);
  const QString printer = rpPrinter().CurrentPrinterName();
  for (int copy = 0; copy < Copies; ++copy) {
    // A print that never happened must not look done.
    if (!spooler->OpenPrinter(printer))
      throw Exception(QStringLiteral("Tlačiareň %1 sa nedá otvoriť, súbor sa nevytlačil.").arg(printer));
    bool sent = file.open(QIODevice::ReadOnly) && spooler->StartDocument(fileName, QStringLiteral("RAW")) &&
                spooler->StartPage();
    while (sent && !file.atEnd())
      sent = spooler->Write(file.read(kBlockSize));
    sent = sent && spooler->EndPage() && spooler->EndDocument();
    file.close();
    spooler->ClosePrinter();
    if (!sent) throw Exception(QStringLiteral("Tlačiareň %1 neprijala súbor %2.").arg(printer, fileName));
  }
}
