#include "reports/designer/rpDictVariables.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpVariables.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// The list as "name=value" entries, in order.
QStringList DictEntries(const TrpVariables& list) {
  QStringList entries;
  for (int i = 0; i < list.GetCount(); ++i)
    entries.append(list.GetName(i) + QLatin1Char('=') + rpValueToText(list.GetValue(i)));
  return entries;
}

// Two categories with a variable each, and a variable before them all.
TrpVariables TwoCategories() {
  TrpVariables list;
  list.SetVariable(F("Skrytá"), F("1"));
  list.SetVariable(F(" Nastavenia"), QString());
  list.SetVariable(F("Rok"), F("2026"));
  list.SetVariable(F(" Organizácia"), QString());
  list.SetVariable(F("Variable1"), F("'MO'"));
  return list;
}

TEST(DictVariables, ThePlaceholderGivesWayToCategory1) {
  TrpVariables list;
  TrpDictVariables names(list);
  EXPECT_FALSE(names.HasCategories());
  EXPECT_EQ(names.AddCategory(), F("Category1"));
  EXPECT_TRUE(names.HasCategories());
  EXPECT_EQ(DictEntries(list), QStringList{F(" Category1=")});
  // A variable alone does not make a category: the tree would still be empty.
  TrpVariables variablesOnly;
  variablesOnly.SetVariable(F("Rok"), F("2026"));
  EXPECT_FALSE(TrpDictVariables(variablesOnly).HasCategories());
}

TEST(DictVariables, NewNamesAreFreeAcrossCategoriesAndCase) {
  TrpVariables list = TwoCategories();
  TrpDictVariables names(list);
  // "Variable1" sits in the second category; a variable of the first is still number 2.
  EXPECT_EQ(names.AddVariable(F("nastavenia")), F("Variable2"));
  list.SetVariable(F("VARIABLE3"), QString());
  EXPECT_EQ(names.FreeName(F("Variable"), false), F("Variable4"));
  // A category and a variable of one name do not collide.
  list.SetVariable(F(" category1"), QString());
  EXPECT_EQ(names.FreeName(F("Category"), true), F("Category2"));
  EXPECT_EQ(names.FreeName(F("Variable"), true), F("Variable1"));
}

TEST(DictVariables, AfterAThousandTakenNamesTheNextFreeOneFollows) {
  TrpVariables list;
  list.SetVariable(F(" Category1"), QString());
  for (int n = 1; n <= 1001; ++n)
    list.SetVariable(F("Variable") + QString::number(n), QString());
  TrpDictVariables names(list);
  const QString added = names.AddVariable(F("Category1"));
  EXPECT_EQ(added, F("Variable1002"));
  int bearers = 0;
  for (int i = 0; i < list.GetCount(); ++i)
    bearers += list.GetName(i).compare(added, Qt::CaseInsensitive) == 0;
  EXPECT_EQ(bearers, 1);
}

TEST(DictVariables, ANewVariableGoesBeforeTheNextCategory) {
  TrpVariables list = TwoCategories();
  TrpDictVariables names(list);
  names.AddVariable(F("Nastavenia"));
  names.AddVariable(F("Organizácia"));
  EXPECT_EQ(DictEntries(list), (QStringList{F("Skrytá=1"), F(" Nastavenia="), F("Rok=2026"), F("Variable2="),
                                            F(" Organizácia="), F("Variable1='MO'"), F("Variable3=")}));
  EXPECT_EQ(names.Tree().at(0), (std::pair<QString, QStringList>{F("Nastavenia"), {F("Rok"), F("Variable2")}}));
  EXPECT_EQ(names.AddVariable(F("Chýba")), QString());
}

TEST(DictVariables, RenameRules) {
  struct TCase {
    QString OldName, NewName;
    bool Category, Accepted;
    QStringList After;
  };
  const QStringList before = DictEntries(TwoCategories());
  const QList<TCase> cases{
      {F("Rok"), F("Variable1"), false, false, before},
      {F("Rok"), F("variable1"), false, false, before},
      {F("Rok"), F("   "), false, false, before},
      {F("Nastavenia"), F("ORGANIZÁCIA"), true, false, before},
      {F("Rok"),
       F("ROK"),
       false,
       true,
       {F("Skrytá=1"), F(" Nastavenia="), F("ROK=2026"), F(" Organizácia="), F("Variable1='MO'")}},
      {F("Rok"),
       F(" Rok vydania "),
       false,
       true,
       {F("Skrytá=1"), F(" Nastavenia="), F("Rok vydania=2026"), F(" Organizácia="), F("Variable1='MO'")}},
      {F("Nastavenia"),
       F("Parametre"),
       true,
       true,
       {F("Skrytá=1"), F(" Parametre="), F("Rok=2026"), F(" Organizácia="), F("Variable1='MO'")}},
      // A variable named like a category is another entry and may be renamed to it.
      {F("Rok"),
       F("Nastavenia"),
       false,
       true,
       {F("Skrytá=1"), F(" Nastavenia="), F("Nastavenia=2026"), F(" Organizácia="), F("Variable1='MO'")}},
  };
  for (const TCase& c : cases) {
    TrpVariables list = TwoCategories();
    EXPECT_EQ(TrpDictVariables(list).Rename(c.OldName, c.NewName, c.Category), c.Accepted) << c.NewName.toStdString();
    EXPECT_EQ(DictEntries(list), c.After) << c.NewName.toStdString();
  }
}

TEST(DictVariables, ACategoryGoesWithItsVariables) {
  TrpVariables list = TwoCategories();
  TrpDictVariables names(list);
  names.DeleteCategory(F("Nastavenia"));
  EXPECT_EQ(DictEntries(list), (QStringList{F("Skrytá=1"), F(" Organizácia="), F("Variable1='MO'")}));
  names.DeleteVariable(F("variable1"));
  names.DeleteVariable(F("Organizácia")); // names no variable: nothing goes
  EXPECT_EQ(DictEntries(list), (QStringList{F("Skrytá=1"), F(" Organizácia=")}));
  names.DeleteCategory(F("Organizácia"));
  EXPECT_FALSE(names.HasCategories());
}

TEST(DictVariables, TheListEditorsLines) {
  TrpVariables list = TwoCategories();
  TrpDictVariables names(list);
  EXPECT_EQ(names.EditLines(),
            (QStringList{F(" Skrytá"), F("Nastavenia"), F(" Rok"), F("Organizácia"), F(" Variable1")}));
  const QString longName = QString(300, QLatin1Char('x'));
  names.ApplyEditLines({F("Organizácia"), F(" variable1"), F(""), F("   "), F("Nová"), F(" Rok"), F("  Dve medzery"),
                        F(" ") + longName, F(" ROK"), F("Nastavenia ")});
  EXPECT_EQ(DictEntries(list),
            (QStringList{F(" Organizácia="), F("variable1='MO'"), F(" Nová="), F("Rok=2026"), F("Dve medzery="),
                         QString(255, QLatin1Char('x')) + QLatin1Char('='), F(" Nastavenia=")}));
}

TEST(DictVariables, NodeTextsAndFieldValues) {
  EXPECT_EQ(rpDictNodeText(F("Clen"), QString()), F("Clen"));
  EXPECT_EQ(rpDictNodeText(F("Clen"), F("Členovia")), F("Clen {Členovia}"));
  EXPECT_EQ(rpDictNodeName(F("Clen {Členovia}")), F("Clen"));
  EXPECT_EQ(rpDictNodeName(F(" MENO ")), F("MENO"));
  EXPECT_EQ(rpDictNodeAlias(F("Clen {Členovia}")), F("Členovia"));
  EXPECT_EQ(rpDictNodeAlias(F("MENO")), F("MENO"));

  struct TCase {
    QString Value;
    bool Split;
    QString DataSet, Field;
  };
  const QList<TCase> cases{{F("Clen.\"MENO\""), true, F("Clen"), F("MENO")},
                           {F("fClenZoznam.Clen.\"MENO\""), true, F("fClenZoznam.Clen"), F("MENO")},
                           {F("Clen.MENO"), true, F("Clen"), F("MENO")},
                           {F("Clen.\""), true, F("Clen"), QString()},
                           {F("[Rok]+1"), false, {}, {}}};
  for (const TCase& c : cases) {
    QString dataSet, field;
    EXPECT_EQ(rpDictSplitFieldValue(c.Value, dataSet, field), c.Split) << c.Value.toStdString();
    EXPECT_EQ(dataSet, c.DataSet) << c.Value.toStdString();
    EXPECT_EQ(field, c.Field) << c.Value.toStdString();
  }
}

} // namespace
