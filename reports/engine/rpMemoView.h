#pragma once
#include "reports/engine/rpStream.h"
#include "reports/engine/rpView.h"

// The text object: fixed words, [expressions] and field contents, with its
// font, alignment, spacing and highlight; its stream record follows the
// common one.
class TrpMemoView : public TrpStretcheable {
public:
  TrpMemoView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(const QString& name, const QVariant& a1, const QVariant& a2, const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  // The field's text becomes the lines to print (WorkLines).
  void LoadFromBlobField(TField* field) override;

  // The laid-out text height belongs to the text layout; until it is linked
  // the object measures as its design height.
  int CalcHeight() override { return Height; }
  // 2 x GapY + one line + the frame on both sides.
  int MinimumHeight() override;
  // The part of the height that holds no whole line, with the margins.
  int RemainingHeight() override;

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
};

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
