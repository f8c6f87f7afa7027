#include "reports/objects/dialog/rpStdControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpValue.h"
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QWidget>
#include <cmath>

TrpStdControl::TrpStdControl(QWidget* control) : TrpWindowControl(control) {
  font_ = FontOf(control->font(), clWindowText);
}

TrpFont TrpStdControl::FontOf(const QFont& font, TColor color) {
  TrpFont made;
  made.Name = font.family();
  made.Size = font.pointSize() > 0 ? font.pointSize() : 8;
  made.Style = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
  made.Color = color;
  return made;
}

void TrpStdControl::SetColor(TColor color) {
  color_ = color;
  ApplyLook();
}

void TrpStdControl::SetFont(const TrpFont& font) {
  font_ = font;
  ApplyLook();
}

void TrpStdControl::ApplyLook() {
  QWidget* widget = Control();
  if (!widget) return;
  QFont font(font_.Name);
  font.setPointSize(qMax(font_.Size, 1));
  font.setBold(font_.Style.Bold);
  font.setItalic(font_.Style.Italic);
  font.setUnderline(font_.Style.Underline);
  font.setStrikeOut(font_.Style.StrikeOut);
  widget->setFont(font);
  QPalette palette = widget->palette();
  palette.setColor(ColorRole(), rpPaintColor(color_));
  for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(text, rpPaintColor(font_.Color));
  widget->setPalette(palette);
  widget->setAutoFillBackground(ColorRole() == QPalette::Window);
}

void TrpStdControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpWindowControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  QWidget* widget = Control();
  if (rpWriteFontProperty(font_, n, value)) {
    ApplyLook();
  } else if (n == QLatin1String("COLOR")) {
    SetColor(TColor(rpValueToInteger(value)));
  } else if (n == QLatin1String("ENABLED")) {
    if (widget) widget->setEnabled(rpValueToInteger(value) != 0);
  } else if (widget && rpRun().EngineMode) {
    // A script moves, sizes, shows and hides the controls of the dialog window that is open.
    if (n == QLatin1String("LEFT") || n == QLatin1String("TOP") || n == QLatin1String("WIDTH") ||
        n == QLatin1String("HEIGHT"))
      widget->setGeometry(Left, Top, Width, Height);
    else if (n == QLatin1String("VISIBLE"))
      widget->setVisible(Visible);
  }
}

QVariant TrpStdControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpWindowControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  const QVariant font = rpReadFontProperty(font_, n);
  if (!font.isNull()) return font;
  if (n == QLatin1String("COLOR")) return rpIntegerValue(color_);
  if (n == QLatin1String("ENABLED")) return Control() && Control()->isEnabled();
  return inherited;
}

QVariant TrpStdControl::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                   const QVariant& a3) {
  const QVariant result = TrpWindowControl::CallMethod(run, name, a1, a2, a3);
  if (name.toUpper() == QLatin1String("SETFOCUS") && Control() && Control()->focusPolicy() != Qt::NoFocus)
    Control()->setFocus();
  return result;
}

void TrpStdControl::ListProperties() {
  TrpWindowControl::ListProperties();
  AddPropertyRec(QStringLiteral("Color"), ptColor);
  AddPropertyRec(QStringLiteral("Enabled"), ptBoolean);
  AddPropertyRec(QStringLiteral("Font"), ptEditor, [this] { EditFont(); });
  for (const char* n : {"Font.Name", "Font.Size", "Font.Style", "Font.Color"})
    AddPropertyRec(QLatin1String(n), 0);
  AddPropertyRec(QStringLiteral("OnClick"), ptEditor | ptSingleOnly, [this] { EditOnClick(); });
}

void TrpStdControl::LoadFromStream(TBinaryReader& stream) {
  TrpWindowControl::LoadFromStream(stream);
  color_ = TColor(rpReadInteger(stream));
  const bool enabled = rpReadBoolean(stream);
  rpReadFont(stream, font_);
  if (Control()) Control()->setEnabled(enabled);
  ApplyLook();
}

void TrpStdControl::SaveToStream(TBinaryWriter& stream) {
  TrpWindowControl::SaveToStream(stream);
  rpWriteInteger(stream, color_);
  rpWriteBoolean(stream, Control() && Control()->isEnabled());
  rpWriteFont(stream, font_);
}

void TrpStdControl::WriteXmlElement(QString& element) {
  TrpWindowControl::WriteXmlElement(element);
  element += QStringLiteral(" Font.Name=\"") + font_.Name + QLatin1Char('"');
  rpXmlAttribute(element, QStringLiteral("Font.Height"), -std::lround(font_.Size * 96.0 / 72));
  rpXmlAttribute(element, QStringLiteral("Font.Color"), font_.Color);
  const int style = (font_.Style.Bold ? 1 : 0) | (font_.Style.Italic ? 2 : 0) | (font_.Style.Underline ? 4 : 0) |
                    (font_.Style.StrikeOut ? 8 : 0);
  rpXmlAttribute(element, QStringLiteral("Font.Style"), style);
  rpXmlAttribute(element, QStringLiteral("Color"), color_);
  if (Control() && !Control()->isEnabled()) element += QStringLiteral(" Enabled=\"False\"");
}

void TrpStdControl::ControlClick() {
  TrpRunContext& g = rpRun();
  if (!g.EngineMode) return;
  g.CurrentObject = this;
  RunScript(g);
}

void TrpStdControl::EditOnClick() {
  if (rpEngineStarted() && rpGlobals().DesignerEditor) rpGlobals().DesignerEditor(this, QStringLiteral("OnClick"));
}

void TrpStdControl::ApplyFontToSelection(const TrpFont& font) {
  TrpReportDesigner* designer = rpCurrentDesigner();
  if (!designer) return;
  designer->BeforeChange();
  for (TrpView* view : designer->SelectedObjects())
    if (auto* control = dynamic_cast<TrpStdControl*>(view); control && !(control->Restrictions & rrModify))
      control->SetFont(font);
  designer->AfterChange();
}

void TrpStdControl::EditFont() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, Control() ? Control()->font() : QFont());
  if (ok) ApplyFontToSelection(FontOf(chosen, font_.Color));
}

QStringList rpItemsOf(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i)
    items.append(box.itemText(i));
  return items;
}
