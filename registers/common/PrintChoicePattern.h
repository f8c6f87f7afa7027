#pragma once
#include "registers/common/PrintProtocol.h"
#include <QtCore/QObject>
#include <QtCore/QSize>

class QKeyEvent;
class QVBoxLayout;
class TListPattern;
class TForm;
class TQPLBtn;
class TUxFormPlacement;

// The behaviour of every print-options dialog, written once: the caption
// "Výber tlačovej zostavy...", one bold button per print, stacked in the
// order added, whose caption is the print's title, the placement `fp`, and
// Esc without modifier keys closing the dialog with result 2. A print button
// runs its print and leaves the dialog open for the next one. A dialog
// derives from TPrintChoiceForm (PrintChoiceForm.h), which owns the pattern
// and hands it the form's keys, and adds its prints of the list it is given
// by the list form that opens it:
//
//   class TfrmEPredmetyTlac : public TPrintChoiceForm {
//   public:
//     TfrmEPredmetyTlac(QWidget* owner, TListPattern& list) : TPrintChoiceForm(owner, QSize(328, 61)) {
//       btn1 = choice.AddPrint(QStringLiteral("btn1"), PredmetyPrint(1), list);
//     }
//   };
class TPrintChoicePattern : public QObject {
  Q_OBJECT
public:
  TPrintChoicePattern(TForm& form, QSize clientSize);
  ~TPrintChoicePattern() override;

  TUxFormPlacement* fp;

  // Adds the button of one print of the register's `list` (PrintRegister),
  // which gives the selection and year when the button is pressed; the list
  // outlives the dialog.
  TQPLBtn* AddPrint(const QString& name, const TRegisterPrint& print, TListPattern& list);
  // Esc without Shift, Ctrl or Alt: result 2.
  bool FormKeyDown(QKeyEvent* event);

private:
  TForm& form_;
  QVBoxLayout* layout_;
};
