#pragma once
#include "reports/engine/rpControl.h"
#include <QtCore/QPointer>

class QWidget;
class TForm;

// The engine's hidden host form of dialog controls: an empty form named
// "DialogForm" at (-100, -100), 10 x 10 pixels. Controls that are not shown
// on a dialog page's window live on it, so their names are its components.
TForm* rpDialogForm();

// True when the host form has a component (at any depth) of that name,
// compared without regard to case as component names are.
bool rpDialogFormHasComponent(const QString& name);

// The base of dialog controls that wrap a widget. The control owns its widget;
// the widget sits on the host form until a dialog page's window borrows it
// (PlaceOnForm) and goes back there when that window closes (ReturnToHostForm).
class TrpWindowControl : public TrpControl {
public:
  // Takes the widget over and puts it on the host form.
  explicit TrpWindowControl(QWidget* control);
  ~TrpWindowControl() override;
  TrpWindowControl(const TrpWindowControl&) = delete;
  TrpWindowControl& operator=(const TrpWindowControl&) = delete;

  QWidget* Control() const { return control_; }
  // The widget's parent becomes the form, its bounds (Left, Top, Width, Height)
  // and its visibility the object's.
  void PlaceOnForm(QWidget* form);
  void ReturnToHostForm();
  // Name also renames the widget, the host form's component.
  void WriteProperty(const QString& name, const QVariant& value) override;

protected:
  void ControlVisibilityChanged() override;
  // The widget's own picture on a button-face ground at (Left, Top).
  void PaintControlImage() override;

private:
  QPointer<QWidget> control_; // the host form may be gone first at program end
};
