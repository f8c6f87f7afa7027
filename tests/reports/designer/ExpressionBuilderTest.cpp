#include "core/DataSet.h"
#include "reports/designer/rpExprForm.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/designer/rpFieldsForm.h"
#include "reports/designer/rpFuncArgForm.h"
#include "reports/designer/rpFuncForm.h"
#include "reports/designer/rpVarForm.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "tests/reports/designer/DesignerEngineRun.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// The members' rows a print form hands its report.
class BuilderMemberRows : public TDataSet {
public:
  using TDataSet::TDataSet;

protected:
  void DoOpen(QList<TFieldDef>& out) override {
    out = {{F("MENO"), TFieldType::String}, {F("PRIEZVISKO"), TFieldType::String}};
  }
  void DoClose() override {}
  int DoRecordCount() const override { return 0; }
  QVariant DoValue(int, int) const override { return {}; }
};

// A running engine whose current report belongs to a print form with two
// data sets and has a dictionary with one category.
class ExpressionBuilder : public ::testing::Test {
protected:
  TDesignerEngineRun engine_;
  ExpressionBuilder() {
    for (const char* name : {"Clen", "Povolenka"}) {
      auto* rows = new BuilderMemberRows(&form);
      rows->setObjectName(QLatin1String(name));
    }
    rpAddGlobalComponent(&form);
    report->Dictionary.Variables.SetVariable(F(" Organizácia"), QString());
    report->Dictionary.Variables.SetVariable(F("Názov"), F("'MO'"));
    report->Dictionary.Variables.SetVariable(F("Sidlo"), F("'Zvolen'"));
    rpRun().CurrentReport = report;
    rpLastVariableCategory().clear();
    rpLastFieldsDataset().clear();
  }
  ~ExpressionBuilder() override {
    rpRun().CurrentReport = nullptr;
    rpRemoveGlobalComponent(&form);
    rpLastVariableCategory().clear();
    rpLastFieldsDataset().clear();
  }

  QObject form;
  TrpReport* report = new TrpReport(&form);
};

TEST(ExpressionBuilderRules, BracketIfNeeded) {
  const QList<std::pair<QString, QString>> cases{
      {F("PAGE"), F("PAGE")},     {F("Clen.MENO_2"), F("Clen.MENO_2")}, {F("PAGE#"), F("[PAGE#]")},
      {F("Názov"), F("[Názov]")}, {F("dve slová"), F("[dve slová]")},   {F("Clen.\"MENO\""), F("[Clen.\"MENO\"]")},
      {QString(), QString()}};
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(rpBracketIfNeeded(name), expected) << name.toStdString();
}

TEST(ExpressionBuilderRules, ExpressionToInsert) {
  const QList<std::pair<QString, QString>> cases{{F("[a]"), F("[a]")},
                                                 {F("[a]+[b]"), F("[[a]+[b]]")},
                                                 {F("x"), F("[x]")},
                                                 {F("COPY([a], 1)"), F("[COPY([a], 1)]")},
                                                 {QString(), QString()}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(rpExpressionToInsert(text), expected) << text.toStdString();
}

TEST(ExpressionBuilderRules, ComposedCallDropsEmptyLaterArguments) {
  const auto call = &TrpFuncArgForm::ComposeCall;
  EXPECT_EQ(call(F("COPY"), F("[a]"), F("1"), F("3")), F("COPY([a], 1, 3)"));
  EXPECT_EQ(call(F("COPY"), F("[a]"), QString(), F("3")), F("COPY([a], 3)"));
  EXPECT_EQ(call(F("COPY"), F("[a]"), QString(), QString()), F("COPY([a])"));
  EXPECT_EQ(call(F("DATE"), QString(), QString(), QString()), F("DATE()")) << "an empty first argument stays";
}

TEST_F(ExpressionBuilder, ArgumentsAreEnabledByCommas) {
  for (const auto& [pattern, enabled] : QList<std::pair<QString, int>>{{F("UPPER(<String>)"), 1},
                                                                       {F("POS(<Sub>, <String>)"), 2},
                                                                       {F("COPY(<String>, <From>, <Count>)"), 3},
                                                                       {F("F(<a>, <b>, <c>, <d>)"), 3}}) {
    TrpFuncArgForm form;
    form.FuncLabel->setText(pattern);
    form.FunctionText = F("F");
    WhenModal<TrpFuncArgForm>([&](TrpFuncArgForm* shown) {
      EXPECT_TRUE(shown->ArgEdit1->isEnabled());
      EXPECT_EQ(shown->ArgEdit2->isEnabled(), enabled >= 2) << pattern.toStdString();
      EXPECT_EQ(shown->ArgEdit3->isEnabled(), enabled >= 3) << pattern.toStdString();
      EXPECT_EQ(shown->Label3->isEnabled(), enabled >= 3) << pattern.toStdString();
      shown->ArgEdit1->setEditText(F("'x'"));
      QTest::keyClick(shown->ArgEdit1, Qt::Key_Escape);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.FunctionText, F("F('x')")) << "composed after Cancel too";
  }
}

TEST_F(ExpressionBuilder, VariableChooserMapsSystemVariablesAndRemembersTheCategory) {
  const auto choose = [](const QString& category, const QString& variable, Qt::Key key) {
    TrpVarForm form;
    WhenModal<TrpVarForm>([&](TrpVarForm* shown) {
      EXPECT_EQ(shown->CategoryLB->count(), 2);
      if (!category.isEmpty())
        shown->CategoryLB->setCurrentItem(shown->CategoryLB->findItems(category, Qt::MatchExactly).value(0));
      if (!variable.isEmpty())
        shown->VarLB->setCurrentItem(shown->VarLB->findItems(variable, Qt::MatchExactly).value(0));
      QTest::keyClick(shown->VarLB, key);
    });
    form.ShowModal();
    return std::pair(form.SelectedVariable, form.CategoryLB->currentItem()->text());
  };
  EXPECT_EQ(choose(QString(), QString(), Qt::Key_Return).second, F("Organizácia")) << "the first category at first";
  EXPECT_EQ(choose(F("Systémové premenné"), F("PageCount"), Qt::Key_Return).first, F("TOTALPAGES"));
  EXPECT_EQ(choose(QString(), F("Page#"), Qt::Key_Return).first, F("PAGE#")) << "the category shown last";
  EXPECT_EQ(choose(QString(), F("Time"), Qt::Key_Return).first, F("TIME"));
  choose(F("Organizácia"), QString(), Qt::Key_Escape);
  EXPECT_EQ(rpLastVariableCategory(), F("Organizácia")) << "remembered after Cancel too";
  EXPECT_EQ(choose(QString(), F("Sidlo"), Qt::Key_Return), std::pair(F("Sidlo"), F("Organizácia")));
  EXPECT_EQ(TrpVarForm::SystemVariableAt(0), F("PAGE#"));
  EXPECT_EQ(TrpVarForm::SystemVariableAt(7), F("TOTALPAGES"));
}

TEST_F(ExpressionBuilder, FieldChooserQuotesTheFieldAndRemembersTheDataSet) {
  const auto choose = [](const QString& dataSet, const QString& field, Qt::Key key) {
    TrpFieldsForm form;
    WhenModal<TrpFieldsForm>([&](TrpFieldsForm* shown) {
      EXPECT_EQ(shown->DatasetsLB->count(), 2);
      if (!dataSet.isEmpty())
        shown->DatasetsLB->setCurrentItem(shown->DatasetsLB->findItems(dataSet, Qt::MatchExactly).value(0));
      if (!field.isEmpty())
        shown->FieldsLB->setCurrentItem(shown->FieldsLB->findItems(field, Qt::MatchExactly).value(0));
      QTest::keyClick(shown->FieldsLB, key);
    });
    form.ShowModal();
    return form.SelectedField;
  };
  EXPECT_EQ(choose(F("Povolenka"), F("PRIEZVISKO"), Qt::Key_Escape), QString());
  EXPECT_EQ(rpLastFieldsDataset(), F("Povolenka"));
  EXPECT_EQ(choose(QString(), F("MENO"), Qt::Key_Return), F("Povolenka.\"MENO\"")) << "the data set shown last";

  WhenModal<TrpFieldsForm>([](TrpFieldsForm* shown) { QTest::keyClick(shown->FieldsLB, Qt::Key_Return); });
  EXPECT_EQ(rpInsertDBField(), F("[Povolenka.\"MENO\"]"));
}

// Chooses PageCount in the system category of the variable chooser.
void ChoosePageCount(TrpVarForm* vars) {
  vars->CategoryLB->setCurrentRow(vars->CategoryLB->count() - 1);
  vars->VarLB->setCurrentItem(vars->VarLB->findItems(F("PageCount"), Qt::MatchExactly).value(0));
  QTest::keyClick(vars->VarLB, Qt::Key_Return);
}

TEST_F(ExpressionBuilder, ExpressionDialogComposesFromOperatorsVariablesAndFunctions) {
  TrpExprForm form;
  WhenModal<TrpExprForm>([](TrpExprForm* shown) {
    WhenModal<TrpVarForm>(ChoosePageCount);
    shown->InsVarBtn->click();
    shown->OperatorButtons[0]->click(); // "+"
    WhenModal<TrpFuncForm>([](TrpFuncForm* functions) {
      functions->FuncLB->setCurrentItem(functions->FuncLB->findItems(F("COPY"), Qt::MatchExactly).value(0));
      EXPECT_TRUE(functions->FuncLabel->text().startsWith(F("COPY(")));
      QTest::keyClick(functions->FuncLB, Qt::Key_Return);
    });
    WhenModal<TrpFuncArgForm>([](TrpFuncArgForm* arguments) {
      arguments->ArgEdit1->setEditText(F("'abc'"));
      arguments->ArgEdit2->setEditText(F("2"));
      EXPECT_TRUE(arguments->grab().save(TestOutputPath(F("function-arguments.png"))));
      QTest::keyClick(arguments->ArgEdit1, Qt::Key_Return);
    });
    shown->InsFuncBtn->click();
    EXPECT_TRUE(shown->grab().save(TestOutputPath(F("expression-dialog.png"))));
    shown->OkBtn->click();
  });
  ASSERT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(form.ExprMemo->toPlainText(), F("TOTALPAGES+ COPY('abc', 2)")) << "plain names stay bare in the dialog";

  // The text editors' insert service brackets the bare name.
  WhenModal<TrpExprForm>([](TrpExprForm* shown) {
    WhenModal<TrpVarForm>(ChoosePageCount);
    shown->InsVarBtn->click();
    shown->OkBtn->click();
  });
  EXPECT_EQ(rpInsertExpression(), F("[TOTALPAGES]"));
  WhenModal<TrpExprForm>([](TrpExprForm* shown) {
    QTest::keyClicks(shown->ExprMemo, F("1 + 2"));
    QTest::keyClick(shown->ExprMemo, Qt::Key_Escape);
  });
  EXPECT_EQ(rpInsertExpression(), QString()) << "Esc in the memo cancels";
}

TEST_F(ExpressionBuilder, FunctionChooserSplitsTheDescription) {
  TrpFuncForm form;
  EXPECT_EQ(form.Tree1->topLevelItem(0)->text(0), F("Všetky funkcie"));
  EXPECT_GT(form.Tree1->topLevelItem(0)->childCount(), 0);
  EXPECT_GT(form.FuncLB->count(), 0) << "all functions at first";
  form.ShowFunction(F("COPY"));
  EXPECT_FALSE(form.FuncLabel->text().contains(QLatin1Char('/')));
  EXPECT_TRUE(form.FuncLabel->text().contains(QLatin1Char(',')));
  EXPECT_FALSE(form.DescrLabel->text().isEmpty());
}

} // namespace
#undef F
