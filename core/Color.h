#pragma once
#include <QtCore/QtGlobal>

// A colour as the files and the registry store it: $00BBGGRR, or a system
// colour as $FF000000 plus the system colour index. Converted to a QColor only
// when painting (core/gui/ColorConvert.h).
using TColor = qint32;

constexpr TColor RGBColor(int r, int g, int b) { return TColor((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF)); }
constexpr int ColorRed(TColor c) { return c & 0xFF; }
constexpr int ColorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int ColorBlue(TColor c) { return (c >> 16) & 0xFF; }
constexpr bool IsSystemColor(TColor c) { return (quint32(c) & 0xFF000000u) == 0xFF000000u; }

// The colour constants the forms and templates use.
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080, clNavy = 0x800000,
                 clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: $FF000000 + index.
constexpr TColor clScrollBar = TColor(0xFF000000), clBackground = TColor(0xFF000001),
                 clActiveCaption = TColor(0xFF000002), clInactiveCaption = TColor(0xFF000003),
                 clMenu = TColor(0xFF000004), clWindow = TColor(0xFF000005), clWindowFrame = TColor(0xFF000006),
                 clMenuText = TColor(0xFF000007), clWindowText = TColor(0xFF000008), clCaptionText = TColor(0xFF000009),
                 clActiveBorder = TColor(0xFF00000A), clInactiveBorder = TColor(0xFF00000B),
                 clAppWorkSpace = TColor(0xFF00000C), clHighlight = TColor(0xFF00000D),
                 clHighlightText = TColor(0xFF00000E), clBtnFace = TColor(0xFF00000F), clBtnShadow = TColor(0xFF000010),
                 clGrayText = TColor(0xFF000011), clBtnText = TColor(0xFF000012),
                 clInactiveCaptionText = TColor(0xFF000013), clBtnHighlight = TColor(0xFF000014),
                 cl3DDkShadow = TColor(0xFF000015), cl3DLight = TColor(0xFF000016), clInfoText = TColor(0xFF000017),
                 clInfoBk = TColor(0xFF000018);
