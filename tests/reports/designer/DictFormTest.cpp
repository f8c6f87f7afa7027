#include "DesignerFixture.h"
#include "core/DataSet.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDictForm.h"
#include "reports/designer/rpVaredForm.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>

namespace {

#define DCT(text) QStringLiteral(text)

// A data set of the print form with named fields and no rows.
class DictRows : public TDataSet {
public:
  DictRows(QObject* owner, const QString& name, QStringList fields) : TDataSet(owner), fields_(std::move(fields)) {
    setObjectName(name);
  }

protected:
  void DoOpen(QList<TFieldDef>& out) override {
    for (const QString& field : fields_)
      out.append({field, TFieldType::String});
  }
  void DoClose() override {}
  int DoRecordCount() const override { return 0; }
  QVariant DoValue(int, int) const override { return {}; }

private:
  QStringList fields_;
};

// The entries of a list as "name=value", in order.
QStringList DictListEntries(const TrpVariables& list) {
  QStringList entries;
  for (int i = 0; i < list.GetCount(); ++i)
    entries.append(list.GetName(i) + QLatin1Char('=') + rpValueToText(list.GetValue(i)));
  return entries;
}

QStringList DictNodeTexts(const QTreeWidgetItem* parent) {
  QStringList texts;
  for (int i = 0; i < parent->childCount(); ++i)
    texts.append(parent->child(i)->text(0));
  return texts;
}

QStringList DictTopTexts(const QTreeWidget* tree) { return DictNodeTexts(tree->invisibleRootItem()); }

QStringList DictListTexts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts.append(list->item(i)->text());
  return texts;
}

void PressDictButton(TrpSpeedButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

QPushButton* DictButtonCaptioned(QWidget* form, const QString& caption) {
  for (QPushButton* button : form->findChildren<QPushButton*>())
    if (button->text() == caption) return button;
  return nullptr;
}

// Types the name into the node's in-place editor the form opened and commits it with Enter.
void TypeNodeName(QTreeWidget* tree, const QString& name) {
  // An editor closed before waits for its deletion hidden.
  QLineEdit* editor = nullptr;
  for (QLineEdit* open : tree->viewport()->findChildren<QLineEdit*>())
    if (open->isVisible()) editor = open;
  ASSERT_NE(editor, nullptr) << "the node is open for renaming";
  editor->setText(name); // typed keys would be ASCII only
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents(); // the view commits the edit after the key
}

// A print form's report: two data sets, two report data sources and a
// dictionary with the print's settings and a few values of each kind.
class DictEditor : public DesignerFixture {
protected:
  DictEditor() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    owner.setObjectName(DCT("fClenZoznam"));
    new DictRows(&owner, DCT("Clen"), {DCT("PRIEZVISKO"), DCT("MENO"), DCT("CLENSKE_CISLO")});
    new DictRows(&owner, DCT("Povolenka"), {DCT("CISLO")});
    new TrpUserDataset(&owner);
    owner.findChild<TrpUserDataset*>()->setObjectName(DCT("Zoznam"));
    (new TrpUserDataset(&owner))->setObjectName(DCT("Stitky"));
    rpAddGlobalComponent(&owner);
    rpRun().CurrentReport = report;
    TrpVariables& variables = report->Dictionary.Variables;
    for (const auto& [name, value] : QList<std::pair<QString, QString>>{{DCT(" Nastavenia"), DCT("''")},
                                                                        {DCT("Rok"), DCT("2026")},
                                                                        {DCT(" Organizácia"), {}},
                                                                        {DCT("Meno"), DCT("Clen.\"MENO\"")},
                                                                        {DCT("Datum"), DCT("date")},
                                                                        {DCT("Cudzi"), DCT("Iny.\"X\"")},
                                                                        {DCT("Prazdna"), {}}})
      variables.SetVariable(name, value);
  }
  ~DictEditor() override {
    rpRun().CurrentReport = nullptr;
    rpRemoveGlobalComponent(&owner);
    TRegistry::Root().DeleteKey(rpRegistryRoot());
  }

  std::unique_ptr<TrpDictForm> Open() {
    auto form = std::make_unique<TrpDictForm>(*report);
    form->show();
    // Focus moves (leaving the expression field stores it) need an active window.
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
  }
  // Ends the form as its buttons do.
  static void Finish(TrpDictForm& form, int result) {
    form.SetModalResult(result);
    form.close();
  }
  QTreeWidgetItem* VariableNode(TrpDictForm& form, const QString& text) {
    const QList<QTreeWidgetItem*> found = form.VarTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
  }
  void Select(TrpDictForm& form, const QString& text) {
    QTreeWidgetItem* node = VariableNode(form, text);
    ASSERT_NE(node, nullptr) << text.toStdString();
    form.VarTree->setCurrentItem(node);
  }
  QString Value(const QString& name) const { return rpValueToText(report->Dictionary.Variables.GetVariable(name)); }
};

TEST_F(DictEditor, TheDesignerCommandKeepsANewCategoryAndVariableAfterOkAndNothingAfterCancel) {
  TrpDesignerForm designer(*report, true);
  designer.show();
  QAction* command = designer.MenuItem(DCT("N42"));
  ASSERT_TRUE(command->isEnabled());
  WhenModal<TrpDictForm>([](TrpDictForm* form) {
    EXPECT_EQ(form->windowTitle(), DCT("Dátová základňa"));
    EXPECT_EQ(DictTopTexts(form->VarTree), (QStringList{DCT("Nastavenia"), DCT("Organizácia")}));
    EXPECT_EQ(DictNodeTexts(form->VarTree->topLevelItem(0)), QStringList{DCT("Rok")});
    PressDictButton(form->NewCategoryBtn);
    TypeNodeName(form->VarTree, DCT("Ryby"));
    PressDictButton(form->NewVariableBtn);
    TypeNodeName(form->VarTree, DCT("Druh"));
    DictButtonCaptioned(form, DCT("OK"))->click();
  });
  command->trigger();
  EXPECT_EQ(DictListEntries(report->Dictionary.Variables),
            (QStringList{DCT(" Nastavenia=''"), DCT("Rok=2026"), DCT(" Organizácia="), DCT("Meno=Clen.\"MENO\""),
                         DCT("Datum=date"), DCT("Cudzi=Iny.\"X\""), DCT("Prazdna="), DCT(" Ryby="), DCT("Druh=")}));
  EXPECT_TRUE(designer.GetModified());

  designer.SetModified(false);
  const QStringList before = DictListEntries(report->Dictionary.Variables);
  WhenModal<TrpDictForm>([](TrpDictForm* form) {
    EXPECT_EQ(DictTopTexts(form->VarTree), (QStringList{DCT("Nastavenia"), DCT("Organizácia"), DCT("Ryby")}));
    PressDictButton(form->NewCategoryBtn);
    TypeNodeName(form->VarTree, DCT("Zahodená"));
    form->VarTree->setCurrentItem(form->VarTree->topLevelItem(0));
    form->DeleteNode();
    form->Pages->setCurrentIndex(1);
    PressDictButton(form->AddAllDataSetsBtn);
    DictButtonCaptioned(form, DCT("Návrat"))->click();
  });
  command->trigger();
  EXPECT_EQ(DictListEntries(report->Dictionary.Variables), before);
  EXPECT_EQ(report->Dictionary.FieldAliases.GetCount(), 0);
  EXPECT_FALSE(designer.GetModified());
}

TEST_F(DictEditor, ASelectedVariableShowsItsValueByKind) {
  auto form = Open();
  EXPECT_EQ(DictListTexts(form->ValuesLB).first(), DCT("[Žiaden]"));
  struct TCase {
    QString Node, Source;
    int Row;
    bool Expression;
    QString ExpressionText;
  };
  const QList<TCase> cases{{DCT("Meno"), DCT("Clen"), 2, false, {}},
                           {DCT("Datum"), DCT("Systémové premenné"), 2, false, {}},
                           {DCT("Rok"), DCT("Systémové premenné"), 0, true, DCT("2026")},
                           // Its data set is not offered: the reference is an expression.
                           {DCT("Cudzi"), DCT("Systémové premenné"), 0, true, DCT("Iny.\"X\"")},
                           {DCT("Prazdna"), DCT("Systémové premenné"), 0, false, {}}};
  for (const TCase& c : cases) {
    Select(*form, c.Node);
    EXPECT_EQ(form->DataSourceCB->currentText(), c.Source) << c.Node.toStdString();
    EXPECT_EQ(form->ValuesLB->currentRow(), c.Row) << c.Node.toStdString();
    EXPECT_EQ(form->ExprCB->isChecked(), c.Expression) << c.Node.toStdString();
    EXPECT_EQ(form->ExprEdit->isEnabled(), c.Expression) << c.Node.toStdString();
    EXPECT_EQ(form->ExprEdit->currentText(), c.ExpressionText) << c.Node.toStdString();
  }
  EXPECT_EQ(DictListTexts(form->ValuesLB),
            (QStringList{DCT("[Žiaden]"), DCT("Page#"), DCT("Date"), DCT("Time"), DCT("Line#"), DCT("Line through#"),
                         DCT("Column#"), DCT("Current line#"), DCT("PageCount")}));
  // The print form writes its categories with the value '' (an empty text constant).
  Select(*form, DCT("Rok"));
  Select(*form, DCT("Nastavenia"));
  EXPECT_FALSE(form->ExprCB->isEnabled()) << "a category has no expression";
  EXPECT_FALSE(form->ExprCB->isChecked());
  EXPECT_EQ(form->ExprEdit->currentText(), QString());
}

TEST_F(DictEditor, ChoosingAValueStoresItInTheWorkingCopyOnly) {
  auto form = Open();
  Select(*form, DCT("Rok"));
  form->DataSourceCB->setCurrentText(DCT("Clen"));
  EXPECT_EQ(DictListTexts(form->ValuesLB),
            (QStringList{DCT("[Žiaden]"), DCT("PRIEZVISKO"), DCT("MENO"), DCT("CLENSKE_CISLO")}));
  form->ValuesLB->setCurrentRow(1);
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Rok"))), DCT("Clen.\"PRIEZVISKO\""));
  EXPECT_FALSE(form->ExprCB->isChecked());
  form->DataSourceCB->setCurrentIndex(form->DataSourceCB->count() - 1);
  form->ValuesLB->setCurrentRow(1);
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Rok"))), DCT("PAGE#"));
  form->ValuesLB->setCurrentRow(8);
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Rok"))), DCT("TOTALPAGES"));

  // An expression typed into the field is stored when another node is selected.
  form->ExprCB->setChecked(true);
  form->ExprEdit->setFocus();
  form->ExprEdit->setCurrentText(DCT("[Rok] + 1"));
  Select(*form, DCT("Cudzi"));
  EXPECT_EQ(form->ExprEdit->currentText(), DCT("Iny.\"X\""));
  Select(*form, DCT("Rok"));
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Rok"))), DCT("[Rok] + 1"))
      << "another node's value shown in the field meanwhile is not stored";
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Cudzi"))), DCT("Iny.\"X\""));
  // Clearing the check box empties the value.
  Select(*form, DCT("Cudzi"));
  form->ExprCB->setChecked(false);
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Cudzi"))), QString());
  EXPECT_EQ(Value(DCT("Rok")), DCT("2026")) << "the dictionary waits for OK";
  Finish(*form, mrOk);
  EXPECT_EQ(Value(DCT("Rok")), DCT("[Rok] + 1"));
  EXPECT_EQ(Value(DCT("Cudzi")), QString());
  EXPECT_EQ(Value(DCT("Meno")), DCT("Clen.\"MENO\""));
}

TEST_F(DictEditor, TheTreeNamesRenamesAndDeletes) {
  report->Dictionary.Variables.Clear();
  auto form = Open();
  EXPECT_EQ(DictTopTexts(form->VarTree), QStringList{DCT("[Žiaden]")});
  EXPECT_FALSE(form->ExprCB->isEnabled());
  form->NewVariable(); // nothing to put it in
  QTest::keyClick(form->VarTree, Qt::Key_Insert);
  TypeNodeName(form->VarTree, DCT("Category1")); // the proposed name kept
  EXPECT_EQ(DictTopTexts(form->VarTree), QStringList{DCT("Category1")});
  QTest::keyClick(form->VarTree, Qt::Key_Insert);
  TypeNodeName(form->VarTree, DCT("Variable1"));
  QTest::keyClick(form->VarTree, Qt::Key_Insert, Qt::ControlModifier);
  TypeNodeName(form->VarTree, DCT("Druhá"));
  form->VarTree->setCurrentItem(form->VarTree->topLevelItem(1));
  form->NewVariable();
  TypeNodeName(form->VarTree, DCT("Variable2"));
  form->VarTree->setCurrentItem(form->VarTree->topLevelItem(0));
  form->NewVariable();
  TypeNodeName(form->VarTree, DCT("Variable3"));
  EXPECT_EQ(DictListEntries(form->WorkingVariables()),
            (QStringList{DCT(" Category1="), DCT("Variable1="), DCT("Variable3="), DCT(" Druhá="), DCT("Variable2=")}));

  // Onto another name is refused, a change of case kept.
  QTreeWidgetItem* third = VariableNode(*form, DCT("Variable3"));
  third->setText(0, DCT("variable2"));
  EXPECT_EQ(third->text(0), DCT("Variable3"));
  third->setText(0, DCT("VARIABLE3"));
  EXPECT_EQ(third->text(0), DCT("VARIABLE3"));
  EXPECT_EQ(form->WorkingVariables().GetName(2), DCT("VARIABLE3"));

  // A category goes with its variables; the last one brings the placeholder back.
  form->VarTree->setCurrentItem(form->VarTree->topLevelItem(0));
  QTest::keyClick(form->VarTree, Qt::Key_Delete);
  EXPECT_EQ(DictListEntries(form->WorkingVariables()), (QStringList{DCT(" Druhá="), DCT("Variable2=")}));
  form->VarTree->setCurrentItem(form->VarTree->topLevelItem(0));
  PressDictButton(form->DeleteBtn);
  EXPECT_EQ(DictTopTexts(form->VarTree), QStringList{DCT("[Žiaden]")});
  EXPECT_EQ(form->WorkingVariables().GetCount(), 0);
  Finish(*form, mrCancel);
  EXPECT_EQ(report->Dictionary.Variables.GetCount(), 0);
}

TEST_F(DictEditor, TheListEditorRewritesTheWorkingList) {
  auto form = Open();
  WhenModal<TrpVaredForm>([](TrpVaredForm* editor) {
    EXPECT_EQ(editor->windowTitle(), DCT("Zoznam premenných"));
    EXPECT_EQ(editor->M1->toPlainText(), DCT("Nastavenia\n Rok\nOrganizácia\n Meno\n Datum\n Cudzi\n Prazdna"));
    editor->M1->setPlainText(DCT("Organizácia\n Meno\n\n Nová\nNastavenia\n Rok"));
    DictButtonCaptioned(editor, DCT("OK"))->click();
  });
  PressDictButton(form->EditListBtn);
  EXPECT_EQ(DictTopTexts(form->VarTree), (QStringList{DCT("Organizácia"), DCT("Nastavenia")}));
  EXPECT_EQ(DictNodeTexts(form->VarTree->topLevelItem(0)), (QStringList{DCT("Meno"), DCT("Nová")}));
  EXPECT_EQ(form->VarTree->currentItem(), form->VarTree->topLevelItem(0));
  EXPECT_EQ(rpValueToText(form->WorkingVariables().GetVariable(DCT("Meno"))), DCT("Clen.\"MENO\""));

  WhenModal<TrpVaredForm>([](TrpVaredForm* editor) {
    editor->M1->clear();
    DictButtonCaptioned(editor, DCT("Návrat"))->click();
  });
  PressDictButton(form->EditListBtn);
  EXPECT_EQ(form->WorkingVariables().GetCount(), 5);
}

TEST_F(DictEditor, DataSetsAndFieldsGetAliasesAndExclusions) {
  auto form = Open();
  EXPECT_EQ(DictTopTexts(form->FieldsTree), QStringList{DCT("Databázy a položky")});
  EXPECT_EQ(DictListTexts(form->DataSetsLB), (QStringList{DCT("Clen"), DCT("Povolenka")}));
  form->DataSetsLB->item(0)->setSelected(true);
  PressDictButton(form->AddDataSetBtn);
  EXPECT_EQ(DictListTexts(form->DataSetsLB), QStringList{DCT("Povolenka")});
  EXPECT_EQ(form->DataSetsLB->currentRow(), 0);
  QTreeWidgetItem* clen = form->FieldsTree->topLevelItem(0)->child(0);
  EXPECT_EQ(clen->text(0), DCT("Clen"));
  clen->setExpanded(true);
  EXPECT_EQ(DictNodeTexts(clen), (QStringList{DCT("CLENSKE_CISLO"), DCT("MENO"), DCT("PRIEZVISKO")}));

  // An alias is stored when the box is left; an emptied one gives the field its name back.
  form->FieldsTree->setCurrentItem(clen->child(1));
  EXPECT_EQ(form->FieldAliasEdit->text(), DCT("MENO"));
  form->FieldAliasEdit->setText(DCT("Meno člena"));
  form->FieldAliasEdit->setModified(true);
  form->FieldsTree->setCurrentItem(clen);
  EXPECT_EQ(clen->child(1)->text(0), DCT("MENO {Meno člena}"));
  form->FieldAliasEdit->setText(DCT("Členovia"));
  form->FieldAliasEdit->setModified(true);
  form->FieldsTree->setCurrentItem(clen->child(2));
  EXPECT_EQ(clen->text(0), DCT("Clen {Členovia}"));
  QTest::keyClick(form->FieldsTree, Qt::Key_Space);
  EXPECT_TRUE(form->ExcludeCB->isChecked());
  form->FieldsTree->setCurrentItem(clen->child(0));
  form->ExcludeCB->click();
  form->ExcludeCB->click();
  EXPECT_EQ(DictListEntries(form->WorkingFieldAliases()),
            (QStringList{DCT("Clen=Členovia"), DCT("Clen.MENO=Meno člena"), DCT("Clen.PRIEZVISKO=")}));
  Finish(*form, mrOk);
  EXPECT_EQ(DictListEntries(report->Dictionary.FieldAliases),
            (QStringList{DCT("Clen=Členovia"), DCT("Clen.MENO=Meno člena"), DCT("Clen.PRIEZVISKO=")}));
  EXPECT_EQ(report->Dictionary.ListDataSets(), QStringList{DCT("Členovia")});
  EXPECT_EQ(report->Dictionary.ListFields(DCT("Členovia")), (QStringList{DCT("Meno člena"), DCT("CLENSKE_CISLO")}));
}

TEST_F(DictEditor, ADataSetMovedBackLeavesOnlyTheEntriesOfFieldsNeverListed) {
  report->Dictionary.FieldAliases.SetVariable(DCT("Clen"), QString());
  report->Dictionary.FieldAliases.SetVariable(DCT("Clen.MENO"), DCT("Meno člena"));
  report->Dictionary.FieldAliases.SetVariable(DCT("Povolenka"), DCT("Povolenky"));
  report->Dictionary.FieldAliases.SetVariable(DCT("Povolenka.CISLO"), DCT("Číslo"));
  auto form = Open();
  QTreeWidgetItem* root = form->FieldsTree->topLevelItem(0);
  EXPECT_EQ(DictNodeTexts(root), (QStringList{DCT("Clen"), DCT("Povolenka {Povolenky}")}));
  form->FieldsTree->setCurrentItem(root->child(0));
  PressDictButton(form->RemoveDataSetBtn);
  root->child(0)->setExpanded(true);
  EXPECT_EQ(DictNodeTexts(root->child(0)), QStringList{DCT("CISLO {Číslo}")});
  form->FieldsTree->setCurrentItem(root->child(0));
  PressDictButton(form->RemoveDataSetBtn);
  EXPECT_EQ(DictListEntries(form->WorkingFieldAliases()), QStringList{DCT("Clen.MENO=Meno člena")});
  EXPECT_EQ(DictListTexts(form->DataSetsLB), (QStringList{DCT("Clen"), DCT("Povolenka")}));
  PressDictButton(form->AddAllDataSetsBtn);
  PressDictButton(form->RemoveAllDataSetsBtn);
  EXPECT_EQ(form->WorkingFieldAliases().GetCount(), 0);
  EXPECT_EQ(root->childCount(), 0);
  EXPECT_EQ(DictListTexts(form->DataSetsLB), (QStringList{DCT("Clen"), DCT("Povolenka")}));
}

TEST_F(DictEditor, DataSourcesMoveWithTheirAliases) {
  report->Dictionary.BandSourceAliases.SetVariable(DCT("Zmazany"), DCT("Starý"));
  auto form = Open();
  QTreeWidgetItem* root = form->SourcesTree->topLevelItem(0);
  EXPECT_EQ(root->text(0), DCT("Dátové zdroje"));
  EXPECT_EQ(DictListTexts(form->SourcesLB), (QStringList{DCT("Stitky"), DCT("Zoznam")}));
  form->SourcesLB->item(1)->setSelected(true);
  emit form->SourcesLB->itemDoubleClicked(form->SourcesLB->item(1));
  form->SourcesLB->setCurrentRow(0);
  form->SourcesLB->item(0)->setSelected(false);
  PressDictButton(form->AddSourceBtn); // nothing selected: nothing moves
  EXPECT_EQ(DictNodeTexts(root), QStringList{DCT("Zoznam")});
  form->SourcesTree->setCurrentItem(root->child(0));
  form->SourceAliasEdit->setText(DCT("Členovia"));
  form->SourceAliasEdit->setModified(true);
  QTest::keyClick(form->SourceAliasEdit, Qt::Key_Return);
  form->SourcesTree->setCurrentItem(root);
  EXPECT_EQ(DictNodeTexts(root), QStringList{DCT("Zoznam {Členovia}")});
  EXPECT_EQ(DictListEntries(form->WorkingSourceAliases()), (QStringList{DCT("Zmazany=Starý"), DCT("Zoznam=Členovia")}));
  PressDictButton(form->RemoveAllSourcesBtn);
  EXPECT_EQ(DictListTexts(form->SourcesLB), (QStringList{DCT("Stitky"), DCT("Zmazany"), DCT("Zoznam")}));
  EXPECT_EQ(form->WorkingSourceAliases().GetCount(), 0);
  Finish(*form, mrCancel);
  EXPECT_EQ(DictListEntries(report->Dictionary.BandSourceAliases), QStringList{DCT("Zmazany=Starý")});
}

} // namespace
