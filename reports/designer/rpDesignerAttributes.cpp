#include "reports/designer/rpDesignerAttributes.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpLineView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"

namespace {

using namespace rpAttributeTag;

// A frame tag's line bit.
quint16 FrameLineBit(int tag) {
  static const quint16 bits[] = {8, 4, 2, 1};
  return bits[tag - FrameTop];
}

int FontSizeOfText(const QString& text) {
  bool ok = false;
  const int size = text.trimmed().toInt(&ok);
  if (!ok || size < 1) throw ErpConversionError(QStringLiteral("'%1' nie je platná veľkosť písma.").arg(text));
  return size;
}

// The values a box's text stands for, read once before any object changes.
struct TrpAttributeValues {
  float Width = 0;
  int Size = 0;
};

} // namespace

void rpCheckAttributeText(int tag, const QString& text) {
  if (tag == FrameWidth) rpStrToFloat(text);
  if (tag == FontSize) FontSizeOfText(text);
}

namespace {

TrpAttributeValues ReadBoxText(int tag, const QString& text) {
  TrpAttributeValues values;
  if (tag == FrameWidth) values.Width = float(rpStrToFloat(text));
  if (tag == FontSize) values.Size = FontSizeOfText(text);
  return values;
}

void SetStyleBit(TrpMemoView& text, int tag, bool on) {
  TFontStyles& style = text.Font.Style;
  (tag == Bold ? style.Bold : tag == Italic ? style.Italic : style.Underline) = on;
}

// A text tag on one text object, with its insertion default.
void ApplyTextAttribute(TrpMemoView& text, int tag, const TrpAttributeInput& input, const TrpAttributeValues& values,
                        TrpInsertDefaults& defaults) {
  switch (tag) {
  case FontName:
    text.Font.Name = input.Text;
    defaults.FontName = input.Text;
    break;
  case FontSize:
    text.Font.Size = values.Size;
    defaults.FontSize = text.Font.Size;
    break;
  case Bold:
  case Italic:
  case Underline:
    SetStyleBit(text, tag, input.Down);
    defaults.FontStyle = rpGetFontStyle(text.Font.Style);
    break;
  case AlignLeft:
  case AlignRight:
  case AlignCentre:
  case Justify:
    text.Alignment = (text.Alignment & ~3) | (tag == Justify ? 3 : tag - AlignLeft);
    defaults.Alignment = text.Alignment;
    break;
  case Rotated:
    text.Alignment = input.Down ? text.Alignment | 4 : text.Alignment & ~4;
    defaults.Alignment = text.Alignment;
    break;
  case VerticalAlign:
    text.Alignment = (text.Alignment & ~24) | (input.MiddleDown ? 8 : 0) | (input.BottomDown ? 16 : 0);
    defaults.Alignment = text.Alignment;
    break;
  case FontColor:
    text.Font.Color = input.Color;
    defaults.FontColor = input.Color;
    break;
  default:
    break;
  }
}

// A frame or colour tag on any object, with its insertion default.
void ApplyViewAttribute(TrpView& object, int tag, const TrpAttributeInput& input, const TrpAttributeValues& values,
                        TrpInsertDefaults& defaults) {
  if (tag >= FrameTop && tag <= FrameRight) {
    const quint16 bit = FrameLineBit(tag);
    object.FrameTyp = input.Down ? object.FrameTyp | bit : object.FrameTyp & ~bit;
  } else if (tag == FillColor) {
    object.FillColor = input.Color;
    defaults.FillColor = input.Color;
  } else if (tag == FrameWidth) {
    object.FrameWidth = values.Width;
    (dynamic_cast<TrpLineView*>(&object) ? defaults.LineWidth : defaults.FrameWidth) = values.Width;
  } else if (tag == FrameColor) {
    object.FrameColor = input.Color;
    defaults.FrameColor = input.Color;
  } else if (tag == FrameAll) {
    object.FrameTyp |= 15;
    defaults.FrameType = 15;
  } else if (tag == FrameNone) {
    object.FrameTyp &= ~15;
    defaults.FrameType = 0;
  } else if (tag >= FirstFrameStyle && tag <= LastFrameStyle) {
    object.FrameStyle = quint16(tag - FirstFrameStyle);
  }
}

} // namespace

bool rpIsTextAttribute(int tag) {
  switch (tag) {
  case FontName:
  case FontSize:
  case Bold:
  case Italic:
  case Underline:
  case AlignLeft:
  case AlignRight:
  case AlignCentre:
  case Justify:
  case Rotated:
  case VerticalAlign:
  case FontColor:
    return true;
  default:
    return false;
  }
}

QList<TrpView*> rpApplyAttribute(const QList<TrpView*>& objects, int tag, const TrpAttributeInput& input,
                                 TrpInsertDefaults& defaults) {
  const TrpAttributeValues values = ReadBoxText(tag, input.Text);
  const bool textTag = rpIsTextAttribute(tag);
  QList<TrpView*> changed;
  for (TrpView* object : objects) {
    if (dynamic_cast<TrpBandView*>(object) || (object->Restrictions & rrModify)) continue;
    if (textTag) {
      auto* text = dynamic_cast<TrpMemoView*>(object);
      if (!text) continue;
      ApplyTextAttribute(*text, tag, input, values, defaults);
    } else {
      ApplyViewAttribute(*object, tag, input, values, defaults);
    }
    changed << object;
  }
  return changed;
}

TrpFontChange rpFontChange(const TrpFont& before, const TrpFont& chosen) {
  TrpFontChange change;
  change.Name = before.Name != chosen.Name;
  change.Size = before.Size != chosen.Size;
  change.Color = before.Color != chosen.Color;
  change.Style = !(before.Style == chosen.Style);
  change.Charset = before.Charset != chosen.Charset;
  return change;
}

void rpApplyFontChange(TrpFont& font, const TrpFont& chosen, const TrpFontChange& change) {
  if (change.Name) font.Name = chosen.Name;
  if (change.Size) font.Size = chosen.Size;
  if (change.Color) font.Color = chosen.Color;
  if (change.Style) font.Style = chosen.Style;
  if (change.Charset) font.Charset = chosen.Charset;
}

QFont rpFontOfDialog(const TrpFont& font) {
  QFont shown(font.Name, font.Size);
  shown.setBold(font.Style.Bold);
  shown.setItalic(font.Style.Italic);
  shown.setUnderline(font.Style.Underline);
  shown.setStrikeOut(font.Style.StrikeOut);
  return shown;
}

TrpFont rpFontFromDialog(const QFont& font, const TrpFont& base) {
  TrpFont chosen = base;
  chosen.Name = font.family();
  if (font.pointSize() > 0) chosen.Size = font.pointSize();
  chosen.Style.Bold = font.bold();
  chosen.Style.Italic = font.italic();
  chosen.Style.Underline = font.underline();
  chosen.Style.StrikeOut = font.strikeOut();
  return chosen;
}
