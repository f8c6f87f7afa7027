#include "registers/common/RegisterControls.h"
#include "app/AppContext.h"
#include "app/FormRegistry.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "platform/MessageDialogs.h"
#include "registers/common/DialogField.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/ListForm.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <cmath>

TIBEdit* AddText(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength) {
  controls.Label(label);
  return controls.Add<TIBEdit>(name, maxLength);
}

TIBCurrencyEdit* AddAmount(TRegisterLayout& controls, const QString& label, const QString& name, int decimals,
                           int maxLength) {
  controls.Label(label);
  auto* edit = controls.Add<TIBCurrencyEdit>(name);
  edit->SetDecimals(decimals);
  edit->SetMaxLength(maxLength);
  return edit;
}

TIBCheckBox* AddCheckRow(TRegisterLayout& controls, const QString& label, const QString& name, const QString& text) {
  controls.Label(label);
  auto* box = controls.Add<TIBCheckBox>(name);
  box->setText(text);
  box->setLayoutDirection(Qt::RightToLeft);
  return box;
}

void TypeInCapitals(QLineEdit& edit, std::function<bool()> when) {
  QObject::connect(&edit, &QLineEdit::textEdited, &edit, [&edit, when = std::move(when)](const QString& typed) {
    if ((when && !when()) || typed == typed.toUpper()) return;
    const int cursor = edit.cursorPosition();
    edit.setText(typed.toUpper());
    edit.setCursorPosition(cursor);
  });
}

QString SurnameAsSaved(const QString& typed) { return ProgramSettings.PRIEZVISKA_VELKYMI ? typed.toUpper() : typed; }

void SetupComboLook(TIBComboBox& combo) {
  combo.setFont(TRegisterLayout::EntryFont());
  combo.SetDatabase(MainDatabase());
  combo.SetSAutoAppend(true);
  combo.SetDropDownCount(30);
  combo.SetSTimerUse(true);
  combo.SetSTimerInterval(500);
}

void SetupTextCombo(TIBComboBox& combo, const QString& table, const QString& column, int maxLength,
                    int notFoundMessage) {
  SetupComboLook(combo);
  combo.SetSTableName(table);
  combo.SetSAppendFromField(column);
  combo.SetSKeyField(column);
  // By position: the column is selected twice (shown and key), and its name
  // alone would be ambiguous to the server.
  combo.SetSOrderBy(QStringLiteral("1"));
  combo.SetSDistinct(true);
  if (maxLength > 0) combo.lineEdit()->setMaxLength(maxLength);
  combo.SetSNotFoundErrorText(notFoundMessage);
  // Without a message any new text is welcome: the list only suggests.
  combo.SetSetFocusIfNotFound(notFoundMessage != 0);
}

void SetupOptionCombo(TIBComboBox& combo, const QString& zaradenie, const QString& orderBy) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("ponuky"));
  combo.SetSAppendFromField(QStringLiteral("text"));
  combo.SetSKeyField(QStringLiteral("cislo"));
  combo.SetSWhere({QStringLiteral("zaradenie=:ZARADENIE"), {{QStringLiteral("ZARADENIE"), zaradenie}}});
  combo.SetSOrderBy(orderBy);
  combo.SetSNotFoundErrorText(1019);
}

TPickerRow::TPickerRow(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  Combo = new TIBComboBox(this);
  Button = new TSpeedButton(this);
  Button->setFocusPolicy(Qt::NoFocus);
  const auto pick = [this] {
    if (OnPick) OnPick();
  };
  connect(Button, &TSpeedButton::clicked, this, pick);
  connect(Combo, &TIBComboBox::OnCtrlEnter, this, pick);
  connect(Combo, &TIBComboBox::OnDblClick, this, pick);
  row->addWidget(Combo, 1);
  row->addWidget(Button);
  // No focus proxy: Tab would take the row as a stop of its own, where the
  // row was made, and jump back to the combo from further down the dialog.
}

namespace {
// The list form a combo's picker opens: the register its rows come from.
constexpr const char* kPickFromProperty = "pickFrom";

// The register's window title, as its list shows it for the dialog's year.
QString RegisterTitle(const QString& formName, const QWidget& dialog) {
  const TFormFactory factory = FormRegistry::Factory(formName);
  if (!factory) return QString();
  TFormArgs args;
  args.Rok = YearOfForm(&dialog);
  const std::unique_ptr<TForm> form(factory(nullptr, args));
  return form ? form->Caption() : QString();
}

QString LabelOf(const QWidget& dialog, const QWidget& control) {
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    if (label->buddy() == &control) return label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
  return control.objectName();
}
} // namespace

void TellEmptyRequiredLookups(QWidget& dialog) {
  for (TIBComboBox* combo : dialog.findChildren<TIBComboBox*>()) {
    // A list that only suggests takes any new text: empty, it blocks nothing.
    const bool choiceOnly = combo->SSearchIfFound() && combo->SetFocusIfNotFound();
    if (!combo->Required() || !choiceOnly || combo->ReadOnly() || !combo->CanFocus() || !combo->ListIsEmpty()) continue;
    const QString item = LabelOf(dialog, *combo);
    const QString title = RegisterTitle(combo->property(kPickFromProperty).toString(), dialog);
    MessageDlg(title.isEmpty() ? QStringLiteral("Položka „%1“ nemá z čoho vybrať: jej zoznam je prázdny.\r\n"
                                                "Záznam nebude možné uložiť, kým ho nevyplníte.")
                                     .arg(item)
                               : QStringLiteral("Položka „%1“ nemá z čoho vybrať: zoznam je prázdny.\r\n"
                                                "Najprv vyplňte register „%2“.")
                                     .arg(item, title),
               TMsgDlgType::Information, mbOK, mrOk);
  }
}

TSpeedButton* NewPickerButton(TIBComboBox& combo, QWidget* parent, const QString& formName) {
  auto* button = new TSpeedButton(parent);
  button->setFocusPolicy(Qt::NoFocus);
  const auto pick = [&combo, button, formName] { PickFromList(combo, formName, button); };
  combo.setProperty(kPickFromProperty, formName);
  QObject::connect(button, &TSpeedButton::clicked, button, pick);
  QObject::connect(&combo, &TIBComboBox::OnCtrlEnter, button, pick);
  QObject::connect(&combo, &TIBComboBox::OnDblClick, button, pick);
  return button;
}

TIBComboBox* AddPickerCombo(TRegisterLayout& controls, const QString& name, TSpeedButton*& button,
                            const QString& formName) {
  auto* row = controls.Add<TPickerRow>(QStringLiteral("row") + name.mid(3));
  row->Combo->setObjectName(name);
  for (QLabel* label : row->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    if (label->buddy() == row) label->setBuddy(row->Combo);
  row->OnPick = [row, formName] { PickFromList(*row->Combo, formName, row->Button); };
  row->Combo->setProperty(kPickFromProperty, formName);
  button = row->Button;
  return row->Combo;
}

TIBMemo* AddNoteMemo(TRegisterLayout& controls) {
  controls.Label(QStringLiteral(" Poznámka:\nCTRL+Enter = nový riadok"));
  auto* memo = controls.Add<TIBMemo>(QStringLiteral("eDBPoznamka"));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return memo;
}

void LetNoteTakeTheRoomLeft(TIBMemo& memo) {
  memo.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  memo.setMinimumHeight(3 * memo.fontMetrics().lineSpacing() + 2 * memo.frameWidth() + 4);
}

// A lookup over `table` showing nazov_uplny by its ASCII shadow, keyed by
// jedin, at most 75 characters, message 1019 for an unknown name.
void SetupNameLookup(TIBComboBox& combo, const QString& table) {
  SetupComboLook(combo);
  combo.SetSTableName(table);
  combo.SetSAppendFromField(QStringLiteral("nazov_uplny"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov_uplny"));
  combo.SetSUseBasicASCIIColumn(true);
  combo.lineEdit()->setMaxLength(75);
  combo.SetSNotFoundErrorText(1019);
}

void SetupRevirCombo(TIBComboBox& combo) { SetupNameLookup(combo, QStringLiteral("v_reviry_jux")); }

namespace {

// A lookup of `table` showing nazov, keyed by jedin, ordered by name.
void SetupNazovLookup(TIBComboBox& combo, const QString& table) {
  SetupComboLook(combo);
  combo.SetSTableName(table);
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov"));
  combo.SetSNotFoundErrorText(1019);
}

} // namespace

void SetupOrganisationCombo(TIBComboBox& combo) {
  SetupNazovLookup(combo, QStringLiteral("c_zo"));
  combo.lineEdit()->setMaxLength(25);
}

void SetupPriceItemCombo(TIBComboBox& combo) { SetupNazovLookup(combo, QStringLiteral("c_ceniny")); }

TSqlCondition YearCondition(int year) { return {QStringLiteral("rok=:ROK"), {{QStringLiteral("ROK"), year}}}; }

QLabel* AddFilterControl(QWidget& panel, const QString& caption, QWidget* control) {
  QLabel* label = nullptr;
  if (!caption.isEmpty()) {
    label = new QLabel(caption, &panel);
    label->setBuddy(control);
    panel.layout()->addWidget(label);
  }
  panel.layout()->addWidget(control);
  return label;
}

TIBComboBox* AddFilterCombo(QWidget& panel, const QString& caption, const QString& name, QLabel** label,
                            const QString& pickFrom) {
  auto* combo = new TIBComboBox(&panel);
  combo->setObjectName(name);
  QLabel* added = AddFilterControl(panel, caption, combo);
  if (label) *label = added;
  if (!pickFrom.isEmpty()) {
    TSpeedButton* button = NewPickerButton(*combo, &panel, pickFrom);
    button->setObjectName(QStringLiteral("btn") + name.mid(3));
    panel.layout()->addWidget(button);
  }
  return combo;
}

TIBCheckBox* AddFilterCheck(QWidget& panel, const QString& name, const QString& text) {
  auto* box = new TIBCheckBox(text, &panel);
  box->setObjectName(name);
  box->setLayoutDirection(Qt::RightToLeft);
  AddFilterControl(panel, QString(), box);
  return box;
}

void AddKeyFilter(TListQuery& q, const TIBComboBox& combo, const QString& condition, const QString& param) {
  const QVariant key = KeyParam(combo);
  if (key.isNull()) return;
  q.Where(condition);
  q.Params.insert(param, key);
}

void SetupMemberCombo(TIBComboBox& combo) { SetupNameLookup(combo, QStringLiteral("c_clenov")); }

void SetupMemberEntry(TIBComboBox& combo) {
  SetupMemberCombo(combo);
  combo.SetSWhere(QStringLiteral("priezvisko is not null"));
}

void ShowForMember(TListForm& form, TIBComboBox& memberCombo, int clen) {
  memberCombo.FindIt(clen);
  form.list.btnFilterClick(&form);
  form.ShowModal();
}

QVariant NumberBound(const TIBCurrencyEdit& edit) {
  const qint64 number = qint64(std::trunc(edit.Value()));
  return number == 0 ? QVariant() : QVariant(number);
}

void AddRangeFilter(TListQuery& q, const QString& column, const QString& param, QVariant from, QVariant to) {
  const QString fromName = param + QStringLiteral("_OD"), toName = param + QStringLiteral("_DO");
  if (from.isValid() && to.isValid()) {
    if (QVariant::compare(from, to) == QPartialOrdering::Greater) std::swap(from, to);
    q.Where(column + QStringLiteral(" between :") + fromName + QStringLiteral(" and :") + toName);
  } else if (from.isValid()) {
    q.Where(column + QStringLiteral(">=:") + fromName);
  } else if (to.isValid()) {
    q.Where(column + QStringLiteral("<=:") + toName);
  }
  if (from.isValid()) q.Params.insert(fromName, from);
  if (to.isValid()) q.Params.insert(toName, to);
}

void SetupPartnerCombo(TIBComboBox& combo) {
  SetupNameLookup(combo, QStringLiteral("c_partneri"));
  combo.SetSWhere(QStringLiteral("nazov is not null"));
}

void SetupPersonKeys(TIBComboBox& memberCombo) {
  const char* const columns[] = {"titul", "meno", "priezvisko", "ulica", "psc", "mesto", "datum_narodenia"};
  for (int i = 0; i < 7; ++i)
    memberCombo.SetSKeyField(i + 1, QString::fromLatin1(columns[i]));
}

bool FollowMember(const TIBComboBox& memberCombo, const TPersonEdits& person) {
  const bool member = !KeyParam(memberCombo).isNull();
  TIBEdit* const edits[] = {person.Titul, person.Meno, person.Priezvisko, person.Ulica, person.PSC, person.Mesto};
  if (member) {
    const QVariant values[] = {memberCombo.GetKeyValue2(), memberCombo.GetKeyValue3(), memberCombo.GetKeyValue4(),
                               memberCombo.GetKeyValue5(), memberCombo.GetKeyValue6(), memberCombo.GetKeyValue7()};
    for (int i = 0; i < 6; ++i)
      edits[i]->setText(values[i].toString());
    const QVariant born = memberCombo.GetKeyValue8();
    if (person.DatumNarodenia)
      person.DatumNarodenia->SetDate(born.isNull() ? QVariant() : QVariant(DateTime::FromDate(born.toDate())));
  }
  for (TIBEdit* edit : edits)
    edit->SetReadOnly(member);
  if (person.DatumNarodenia) person.DatumNarodenia->SetReadOnly(member);
  return member;
}

void BindPersonFields(TDialogPattern& dlg, const TPersonEdits& person) {
  dlg.Field(QStringLiteral("TITUL"), person.Titul);
  dlg.Field(QStringLiteral("MENO"), person.Meno).Required();
  dlg.Field(QStringLiteral("PRIEZVISKO"), person.Priezvisko).Required();
  dlg.Field(QStringLiteral("ULICA"), person.Ulica).Required();
  dlg.Field(QStringLiteral("PSC"), person.PSC);
  dlg.Field(QStringLiteral("MESTO"), person.Mesto).Required();
  if (person.DatumNarodenia) dlg.Field(QStringLiteral("DATUM_NARODENIA"), person.DatumNarodenia);
}

void ShowOneCounterparty(const TCounterpartyRow& member, const TCounterpartyRow& partner) {
  const auto show = [](const TCounterpartyRow& row, bool visible) {
    row.Label->setVisible(visible);
    row.Combo->setVisible(visible);
    row.Button->setVisible(visible);
  };
  const bool memberChosen = !KeyParam(*member.Combo).isNull();
  const bool partnerChosen = !KeyParam(*partner.Combo).isNull();
  show(partner, !memberChosen);
  show(member, !partnerChosen);
}
