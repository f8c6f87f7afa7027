#include "DialogFixture.h"
#include "db/IBTable.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/objects/dialog/rpDBFieldsEditorForm.h"
#include "reports/objects/dialog/rpDBLookupFieldForm.h"
#include "reports/objects/dialog/rpDialogEditors.h"
#include "reports/objects/dialog/rpFBDatabase.h"
#include "reports/objects/dialog/rpFBFieldsLinkForm.h"
#include "reports/objects/dialog/rpFBParamsForm.h"
#include "reports/objects/dialog/rpFBQuery.h"
#include "reports/objects/dialog/rpFBTable.h"
#include "tests/support/ModalDriver.h"
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace {

#define S(text) QStringLiteral(text)

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i)
    items.append(list->item(i)->text());
  return items;
}

// Waters (detail, index MESTO_ID, ID) linked to towns (master ID, NAZOV).
class LinkEditorTest : public DialogFixture {
protected:
  LinkEditorTest() {
    auto* database = Add<TrpFBDatabase>(report, S("TrpFBDatabase"), S("Db"));
    database->WriteProperty(S("LOGINPROMPT"), false);
    database->WriteProperty(S("DATABASENAME"), fresh.Path());
    database->WriteProperty(S("CONNECTED"), true);
    towns = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Mesta"));
    towns->WriteProperty(S("DATABASE"), S("Db"));
    towns->WriteProperty(S("SQL"), S("SELECT ID, NAZOV FROM MESTA"));
    towns->WriteProperty(S("ACTIVE"), true);
    waters = Add<TrpFBTable>(report, S("TrpFBTable"), S("Vody"));
    waters->WriteProperty(S("DATABASE"), S("Db"));
    waters->WriteProperty(S("TABLENAME"), S("VODY"));
    waters->WriteProperty(S("INDEXNAME"), S("IX_VODY_MESTO"));
  }
  TIBTable& Detail() { return *waters->Table(); }

  TrpReport report;
  TrpFBQuery* towns = nullptr;
  TrpFBTable* waters = nullptr;
};

TEST_F(LinkEditorTest, RebuildAddAndTheFirstDetailEntryOnly) {
  TrpFBFieldsLinkForm form(*towns->WrappedDataSet(), Detail());
  EXPECT_EQ(form.windowTitle(), S("VODY -> Mesta"));
  EXPECT_EQ(Items(form.DetailList), (QStringList{S("MESTO_ID"), S("ID")}));
  EXPECT_EQ(Items(form.MasterList), (QStringList{S("ID"), S("NAZOV")}));
  EXPECT_FALSE(form.AddButton->isEnabled());
  form.DetailList->setCurrentRow(1); // the second entry cannot be chosen
  EXPECT_EQ(form.DetailList->currentRow(), 0);
  form.MasterList->setCurrentRow(0);
  EXPECT_TRUE(form.AddButton->isEnabled());
  form.AddButton->click();
  EXPECT_EQ(Items(form.JoinedList), QStringList{S("MESTO_ID -> ID")});
  EXPECT_EQ(Items(form.DetailList), QStringList{S("ID")});
  EXPECT_EQ(Items(form.MasterList), QStringList{S("NAZOV")});
  EXPECT_EQ(form.WorkingText(), S("ID"));
  EXPECT_FALSE(form.AddButton->isEnabled());
}

TEST_F(LinkEditorTest, MoreMasterFieldsThanTheIndexHasStayUnjoined) {
  Detail().SetMasterFields(S("ID;NAZOV;ID"));
  TrpFBFieldsLinkForm form(*towns->WrappedDataSet(), Detail());
  EXPECT_EQ(Items(form.JoinedList), (QStringList{S("MESTO_ID -> ID"), S("ID -> NAZOV")}));
  EXPECT_TRUE(Items(form.DetailList).isEmpty());
}

TEST_F(LinkEditorTest, ClearWithOkEmptiesTheMasterFieldsAndWithCancelKeepsThem) {
  for (const int result : {int(mrOk), int(mrCancel)}) {
    Detail().SetMasterFields(S("ID"));
    WhenModal<TrpFBFieldsLinkForm>([result](TrpFBFieldsLinkForm* form) {
      form->ClearButton->click();
      EXPECT_TRUE(Items(form->JoinedList).isEmpty());
      form->SetModalResult(result);
    });
    EXPECT_EQ(rpEditMasterFields(*towns->WrappedDataSet(), Detail()), result == mrOk);
    EXPECT_EQ(Detail().MasterFields(), result == mrOk ? QString() : S("ID")) << result;
  }
}

TEST_F(LinkEditorTest, LinkedTableFollowsItsMaster) {
  waters->WriteProperty(S("MASTERSOURCE"), S("Mesta"));
  waters->WriteProperty(S("MASTERFIELDS"), S("ID"));
  EXPECT_EQ(waters->ReadProperty(S("MASTERSOURCE")), S("Mesta"));
  waters->WriteProperty(S("ACTIVE"), true);
  EXPECT_EQ(waters->ReadProperty(S("RECORDCOUNT")).toInt(), 2);
  towns->CallMethod(rpRun(), S("NEXT"), {}, {}, {});
  EXPECT_EQ(waters->ReadProperty(S("RECORDCOUNT")).toInt(), 1);
}

TEST_F(LinkEditorTest, CancellingTheParameterEditorRestoresTypesAndExpressions) {
  towns->WriteProperty(S("SQL"), S("SELECT * FROM MESTA WHERE ID = :ID OR ID = :ID OR NAZOV = :MENO"));
  towns->WrappedDataSet()->Params()[0]->SetDataType(TIBFieldType::ftInteger);
  towns->SetExpressionParam(0, true);
  towns->SetParamExpression(0, S("1 + 1"));
  WhenModal<TrpFBParamsForm>([](TrpFBParamsForm* form) {
    EXPECT_EQ(Items(form->ParamList), (QStringList{S("ID"), S("MENO")})); // a repeated name once
    EXPECT_EQ(form->TypeList->currentText(), S("Integer"));
    EXPECT_TRUE(form->ValueChoice->isChecked());
    EXPECT_EQ(form->ExpressionEdit->currentText(), S("1 + 1"));
    form->TypeList->setCurrentIndex(8);
    emit form->TypeList->activated(8); // String
    form->MasterChoice->setChecked(true);
    form->ParamList->setCurrentRow(1);
    form->ValueChoice->setChecked(true);
    form->ExpressionEdit->setEditText(S("Edit1.Text"));
    form->SetModalResult(mrCancel);
  });
  towns->EditParams();
  EXPECT_EQ(towns->WrappedDataSet()->Params()[0]->DataType(), TIBFieldType::ftInteger);
  EXPECT_TRUE(towns->IsExpressionParam(0));
  EXPECT_EQ(towns->GetParamExpression(0), S("1 + 1"));
  EXPECT_FALSE(towns->IsExpressionParam(1));
  EXPECT_EQ(towns->ParamExpressions.GetCount(), 1);
}

TEST_F(LinkEditorTest, ParameterEditorAppliesOnOk) {
  towns->WriteProperty(S("SQL"), S("SELECT * FROM MESTA WHERE NAZOV = :MENO"));
  WhenModal<TrpFBParamsForm>([](TrpFBParamsForm* form) {
    EXPECT_EQ(form->TypeList->currentIndex(), -1); // no type of the eleven yet
    form->ValueChoice->setChecked(true);
    form->ExpressionEdit->setEditText(S("Edit1.Text"));
    form->SetModalResult(mrOk);
  });
  towns->EditParams();
  EXPECT_EQ(towns->GetParamExpression(0), S("Edit1.Text"));
}

} // namespace

namespace {

TEST_F(LinkEditorTest, AvailableFieldsOfferWhatIsNotYetPersistentAllSelected) {
  TIBQuery& query = *towns->WrappedDataSet();
  query.AddPersistentField({S("ID"), TIBFieldType::ftInteger});
  TrpDBFieldsListForm list(query);
  EXPECT_EQ(Items(list.FieldList), QStringList{S("NAZOV")});
  EXPECT_EQ(list.FieldList->selectedItems().size(), 1);
  list.AddSelected();
  ASSERT_EQ(query.PersistentFields().size(), 2);
  EXPECT_EQ(query.PersistentFields()[1].DataType, TIBFieldType::ftString);
  EXPECT_EQ(query.PersistentFields()[1].Size, 40);
  TrpDBFieldsListForm covered(query);
  EXPECT_EQ(covered.FieldList->count(), 0);
}

TEST_F(LinkEditorTest, NewLookupFieldNeedsAWholeSizeForTextOnly) {
  TScriptedMessageDialogs messages({mrOk});
  TIBQuery& detail = *waters->WrappedDataSet();
  TrpDBLookupFieldForm form(detail);
  EXPECT_EQ(form.TypeList->currentText(), S("String"));
  form.NameEdit->setText(S("MESTO"));
  form.KeyFieldBox->setEditText(S("MESTO_ID"));
  form.DataSetBox->setCurrentText(S("Mesta"));
  EXPECT_EQ(form.LookupKeyBox->count(), 2); // the towns' ID and NAZOV
  form.LookupKeyBox->setEditText(S("ID"));
  form.ResultBox->setEditText(S("NAZOV"));
  form.Confirm();
  ASSERT_EQ(messages.Requests().size(), 1);
  EXPECT_EQ(messages.Requests()[0].Text, S("Nevhodná veľkosť položky"));
  EXPECT_TRUE(detail.PersistentFields().isEmpty());
  form.SizeEdit->setText(S("40"));
  form.Confirm();
  ASSERT_EQ(detail.PersistentFields().size(), 1);
  const TIBPersistentField& field = detail.PersistentFields()[0];
  EXPECT_TRUE(field.Lookup);
  EXPECT_EQ(field.LookupDataSet, towns->WrappedDataSet());
  EXPECT_EQ(field.KeyFields, S("MESTO_ID"));
  EXPECT_EQ(field.LookupResultField, S("NAZOV"));
  EXPECT_EQ(form.ModalResult(), int(mrOk));

  TrpDBLookupFieldForm other(detail);
  other.TypeList->setCurrentIndex(2); // Integer: the size is not asked
  other.NameEdit->setText(S("CISLO"));
  other.Confirm();
  EXPECT_EQ(messages.Requests().size(), 1);
  EXPECT_EQ(detail.PersistentFields().size(), 2);
}

} // namespace
