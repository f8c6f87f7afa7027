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
#include "registers/common/RegisterControls.h"
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
  LetNoteTakeTheRoomLeft(*memo);
  layout->addWidget(memo);
  return memo;
}

void SetupGroupCombo(TIBComboBox& combo) {
  combo.SetDatabase(MainDatabase());
  combo.SetSTableName(QStringLiteral("c_clenenie_clenov"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSOrderBy(QStringLiteral("nazov"));
  combo.SetSAutoAppend(true);
}
