#include "controls/DBQPLEdit.h"
#include "GridTestDataSet.h"
#include "KitTestSupport.h"
#include "util/UxMemDS.h"
#include <QtWidgets/QLineEdit>

namespace {

TEST(DataAwareEdit, ShowsTheCurrentRecordsField) {
  TRowsDataSet prices;
  prices.defs = {{QStringLiteral("NAZOV"), TFieldType::String, 20}, {QStringLiteral("DENNA"), TFieldType::Float, 0}};
  prices.rows = {{QStringLiteral("Hron"), 5.5}, {QStringLiteral("Váh"), QVariant()}};
  TDBQPLEdit edit;
  EXPECT_EQ(edit.Color(), clBtnFace);
  edit.SetDataField(QStringLiteral("DENNA"));
  edit.SetDataSet(&prices);
  EXPECT_EQ(edit.text(), QString()) << "a closed data set shows nothing";
  prices.Open();
  EXPECT_EQ(edit.text(), QStringLiteral("5,5"));
  prices.Next();
  EXPECT_EQ(edit.text(), QString());
  prices.First();
  EXPECT_EQ(edit.text(), QStringLiteral("5,5"));
  EXPECT_TRUE(edit.isReadOnly()) << "a data set that cannot be modified";
  // With a display format a number shows as the grid's columns show it; Null stays empty.
  edit.SetDisplayFormat(QStringLiteral("#,##0.00"));
  EXPECT_EQ(edit.text(), QStringLiteral("5,50"));
  prices.Next();
  EXPECT_EQ(edit.text(), QString());
}

class DataAwareEditDialog : public KitDialogTest {};

TEST_F(DataAwareEditDialog, EditedTextIsWrittenToAModifiableDataSet) {
  TUxMemoryData data;
  data.AddFieldDef({QStringLiteral("TEXT"), TUxFieldType::String, 20});
  data.Open();
  data.Append();
  data.FieldByName(QStringLiteral("TEXT")).SetValue(QStringLiteral("pôvodný"));
  data.Post();
  auto* edit = Add<TDBQPLEdit>(QStringLiteral("dbe"));
  auto* next = Add<QLineEdit>(QStringLiteral("next"));
  edit->SetDataSet(&data);
  edit->SetDataField(QStringLiteral("TEXT"));
  Show();
  next->setFocus(Qt::OtherFocusReason);
  Focus(edit);
  EXPECT_EQ(edit->Color(), clAqua);
  EXPECT_EQ(edit->selectedText(), QStringLiteral("pôvodný"));
  TypeText(edit, QStringLiteral("nový"));
  next->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(edit->Color(), clBtnFace);
  if (data.State() != TDataSetState::Browse) data.Post();
  EXPECT_EQ(data.FieldByName(QStringLiteral("TEXT")).AsString(), QStringLiteral("nový"));
}

} // namespace
