#include "registers/members/MemberRecordsSupport.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "registers/common/ListForm.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

TIBMemo* NewNoteBox(QWidget* parent, const QString& caption) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(QStringLiteral("gbxPoznamka"));
  auto* layout = new QVBoxLayout(box);
  auto* memo = new TIBMemo(box);
  memo->setObjectName(QStringLiteral("eDBPoznamka"));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The note takes the room its column leaves, at least three lines; its own
  // wish would make a dialog taller than the screen.
  memo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  memo->setMinimumHeight(3 * memo->fontMetrics().lineSpacing() + 2 * memo->frameWidth() + 4);
  layout->addWidget(memo);
  return memo;
}

TIBCheckBox* AddFilterCheck(QWidget& panel, const QString& name, const QString& text) {
  auto* box = new TIBCheckBox(text, &panel);
  box->setObjectName(name);
  box->setLayoutDirection(Qt::RightToLeft);
  AddFilterControl(panel, QString(), box);
  return box;
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
    person.DatumNarodenia->SetDate(born.isNull() ? QVariant() : QVariant(DateTime::FromDate(born.toDate())));
  }
  for (TIBEdit* edit : edits)
    edit->SetReadOnly(member);
  person.DatumNarodenia->SetReadOnly(member);
  return member;
}

void SetupGroupCombo(TIBComboBox& combo) {
  combo.SetDatabase(MainDatabase());
  combo.SetSTableName(QStringLiteral("c_clenenie_clenov"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSOrderBy(QStringLiteral("nazov"));
  combo.SetSAutoAppend(true);
}
