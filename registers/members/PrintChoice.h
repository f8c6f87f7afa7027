#pragma once
#include <QtCore/QSize>
#include <QtCore/QString>
#include <functional>

class QKeyEvent;
class QVBoxLayout;
class TForm;
class TQPLBtn;
class TUxFormPlacement;

// Builds a print-options dialog ("Výber tlačovej zostavy..."): one bold
// push button 321 pixels wide per print, stacked, and the placement `fp`.
class TPrintChoice {
public:
  TPrintChoice(TForm& form, QSize clientSize);
  // Adds the button of one print; its click runs `print` and leaves the dialog open.
  TQPLBtn* Button(const QString& name, const QString& caption, const std::function<void()>& print);
  TUxFormPlacement* Placement() const { return fp_; }
  // Esc without modifier keys closes the dialog with result 2.
  static bool EscCloses(TForm& form, QKeyEvent* event);

private:
  TForm& form_;
  QVBoxLayout* layout_;
  TUxFormPlacement* fp_;
};
