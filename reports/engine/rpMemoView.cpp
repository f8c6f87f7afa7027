#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>

namespace {

struct TFlagName {
  const char* Name;
  quint16 Bit;
};
constexpr TFlagName kFlagNames[] = {
    {"WORDWRAP", mfWordWrap}, {"WORDBREAK", mfWordBreak}, {"AUTOWIDTH", mfAutoWidth},   {"TEXTONLY", mfTextOnly},
    {"SUPPRESS", mfSuppress}, {"HIDEZEROS", mfHideZeros}, {"UNDERLINES", mfUnderlines}, {"RTLREADING", mfRTLReading}};

const TFlagName* FlagOf(const QString& upperName) {
  for (const TFlagName& f : kFlagNames)
    if (upperName == QLatin1String(f.Name)) return &f;
  return nullptr;
}

} // namespace

bool rpWriteFontProperty(TrpFont& font, const QString& name, const QVariant& value) {
  if (name == QLatin1String("FONT.NAME"))
    font.Name = rpValueToText(value);
  else if (name == QLatin1String("FONT.SIZE"))
    font.Size = int(rpValueToInteger(value));
  else if (name == QLatin1String("FONT.STYLE"))
    font.Style = rpSetFontStyle(quint16(rpValueToInteger(value)));
  else if (name == QLatin1String("FONT.COLOR"))
    font.Color = TColor(rpValueToInteger(value));
  else
    return false;
  return true;
}

QVariant rpReadFontProperty(const TrpFont& font, const QString& name) {
  if (name == QLatin1String("FONT.NAME")) return font.Name;
  if (name == QLatin1String("FONT.SIZE")) return rpIntegerValue(font.Size);
  if (name == QLatin1String("FONT.STYLE")) return rpIntegerValue(rpGetFontStyle(font.Style));
  if (name == QLatin1String("FONT.COLOR")) return rpIntegerValue(font.Color);
  return {};
}

TrpMemoView::TrpMemoView() {
  SetKind(0, QStringLiteral("Memo"), QStringLiteral("TrpMemoView"));
  Font.Charset = rpGlobals().DefaultCharset;
  Flags = mfStretched | mfWordWrap;
}

void TrpMemoView::WriteProperty(const QString& name, const QVariant& value) {
  TrpStretcheable::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (rpWriteFontProperty(Font, n, value)) return;
  if (n == QLatin1String("ALIGNMENT"))
    Alignment = qint32(rpValueToInteger(value));
  else if (n == QLatin1String("LINESPACING"))
    LineSpacing = qint32(rpValueToInteger(value));
  else if (n == QLatin1String("CHARSPACING"))
    CharSpacing = qint32(rpValueToInteger(value));
  else if (const TFlagName* f = FlagOf(n))
    Flags = rpValueToInteger(value) != 0 ? Flags | f->Bit : Flags & ~f->Bit;
}

QVariant TrpMemoView::ReadProperty(const QString& name) {
  QVariant result = TrpStretcheable::ReadProperty(name);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  result = rpReadFontProperty(Font, n);
  if (!rpIsNull(result)) return result;
  if (n == QLatin1String("ALIGNMENT")) return rpIntegerValue(Alignment);
  if (n == QLatin1String("LINESPACING")) return rpIntegerValue(LineSpacing);
  if (n == QLatin1String("CHARSPACING")) return rpIntegerValue(CharSpacing);
  if (n == QLatin1String("LINES.COUNT")) return rpIntegerValue(Memo.size());
  if (const TFlagName* f = FlagOf(n)) return (Flags & f->Bit) != 0;
  return {};
}

QVariant TrpMemoView::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                 const QVariant& a3) {
  QVariant result = TrpStretcheable::CallMethod(run, name, a1, a2, a3);
  StringsMethod(run, Memo, name, result, a1, a2, a3, QStringLiteral("LINES"));
  return result;
}

void TrpMemoView::OpenEditor() {
  if (rpEngineStarted() && rpGlobals().DesignerEditor) rpGlobals().DesignerEditor(this, QStringLiteral("Memo"));
}

void TrpMemoView::ListProperties() {
  ListViewProperties(true);
  for (const char* n : {"Font.Name", "Font.Size", "Font.Style", "Font.Color"})
    AddPropertyRec(QLatin1String(n), 0);
  AddPropertyRec(QStringLiteral("Font"), ptEditor);
  AddPropertyRec(QStringLiteral("Alignment"), 0);
  AddPropertyRec(QStringLiteral("DisplayFormat"), ptEditor);
  AddPropertyRec(QStringLiteral("Highlight"), ptEditor);
  for (const char* n : {"LineSpacing", "CharSpacing", "GapX", "GapY"})
    AddPropertyRec(QLatin1String(n), ptInteger);
  for (const char* n : {"Stretched", "WordWrap", "WordBreak", "AutoWidth", "TextOnly", "Suppress", "HideZeros"})
    AddPropertyRec(QLatin1String(n), ptBoolean);
  AddPropertyRec(QStringLiteral("Lines.Count"), 0);
  AddPropertyRec(QStringLiteral("Underlines"), ptBoolean);
  AddPropertyRec(QStringLiteral("RTLReading"), ptBoolean);
}

void TrpMemoView::SaveToStream(TBinaryWriter& stream) {
  TrpStretcheable::SaveToStream(stream);
  rpWriteString(stream, Font.Name);
  rpWriteInteger(stream, Font.Size);
  rpWriteWord(stream, rpGetFontStyle(Font.Style));
  rpWriteInteger(stream, Font.Color);
  rpWriteInteger(stream, Alignment);
  rpWriteWord(stream, Font.Charset);
  if (RecordMode == 0) {
    rpWriteWord(stream, HighlightStyle);
    rpWriteInteger(stream, HighlightFontColor);
    rpWriteInteger(stream, HighlightFillColor);
    rpWriteString(stream, HighlightCondition);
  }
  rpWriteInteger(stream, LineSpacing);
  rpWriteInteger(stream, CharSpacing);
}

void TrpMemoView::LoadFromStream(TBinaryReader& stream) {
  TrpStretcheable::LoadFromStream(stream);
  const TrpGlobals& g = rpGlobals();
  const TrpRunContext& run = rpRun();
  const int v = run.StreamVersion;
  Font.Name = rpReadReportString(stream);
  Font.Size = rpReadInteger(stream);
  Font.Style = rpSetFontStyle(rpReadWord(stream));
  Font.Color = rpReadInteger(stream);
  Alignment = rpReadInteger(stream);
  const quint16 charset = rpReadWord(stream);
  Font.Charset = v < 23 ? g.DefaultCharset : quint8(charset);
  if (RecordMode == 0) {
    HighlightStyle = rpReadWord(stream);
    HighlightFontColor = rpReadInteger(stream);
    HighlightFillColor = rpReadInteger(stream);
    HighlightCondition = rpReadReportString(stream);
  }
  if (v > 23) {
    LineSpacing = rpReadInteger(stream);
    CharSpacing = rpReadInteger(stream);
  }
  if (v == 21) Flags |= mfWordWrap;
}

void TrpMemoView::LoadFromBlobField(TField* field) { rpAssignBlobTo(field, WorkLines); }

int TrpMemoView::CalcLineHeight() const { return LineSpacing + (Font.Size * 96 + 36) / 72; }

int TrpMemoView::MinimumHeight() { return 2 * GapY + CalcLineHeight() + rpRoundEven(2.0 * FrameWidth); }

int TrpMemoView::RemainingHeight() {
  const int lineHeight = CalcLineHeight();
  const int margins = 2 * GapY + rpRoundEven(2.0 * FrameWidth);
  return lineHeight > 0 ? (Height - margins) % lineHeight + margins : margins;
}

// --- layout and drawing

namespace {

const QChar kMark(kParagraphMark);

bool IsSlovakVowel(QChar c) { return QStringLiteral("AÁÄEÉIÍOÓÔUÚYÝ").contains(c); }

int Measure(const QFont& font, const QString& text) { return rpGlobals().TextWidth(font, text); }

bool HasParagraphMark(const QStringList& lines) {
  return std::any_of(lines.begin(), lines.end(), [](const QString& line) { return line.contains(kMark); });
}

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c.unicode() == 160; }

// Draws the line with `extra` pixels spread over its blanks, as the system's
// text justification does: the first blanks take the remainder.
void DrawJustified(QPainter& p, const QFont& font, QPoint at, const QString& line, int extra) {
  const qsizetype blanks = std::count_if(line.begin(), line.end(), IsBlank);
  int x = at.x();
  qsizetype seen = 0;
  QString segment;
  const auto flush = [&] {
    p.drawText(QPoint(x, at.y()), segment);
    x += Measure(font, segment);
    segment.clear();
  };
  for (const QChar c : line) {
    segment += c;
    if (IsBlank(c)) {
      flush();
      x += int(extra / blanks) + (seen < extra % blanks ? 1 : 0);
      ++seen;
    }
  }
  flush();
}

} // namespace

QList<int> rpBreakWord(const QString& word) {
  QList<int> breaks;
  const QString w = word.toUpper();
  const qsizetype n = w.size();
  if (n < 4) return breaks;
  // 1-based letters; beyond the word there is none.
  const auto at = [&](qsizetype i) { return i >= 1 && i <= n ? w[i - 1] : QChar(); };
  for (qsizetype i = 2; i <= n - 2 && i <= 255; ++i) {
    const bool allowed = IsSlovakVowel(at(i)) ? IsSlovakVowel(at(i + 1)) || IsSlovakVowel(at(i + 2))
                                              : !IsSlovakVowel(at(i + 1)) && IsSlovakVowel(at(i + 2));
    if (allowed) breaks.append(int(i));
  }
  return breaks;
}

QFont rpMakeQFont(const TrpFont& font, int pixelHeight, int charSpacing) {
  return rpEngineStarted() ? rpGlobals().Fonts.Font(font, pixelHeight, charSpacing)
                           : TrpFontCache::Make(font, pixelHeight, charSpacing);
}

void TrpMemoView::ExpandMemo(TrpRunContext& run) {
  WorkLines.clear();
  for (const QString& line : Memo) {
    QString text = line;
    if (!text.isEmpty() && !(Flags & mfTextOnly)) ExpandBrackets(run, text);
    if (text.isEmpty())
      WorkLines.append(QString());
    else
      WorkLines.append(rpSplitLines(text));
  }
}

void TrpMemoView::WrapLine(const QString& s, int available, const QFont& font) {
  const qsizetype n = s.size();
  const auto at = [&](qsizetype i) { return s[i - 1]; }; // 1-based
  const auto copy = [&](qsizetype a, qsizetype b) { return s.mid(a - 1, std::max<qsizetype>(b - a + 1, 0)); };
  const auto isBreak = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); };
  const auto out = [&](const QString& line) { WrapLines.append(line); };
  if (!s.contains(QLatin1Char('\r')) && !s.contains(QLatin1Char('\n')) && (n <= 1 || Measure(font, s) <= available)) {
    out(s + kMark);
    return;
  }
  const bool wordBreak = Flags & mfWordBreak;
  qsizetype pos = 1, begin = 1, last = 1, remembered = 0;
  while (pos <= n) {
    if (isBreak(at(pos))) {
      out(copy(begin, pos - 1) + kMark);
      while (pos < n && isBreak(at(pos)))
        ++pos;
      begin = last = pos;
      if (isBreak(at(pos))) return; // the text ends with line breaks
      continue;
    }
    if (!IsBlank(at(pos)) && Measure(font, copy(begin, pos)) > available) {
      const qsizetype over = pos;
      bool hyphenated = false;
      if (wordBreak) {
        qsizetype end = pos;
        while (end <= n && !QStringLiteral(" ,-.").contains(at(end)))
          ++end;
        const QList<int> breaks = rpBreakWord(copy(last + 1, end - 1));
        if (!breaks.isEmpty()) {
          pos = last;
          for (const int k : breaks) {
            if (Measure(font, copy(begin, last + k) + QLatin1Char('-')) > available) break;
            hyphenated = true;
            pos = last + k;
          }
          last = pos;
        }
      } else if (last == begin) {
        last = pos;
      }
      // The blank before this line is no break candidate: a word with no
      // break position that fits would otherwise give empty lines forever.
      if (!hyphenated && last < begin) {
        last = begin;
        pos = over;
      }
      if (hyphenated) {
        out(copy(begin, last) + QLatin1Char('-'));
      } else if (IsBlank(at(last))) {
        out(copy(begin, last - 1));
      } else {
        if (last == begin) last = pos;
        out(copy(begin, last - 1));
        --last;
      }
      if (wordBreak && !hyphenated && pos == last + 1) {
        if (remembered == pos) {
          begin = pos + 1;
          pos = n;
          break;
        }
        remembered = pos;
      }
      begin = last = last + 1;
    }
    if (IsBlank(at(pos))) last = pos;
    ++pos;
  }
  if (begin != pos && begin <= n) out(copy(begin, n) + kMark);
}

void TrpMemoView::WrapMemo(const TrpRunContext& run) {
  const int th = CalcLineHeight();
  const QFont font = rpMakeQFont(Font, th - LineSpacing, CharSpacing);
  WrapLines.clear();
  const bool rotated = Alignment & 4;
  const int available = rotated ? Height - 2 * GapY : Width - 2 * GapX;
  const bool designing = !run.EngineMode;
  if (!rotated && designing && WorkLines.size() == 1 && WorkLines[0].startsWith(QLatin1Char('[')) &&
      Measure(font, WorkLines[0]) > available) {
    WrapLines.append(WorkLines[0]);
  } else {
    for (const QString& line : WorkLines) {
      if (PreWrapped)
        WrapLines.append(line);
      else if (Flags & mfWordWrap)
        WrapLine(line, available, font);
      else
        WrapLines.append(rotated ? line : line + kMark);
    }
  }
  TextHeight = int(WrapLines.size()) * th + 2 * (rotated ? GapX : GapY);
  LineHeight = th;
}

int TrpMemoView::AssignFont(QPainter* canvas) {
  const double size = Font.Size * 96.0 / 72.0 * ZoomY;
  int height = ZoomY == 1.0 ? rpRoundEven(size) : int(size);
  if (PrinterOutput && canvas && canvas->device())
    height = rpRoundEven(Font.Size * canvas->device()->logicalDpiY() / 72.0);
  if (canvas) {
    canvas->setBackgroundMode(Qt::TransparentMode);
    canvas->setFont(rpMakeQFont(Font, height, rpRoundEven(CharSpacing * ZoomX)));
    canvas->setPen(rpPaintColor(Font.Color));
  }
  return height;
}

void TrpMemoView::DrawHorizontalLines(const TrpRunContext& run, const QFont& font, int fontHeight, const QRect& clip) {
  int y = Top + GapY;
  const int th = rpRoundEven(LineSpacing * ZoomY) + fontHeight;
  const int drWidth = DrawRect.right() - DrawRect.left();
  const int available = drWidth - 2 * GapX;
  int align = Alignment & 3;
  if (!run.EngineMode && WorkLines.size() == 1 && WorkLines[0].startsWith(QLatin1Char('[')) &&
      Measure(font, WorkLines[0]) > clip.width())
    align = 1;
  LineNo = 0;
  const bool drawing = !ExportMode && DrawCanvas;
  const bool placesText = drawing || (ExportMode && run.ExportText && (run.ExportTextPositions || !DrawRect.isValid()));
  const int ascent = drawing ? QFontMetrics(font).ascent() : 0;
  for (qsizetype i = 0; i < WorkLines.size(); ++i) {
    if (StopAtBottom && y + th > DrawRect.bottom() - 1) break;
    QString line = WorkLines[i];
    bool paragraphEnd = line.isEmpty();
    if (line.endsWith(kMark)) {
      line.chop(1);
      paragraphEnd = true;
    }
    // Only a line that is not left-aligned needs its width, and only to be drawn or placed.
    const int width = align == 0 || !placesText ? 0 : Measure(font, line);
    int x = Left + GapX;
    if (align == 1) x = Left + drWidth - 1 - GapX - width;
    if (align == 2) x = Left + GapX + (available - width) / 2;
    if (drawing) {
      QPainter& p = *DrawCanvas;
      p.save();
      p.setClipRect(clip);
      p.setLayoutDirection(Flags & mfRTLReading ? Qt::RightToLeft : Qt::LeftToRight);
      const QPoint at(x, y + ascent);
      if (align == 3 && !paragraphEnd && std::any_of(line.begin(), line.end(), IsBlank))
        DrawJustified(p, font, at, line, available - width);
      else
        p.drawText(at, line);
      p.restore();
    } else if (ExportMode && run.ExportText) {
      int frame = FrameTyp & 15;
      if (WorkLines.size() > 1) {
        if (i == 0)
          frame &= ~2;
        else if (i == WorkLines.size() - 1)
          frame &= ~8;
        else
          frame &= ~10;
      }
      run.ExportText(DrawRect, x, y, line, frame, this);
    }
    ++LineNo;
    y += th;
  }
}

void TrpMemoView::DrawRotatedLines(const TrpRunContext& run, const QFont& font, int fontHeight) {
  int x = Left + GapX;
  const int th = rpRoundEven(LineSpacing * ZoomX) + fontHeight;
  const int drHeight = DrawRect.bottom() - DrawRect.top();
  const int available = drHeight - 2 * GapY;
  const QFontMetrics metrics(font);
  LineNo = 0;
  for (QString line : WorkLines) {
    bool paragraphEnd = line.isEmpty();
    if (line.endsWith(kMark)) {
      line.chop(1);
      paragraphEnd = true;
    }
    const int width = Measure(font, line);
    int y = DrawRect.bottom() - GapY;
    switch (Alignment & 3) {
    case 1:
      y = width + Top + GapY;
      break;
    case 2:
      y = DrawRect.bottom() - GapY - 1 - (available - width) / 2;
      break;
    case 3:
      y = drHeight + Top - GapY;
      break;
    default:
      break;
    }
    if (!ExportMode && DrawCanvas) {
      QPainter& p = *DrawCanvas;
      p.save();
      p.translate(x, y);
      p.rotate(-90);
      const QPoint at(0, metrics.ascent());
      if ((Alignment & 3) == 3 && !paragraphEnd && std::any_of(line.begin(), line.end(), IsBlank))
        DrawJustified(p, font, at, line, available - width);
      else
        p.drawText(at, line);
      p.restore();
    } else if (ExportMode && run.ExportText) {
      run.ExportText(DrawRect, x, y, line, 0, this);
    }
    ++LineNo;
    x += th;
  }
}

void TrpMemoView::ShowMemo(const TrpRunContext& run) {
  const int fontHeight = AssignFont(DrawCanvas);
  const QFont font = rpMakeQFont(Font, fontHeight, rpRoundEven(CharSpacing * ZoomX));
  const QRect clip(QPoint(DrawRect.left() + 1, DrawRect.top()), QPoint(DrawRect.right() - 3, DrawRect.bottom() - 2));
  TextHeight = rpRoundEven(TextHeight * ZoomY);
  const bool rotated = Alignment & 4;
  const qint32 keptAlignment = Alignment;
  const qint32 keptLeft = Left, keptTop = Top;
  if (Alignment & 24) {
    Alignment &= ~24;
    if (!rotated && !StopAtBottom) {
      if (keptAlignment & 8)
        Top += (DrawRect.bottom() - DrawRect.top() - TextHeight) / 2;
      else
        Top = DrawRect.bottom() - TextHeight - 1;
    } else if (rotated) {
      if (keptAlignment & 8)
        Left += (DrawRect.right() - DrawRect.left() - TextHeight) / 2;
      else
        Left = DrawRect.right() - TextHeight;
    }
  }
  if (rotated)
    DrawRotatedLines(run, font, fontHeight);
  else
    DrawHorizontalLines(run, font, fontHeight, clip);
  Alignment = keptAlignment;
  Left = keptLeft;
  Top = keptTop;
}

void TrpMemoView::DrawUnderlines() {
  if (!(Flags & mfUnderlines) || !DrawCanvas) return;
  const int fontHeight = AssignFont(DrawCanvas);
  QPainter& p = *DrawCanvas;
  p.save();
  p.setPen(QPen(rpPaintColor(FrameColor), rpRoundEven(FrameWidth), Qt::SolidLine));
  const int th = rpRoundEven(LineSpacing * ZoomY) + fontHeight;
  const int offset = rpRoundEven(2 * ZoomY) + fontHeight;
  for (int i = 0; th > 0 && i < Height / th; ++i) {
    const int y = Top + GapY + i * th + offset;
    p.drawLine(Left, y, Left + Width - 1, y);
  }
  p.restore();
}

int TrpMemoView::CalcWidth(const QStringList& lines) {
  QString text = lines.join(QStringLiteral("\r\n"));
  if (!text.isEmpty()) {
    const QChar lastChar = text.back();
    text.chop(1);
    text.remove(kMark);
    text += lastChar;
  }
  if (text.endsWith(QStringLiteral("\r\n"))) text.chop(2);
  const int fontHeight = AssignFont(DrawCanvas);
  const QFont font = rpMakeQFont(Font, fontHeight, rpRoundEven(CharSpacing * ZoomX));
  int right = 0;
  for (const QString& line : rpSplitLines(text))
    right = std::max(right, Measure(font, line));
  return rpRoundEven(right / ZoomX + FrameWidth + 2 * GapX + 1);
}

void TrpMemoView::Draw(TrpRunContext& run, QPainter* canvas) {
  const bool building = run.EngineMode;
  DrawCanvas = canvas;
  if ((Flags & mfAutoWidth) && !Memo.isEmpty() && building) {
    const int w = CalcWidth(Memo);
    if (Alignment & 4) {
      Height = w;
    } else if (Alignment & 1) {
      Left = Left + Width - w;
      Width = w;
    } else {
      Width = w;
    }
  }
  PrepareDrawing(run, canvas);
  StopAtBottom = false;
  WorkLines = Memo;
  if (!WorkLines.isEmpty()) {
    PreWrapped = HasParagraphMark(WorkLines);
    if (WorkLines.last() == QStringView(&kMark, 1)) WorkLines.removeLast();
    const double zx = ZoomX, zy = ZoomY;
    ZoomX = ZoomY = 1;
    ToDeviceCoords(false);
    if ((Flags & mfAutoWidth) && building) Width += 100;
    WrapMemo(run);
    ZoomX = zx;
    ZoomY = zy;
    RestoreDesignCoords();
    WorkLines = WrapLines;
  }
  ToDeviceCoords(false);
  if (!ExportMode) {
    PaintBackground(run);
    PaintFrame(run);
    DrawUnderlines();
  }
  if (!WorkLines.isEmpty()) ShowMemo(run);
  RestoreDesignCoords();
}

void TrpMemoView::SendToExport(TrpRunContext& run) {
  TrpStretcheable::SendToExport(run);
  ExportMode = true;
  Draw(run, nullptr);
  ExportMode = false;
}

// --- printing into prepared pages

void TrpMemoView::ApplyHighlight(TrpRunContext& run) {
  if (HighlightCondition.isEmpty()) return;
  try {
    const QVariant value = run.Parser->CalcPostfix(HighlightCondition);
    if (rpCompare(value, rpIntegerValue(0)) == 0) return;
    Font.Style = rpSetFontStyle(HighlightStyle);
    Font.Color = HighlightFontColor;
    FillColor = HighlightFillColor;
  } catch (const Exception&) {
  }
}

bool TrpMemoView::HasBeforePrintChange(TrpRunContext& run) {
  WorkLines = Memo;
  if (run.CurrentReport) run.CurrentReport->FireBeforePrint(WorkLines, this);
  return WorkLines != Memo;
}

int TrpMemoView::CalcHeight(TrpRunContext& run) {
  SplitMode = 1;
  PrepareDrawing(run, nullptr);
  RunScript(run);
  if (!Visible) return 0;
  if (!HasBeforePrintChange(run)) ExpandMemo(run);
  const TrpFont keptFont = Font;
  const TColor keptFill = FillColor;
  ApplyHighlight(run);
  ToDeviceCoords(false);
  int result = 0;
  if (!WorkLines.isEmpty()) {
    WrapMemo(run);
    WorkLines = WrapLines;
    const QString text = WorkLines.join(QStringLiteral("\r\n"));
    if (!((Flags & mfSuppress) && text == LastPrintedText)) result = TextHeight;
    if (run.SuppressDrawing && (Flags & mfSuppress)) LastPrintedText = text;
  }
  RestoreDesignCoords();
  Font = keptFont;
  FillColor = keptFill;
  return result;
}

void TrpMemoView::WritePrepared(TrpRunContext& run, TBinaryWriter& stream) {
  PrepareDrawing(run, nullptr);
  StopAtBottom = true;
  if (SplitMode == 0) RunScript(run);
  bool expand = SplitMode != 1;
  if (SplitMode == 0) {
    if (run.CurrentReport && HasBeforePrintChange(run)) expand = false;
  }
  if (SplitMode != 2 && expand) ExpandMemo(run);
  if (!Visible) {
    SplitMode = 0;
    return;
  }
  const TrpFont keptFont = Font;
  const TColor keptFill = FillColor;
  const QString keptTag = Tag;
  const quint8 keptAlign = BandAlign;
  ApplyHighlight(run);
  if (SplitMode == 2) {
    ToDeviceCoords(false);
    // Lay out, then count the lines that fit above the bottom edge (a show without a canvas).
    PreWrapped = HasParagraphMark(WorkLines);
    WrapMemo(run);
    WorkLines = WrapLines;
    ShowMemo(run);
    WorkLines = WorkLines.mid(0, LineNo);
    if (!HasParagraphMark(WorkLines)) WorkLines.append(QString(kMark));
    RestoreDesignCoords();
  }
  const qint32 keptCode = DisplayFormatCode;
  DisplayFormatCode = 0;
  if (Tag.contains(QLatin1Char('['))) ExpandBrackets(run, Tag);
  DisplayFormatCode = keptCode;
  if (BandAlign == 5) BandAlign = 0;
  if (const TrpBandView* band = run.CurrentBand) {
    if (BandAlign == 6) Top = band->Top;
    if (BandAlign == 4 && band->IsCrossBand()) {
      Width = band->Width;
      BandAlign = 0;
    }
  }
  const QString text = WorkLines.join(QStringLiteral("\r\n"));
  if (!((Flags & mfSuppress) && text == LastPrintedText)) {
    WriteTypedRecord(stream);
    if (Flags & mfSuppress) LastPrintedText = text;
  }
  if (SplitMode == 2) WorkLines = WrapLines.mid(LineNo);
  Font = keptFont;
  FillColor = keptFill;
  Tag = keptTag;
  BandAlign = keptAlign;
  SplitMode = 0;
}

void TrpMemoView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  const auto flag = [&](quint16 bit, const char* name, bool whenSet, const char* value) {
    if (bool(Flags & bit) == whenSet) rpXmlAttribute(element, QLatin1String(name), QLatin1String(value));
  };
  flag(mfStretched, "StretchMode", true, "smMaxHeight");
  flag(mfWordWrap, "WordWrap", false, "False");
  flag(mfAutoWidth, "AutoWidth", true, "True");
  flag(mfTextOnly, "AllowExpressions", true, "False");
  flag(mfSuppress, "SuppressRepeated", true, "True");
  flag(mfHideZeros, "HideZeros", true, "True");
  flag(mfUnderlines, "Underlines", true, "True");
  flag(mfRTLReading, "RTLReading", true, "True");
  rpXmlAttribute(element, QStringLiteral("Font.Name"), Font.Name);
  rpXmlAttribute(element, QStringLiteral("Font.Height"), -((Font.Size * 96 + 36) / 72)); // points at 96 dpi
  rpXmlAttribute(element, QStringLiteral("Font.Color"), Font.Color);
  const TFontStyles& style = Font.Style;
  rpXmlAttribute(element, QStringLiteral("Font.Style"),
                 (style.Bold ? 1 : 0) + (style.Italic ? 2 : 0) + (style.Underline ? 4 : 0) + (style.StrikeOut ? 8 : 0));
  rpXmlAttribute(element, QStringLiteral("LineSpacing"), LineSpacing);
  rpXmlAttribute(element, QStringLiteral("CharSpacing"), CharSpacing);
  if (!HighlightCondition.isEmpty()) {
    rpXmlAttribute(element, QStringLiteral("Highlight.Condition"), HighlightCondition);
    rpXmlAttribute(element, QStringLiteral("Highlight.Font.Style"), HighlightStyle);
    rpXmlAttribute(element, QStringLiteral("Highlight.Font.Color"), HighlightFontColor);
    rpXmlAttribute(element, QStringLiteral("Highlight.Color"), HighlightFillColor);
  }
  const int horizontal = (Alignment & 3) == 3 ? 3 : (Alignment & 1) ? 1 : (Alignment & 2) ? 2 : 0;
  rpXmlAttribute(element, QStringLiteral("HAlign"), horizontal);
  rpXmlAttribute(element, QStringLiteral("VAlign"), (Alignment & 8) ? 2 : (Alignment & 16) ? 1 : 0);
  if (Alignment & 4) rpXmlAttribute(element, QStringLiteral("Rotation"), QStringLiteral("90"));
  WriteXmlDisplayFormat(element);
}

void TrpMemoView::WriteXmlDisplayFormat(QString& element) const {
  const int kind = rpFormatGroup(DisplayFormatCode);
  const int variant = rpFormatForm(DisplayFormatCode);
  if (kind < 1 || kind > 4) return;
  static const char* const kinds[] = {"", "fkNumeric", "fkDateTime", "fkDateTime", "fkBoolean"};
  rpXmlAttribute(element, QStringLiteral("DisplayFormat.Kind"), QLatin1String(kinds[kind]));
  if (kind == 1)
    rpXmlAttribute(element, QStringLiteral("DisplayFormat.DecimalSeparator"),
                   QString(QChar(rpFormatSeparator(DisplayFormatCode))));
  QString format;
  if (variant == 4) {
    format = DisplayFormatText;
  } else if (kind == 1) {
    static const char* const numbers[] = {"%g", "%2.2f", "%2.2n", "%2.2m"};
    format = variant < 4 ? QLatin1String(numbers[variant]) : QString();
  } else if (kind == 2) {
    format = variant == 3 ? QStringLiteral("dd mmmm yyyy") : variant < 3 ? rpLoadStr(55175 + variant) : QString();
  } else if (kind == 3) {
    format = variant < 4 ? rpLoadStr(55179 + variant) : QString();
  } else {
    format = variant < 4 ? rpLoadStr(55170 + variant) : QString();
  }
  rpXmlAttribute(element, QStringLiteral("DisplayFormat.FormatStr"), format);
}
