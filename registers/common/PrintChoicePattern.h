#pragma once
#include "registers/common/PrintProtocol.h"
#include <QtCore/QObject>
#include <QtCore/QSize>
#include <functional>

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
// and hands it the form's keys, and adds its prints:
//
//   class TfrmEPredmetyTlac : public TPrintChoiceForm {
//   public:
//     explicit TfrmEPredmetyTlac(QWidget* owner) : TPrintChoiceForm(owner, QSize(328, 61)) {
//       btn1 = choice.AddPrint(QStringLiteral("btn1"), PredmetyPrint(1), [] { return ListOf(frmEPredmety); });
//     }
//   };
class TPrintChoicePattern : public QObject {
  Q_OBJECT
public:
  TPrintChoicePattern(TForm& form, QSize clientSize);
  ~TPrintChoicePattern() override;

  TUxFormPlacement* fp;

  // Where a print takes its selection and year from: the open list form,
  // asked when the button is pressed (null: no list, nothing is printed).
  using TListSource = std::function<TListPattern*()>;
  // Adds the button of one print of the register's list (PrintRegister).
  TQPLBtn* AddPrint(const QString& name, const TRegisterPrint& print, TListSource list);
  // Esc without Shift, Ctrl or Alt: result 2.
  bool FormKeyDown(QKeyEvent* event);

private:
  TForm& form_;
  QVBoxLayout* layout_;
};

// The list of a list form reached through its global reference, null while
// no such form exists (for TPrintChoicePattern::AddPrint).
template <class ListForm> TListPattern* ListOf(ListForm* form) { return form ? &form->list : nullptr; }
