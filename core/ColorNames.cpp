#include "core/ColorNames.h"

namespace {

struct NamedColor {
  const char* name;
  TColor color;
};

constexpr NamedColor kNames[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
};

} // namespace

std::optional<TColor> StringToColor(QStringView text) {
  const QStringView trimmed = text.trimmed();
  for (const NamedColor& named : kNames)
    if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) return named.color;
  bool ok = false;
  qlonglong number = 0;
  if (trimmed.startsWith(u'$'))
    number = trimmed.mid(1).toLongLong(&ok, 16);
  else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    number = trimmed.mid(2).toLongLong(&ok, 16);
  else
    number = trimmed.toLongLong(&ok, 10);
  if (!ok || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<quint32>::max())
    return std::nullopt;
  return TColor(quint32(number));
}
