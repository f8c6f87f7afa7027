#include "core/gui/ColorConvert.h"
#include <QtGui/QGuiApplication>
#include <QtGui/QPalette>

QColor SystemColor(int index) {
  const QPalette palette = qGuiApp ? QGuiApplication::palette() : QPalette();
  switch (index) {
  case 5:
    return palette.color(QPalette::Base); // clWindow
  case 8:
    return palette.color(QPalette::Text); // clWindowText
  case 13:
    return palette.color(QPalette::Highlight); // clHighlight
  case 14:
    return palette.color(QPalette::HighlightedText); // clHighlightText
  case 15:
    return palette.color(QPalette::Button); // clBtnFace
  case 16:
    return palette.color(QPalette::Dark); // clBtnShadow
  case 17:
    return palette.color(QPalette::Disabled, QPalette::Text);
  case 18:
    return palette.color(QPalette::ButtonText);
  case 20:
    return palette.color(QPalette::Light); // clBtnHighlight
  case 21:
    return palette.color(QPalette::Shadow); // cl3DDkShadow
  case 22:
    return palette.color(QPalette::Midlight); // cl3DLight
  case 23:
    return palette.color(QPalette::ToolTipText); // clInfoText
  case 24:
    return palette.color(QPalette::ToolTipBase); // clInfoBk
  case 7:
    return palette.color(QPalette::WindowText); // clMenuText
  case 4:
    return palette.color(QPalette::Window); // clMenu
  case 12:
    return palette.color(QPalette::Mid); // clAppWorkSpace
  default:
    return palette.color(QPalette::Window);
  }
}

QColor ToQColor(TColor color) {
  if (color == clNone) return Qt::transparent;
  if (IsSystemColor(color)) return SystemColor(color & 0xFF);
  return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

TColor FromQColor(const QColor& color) { return RGBColor(color.red(), color.green(), color.blue()); }
