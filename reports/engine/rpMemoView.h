#pragma once
#include "reports/engine/rpStream.h"
#include "reports/engine/rpView.h"
#include <QtGui/QFont>

// The text object: fixed words, [expressions] and field contents, with its
// font, alignment, spacing and highlight; its stream record follows the
// common one.
class TrpMemoView : public TrpStretcheable {
public:
  TrpMemoView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  // The field's text becomes the lines to print (WorkLines).
  void LoadFromBlobField(TField* field) override;
  // The designer's text editor for the object's text and script.
  void OpenEditor() override;

  // Script, before-print event, expansion and highlight as for printing, then
  // the laid-out text height (0 when hidden or suppressed); SplitMode becomes 1.
  int CalcHeight(TrpRunContext& run) override;
  // 2 x GapY + one line + the frame on both sides.
  int MinimumHeight() override;
  // The part of the height that holds no whole line, with the margins.
  int RemainingHeight() override;

  void Draw(TrpRunContext& run, QPainter* canvas) override;
  // The object callback, then every laid-out line to the filter's text callback.
  void SendToExport(TrpRunContext& run) override;
  // Prints into a prepared page following SplitMode (0 whole, 1 measured
  // already, 2 only the lines that fit, the rest kept in WorkLines for the next page).
  void WritePrepared(TrpRunContext& run, TBinaryWriter& stream) override;

  // WorkLines := Memo with every [expression] expanded (unless TextOnly); an
  // expanded value with line breaks gives several lines.
  void ExpandMemo(TrpRunContext& run);
  // Lays WorkLines out into WrapLines at 96 dots per inch; sets TextHeight and LineHeight.
  void WrapMemo(const TrpRunContext& run);
  // Draws (or exports) WorkLines inside DrawRect with the vertical alignment.
  void ShowMemo(const TrpRunContext& run);
  // Ruled lines under the text lines when Underlines is set.
  void DrawUnderlines();
  // The design width the lines need.
  int CalcWidth(const QStringList& lines);
  // The canvas font becomes the object's font at the canvas's zoom; answers its pixel height.
  int AssignFont(QPainter* canvas);

  void SetFont(const TrpFont& font) { Font = font; }
  // One line's height: LineSpacing plus the font's pixel height at 96 dots per inch.
  int CalcLineHeight() const;

  TrpFont Font;
  QString LastPrintedText;
  qint32 Alignment = 0;
  quint16 HighlightStyle = 2;
  TColor HighlightFontColor = clBlack;
  TColor HighlightFillColor = clWhite;
  QString HighlightCondition;
  qint32 LineSpacing = 2;
  qint32 CharSpacing = 0;

  bool PreWrapped = false;   // the lines carry paragraph marks and are drawn as they stand
  qint32 TextHeight = 0;     // laid-out height with GapY on both sides
  bool StopAtBottom = false; // drawing stops at the first line ending below DrawRect
  qint32 LineHeight = 0;
  qint32 LineNo = 0;       // lines output by the last drawing
  bool ExportMode = false; // lines go to the export filter instead of the canvas
  QStringList WrapLines;   // the laid-out lines

private:
  void WriteXmlDisplayFormat(QString& element) const;
  void WrapLine(const QString& s, int available, const QFont& font);
  void DrawHorizontalLines(const TrpRunContext& run, const QFont& font, int fontHeight, const QRect& clip);
  void DrawRotatedLines(const TrpRunContext& run, const QFont& font, int fontHeight);
  // The highlight style and colours when the condition holds; errors mean no highlight.
  void ApplyHighlight(TrpRunContext& run);
  bool HasBeforePrintChange(TrpRunContext& run);
};

// The paragraph mark that ends the last laid-out line of a paragraph.
constexpr char16_t kParagraphMark = 1;

// The positions (1-based, ascending) after which a word may be hyphenated by
// the Slovak letters: a vowel followed by a vowel within two letters, or a
// consonant whose next letter is a consonant followed by a vowel. Words
// shorter than 4 letters have none.
QList<int> rpBreakWord(const QString& word);

// A font at a pixel height with extra pixels between characters.
QFont rpMakeQFont(const TrpFont& font, int pixelHeight, int charSpacing);

// Flags bits of text objects.
enum : quint16 {
  mfStretched = 1,
  mfWordWrap = 2,
  mfWordBreak = 4,
  mfAutoWidth = 8,
  mfTextOnly = 16,
  mfSuppress = 32,
  mfHideZeros = 64,
  mfUnderlines = 128,
  mfRTLReading = 256
};

// Reads and writes the four font parts "FONT.NAME", "FONT.SIZE", "FONT.STYLE"
// (stored style number) and "FONT.COLOR"; false / null for other names.
bool rpWriteFontProperty(TrpFont& font, const QString& name, const QVariant& value);
QVariant rpReadFontProperty(const TrpFont& font, const QString& name);
