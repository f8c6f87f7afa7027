#pragma once
#include "reports/engine/rpVariables.h"
#include "reports/engine/rpView.h"

// The base of the controls on dialog pages. The wrapped window control lives
// in the concrete class (a widget library's concern); the engine knows only
// what every control shares: bounds, visibility and restrictions.
class TrpControl : public TrpView {
public:
  TrpControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  void ListProperties() override;
  // The control's picture at its device rectangle (PaintControlImage).
  void Draw(TrpRunContext& run, QPainter* canvas) override;

protected:
  // Called when scripts or the inspector set Visible; the concrete class passes it to its control.
  virtual void ControlVisibilityChanged() {}
  // Paints the wrapped control's image at Left, Top; the concrete class knows its control.
  virtual void PaintControlImage() {}
};

// The base of components without a window (the report's database, table and
// query components): always 28 x 28 pixels in the designer, with the values
// of its component's properties kept in StoredValues.
class TrpNonVisualControl : public TrpControl {
public:
  TrpNonVisualControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  void ListProperties() override;
  // The common attributes and Propdata: a component stream of pLeft and pTop.
  void WriteXmlElement(QString& element) override;
  // Always 28 x 28 pixels: a button-face square with a raised edge and the icon.
  void Draw(TrpRunContext& run, QPainter* canvas) override;

  TrpVariables StoredValues;
  QImage IconBitmap;

protected:
  void PaintControlImage() override;
  // Called when the object's Name is set; the concrete class renames its component.
  virtual void ComponentRenamed() {}
};
