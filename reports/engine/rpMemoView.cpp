#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpValue.h"

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

QVariant TrpMemoView::CallMethod(const QString& name, const QVariant& a1, const QVariant& a2, const QVariant& a3) {
  QVariant result = TrpStretcheable::CallMethod(name, a1, a2, a3);
  StringsMethod(Memo, name, result, a1, a2, a3, QStringLiteral("LINES"));
  return result;
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
  const int v = g.StreamVersion;
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
