#include "reports/engine/rpControl.h"
#include "reports/engine/rpLocale.h"

TrpControl::TrpControl() {
  FillColor = clBtnFace;
  FrameTyp = 0;
}

void TrpControl::ListProperties() {
  ClearPropertyList();
  AddPropertyRec(QStringLiteral("Name"), ptText | ptSingleOnly);
  for (const char* n : {"Left", "Top", "Width", "Height"})
    AddPropertyRec(QLatin1String(n), ptUnitLength);
  AddPropertyRec(QStringLiteral("Visible"), ptBoolean);
  AddPropertyRec(QStringLiteral("Restrictions"), ptEditor);
}

void TrpControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  if (name.toUpper() == QLatin1String("VISIBLE")) ControlVisibilityChanged();
}

TrpNonVisualControl::TrpNonVisualControl() {
  Width = Height = 28;
  IconBitmap = rpGetLocale().LoadBitmapResource(QStringLiteral("RP_NONVISUALCOMPONENT"));
}

void TrpNonVisualControl::ListProperties() {
  ClearPropertyList();
  AddPropertyRec(QStringLiteral("Name"), ptText | ptSingleOnly);
  AddPropertyRec(QStringLiteral("Restrictions"), ptEditor);
}

void TrpNonVisualControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpControl::WriteProperty(name, value);
  if (name.toUpper() == QLatin1String("NAME")) ComponentRenamed();
}
