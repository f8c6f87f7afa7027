#pragma once
#include <QtCore/QDateTime>
#include <QtCore/QString>
#include <functional>

class QWidget;
class TForm;
class TIBComboBox;

// What the main window hands a form before showing it: the working year and,
// for the forms that need one, a book type, a document-type range or the
// moment the form was asked for.
struct TFormArgs {
  quint16 Rok = 0;
  int Typ = 0;   // cash book 1, bank book 2
  int TypOd = 0; // first document type of an invoice register
  int TypDo = 0; // last document type
  QDateTime DatumCas;
};

// Creates a form with the given owner and sets the fields it takes from the
// arguments; the caller shows it modally and frees it.
using TFormFactory = std::function<TForm*(QWidget* owner, const TFormArgs& args)>;
// An action that shows and frees its own window (the catch-summary chooser).
using TFormAction = std::function<void()>;
// The picker protocol of a lookup combo (registers/common/Picker.h): picks a
// row of the list registered as `formName` into the combo; true when chosen.
using TComboPicker = std::function<bool(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton)>;

// The forms the main window can open, by class name. The library that builds
// a form registers it here before the main window is created (from a
// registration function that main() calls before RunVimek); a name without a
// registration leaves its main-window button disabled.
namespace FormRegistry {
void RegisterForm(const QString& name, TFormFactory factory);
void RegisterAction(const QString& name, TFormAction action);
// Forgets a registration (tests).
void Unregister(const QString& name);
bool IsRegistered(const QString& name);
// The factory or action of the name; empty when none is registered.
TFormFactory Factory(const QString& name);
TFormAction Action(const QString& name);
// The register libraries install the picker protocol, so that a form of
// app/ picks from a register list without linking it; Pick is false while
// none is installed.
void SetPicker(TComboPicker picker);
bool Pick(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton);

// Registers a form that takes nothing but its owner.
template <class Form> void RegisterOwnedForm(const QString& name) {
  RegisterForm(name, [](QWidget* owner, const TFormArgs&) { return new Form(owner); });
}
// Registers a form that works in the year its opener hands it (every register list).
template <class Form> void RegisterYearForm(const QString& name) {
  RegisterForm(name, [](QWidget* owner, const TFormArgs& args) { return new Form(owner, args.Rok); });
}
} // namespace FormRegistry
