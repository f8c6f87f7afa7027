#include "registers/common/Picker.h"
#include "app/FormRegistry.h"
#include "controls/IBComboBox.h"
#include "core/ui/Form.h"
#include "db/IBQuery.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/ListPattern.h"

quint16 YearOfForm(const QWidget* form) {
  if (const TDialogPattern* dialog = TDialogPattern::Of(form)) return dialog->Rok;
  if (const TListPattern* list = TListPattern::Of(form)) return list->Rok;
  return 0;
}

bool PickFromList(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton) {
  return PickFromFilteredList(combo, formName, pickerButton, {});
}

bool PickFromFilteredList(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton,
                          const std::function<void(TForm&)>& prepare) {
  if (pickerButton && pickerButton->isHidden()) return false;
  const TFormFactory factory = FormRegistry::Factory(formName);
  if (!factory) return false;
  TFormArgs args;
  args.Rok = YearOfForm(combo.window());
  std::unique_ptr<TForm> form(factory(combo.window(), args));
  TListPattern* list = TListPattern::Of(form.get());
  if (!list) return false;
  form->SetTag(1);
  if (prepare) prepare(*form);
  list->btnRefreshClick();
  const QVariant key = combo.GetKeyValue();
  if (!key.isNull()) list->LocateKey(key.toInt());
  const bool hadFocus = combo.hasFocus();
  if (form->ShowModal() != mrOk) {
    combo.setFocus();
    return false;
  }
  combo.FindIt(list->ib1->FieldByName(QStringLiteral("jedin")).AsInteger());
  if (hadFocus) combo.MoveToNextControl();
  return true;
}
