#include "ReportFixture.h"
#include "core/DataSet.h"
#include "reports/engine/rpDataDictionary.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QTemporaryDir>

namespace {

QString Text(const QVariant& v) { return rpValueToText(v); }

class DictionaryTest : public ReportFixture {
protected:
  DictionaryTest() {
    dictionary.Variables.SetVariable(QStringLiteral(" Nastavenia"), QString());
    dictionary.Variables.SetVariable(QStringLiteral("Rok"), QStringLiteral("'2026'"));
    dictionary.Variables.SetVariable(QStringLiteral(" Organizacia"), QString());
    dictionary.Variables.SetVariable(QStringLiteral("Nazov"), QStringLiteral("'MO Zvolen'"));
    dictionary.Variables.SetVariable(QStringLiteral("Suma"), QStringLiteral("2 * 3"));
    dictionary.FieldAliases.SetVariable(QStringLiteral("ib1"), QStringLiteral("MASTER"));
    dictionary.FieldAliases.SetVariable(QStringLiteral("ib1.MENO"), QStringLiteral("Meno"));
    dictionary.FieldAliases.SetVariable(QStringLiteral("ib1.HESLO"), QString());
    dictionary.BandSourceAliases.SetVariable(QStringLiteral("rpDataset1"), QStringLiteral("Členovia"));
  }

  static QStringList Entries(const TrpVariables& list) {
    QStringList entries;
    for (int i = 0; i < list.GetCount(); ++i)
      entries.append(list.GetName(i) + QLatin1Char('=') + Text(list.GetValue(i)));
    return entries;
  }

  TrpDataDictionary dictionary;
};

TEST_F(DictionaryTest, FileRoundTripWhateverTheFirstByte) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("slovnik.rpd"));
  dictionary.SaveToFile(path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  file.close();
  EXPECT_EQ(quint8(bytes[0]), 25);
  EXPECT_EQ(bytes.mid(1, 2), QByteArray("\xFE\xFF", 2)) << "the block's marker -2";
  for (char first : {char(0), char(0xFF)}) {
    QByteArray changed = bytes;
    changed[0] = first;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(changed);
    file.close();
    TrpDataDictionary read;
    read.LoadFromFile(path);
    EXPECT_EQ(Entries(read.Variables), Entries(dictionary.Variables));
    EXPECT_EQ(Entries(read.FieldAliases), Entries(dictionary.FieldAliases));
    EXPECT_EQ(Entries(read.BandSourceAliases), Entries(dictionary.BandSourceAliases));
  }
  EXPECT_THROW(TrpDataDictionary().LoadFromFile(dir.filePath(QStringLiteral("none.rpd"))), Exception);
}

TEST_F(DictionaryTest, CategoriesAndVariables) {
  EXPECT_EQ(dictionary.ListCategories(), (QStringList{QStringLiteral("Nastavenia"), QStringLiteral("Organizacia")}));
  EXPECT_EQ(dictionary.ListVariablesOfCategory(QStringLiteral("ORGANIZACIA")),
            (QStringList{QStringLiteral("Nazov"), QStringLiteral("Suma")}));
  EXPECT_TRUE(dictionary.ListVariablesOfCategory(QStringLiteral("Iné")).isEmpty());
}

TEST_F(DictionaryTest, ValuesOfVariables) {
  EXPECT_EQ(Text(dictionary.GetValue(rpRun(), QStringLiteral("Rok"))), QStringLiteral("2026"));
  EXPECT_EQ(Text(dictionary.GetValue(rpRun(), QStringLiteral("Suma"))), QStringLiteral("6"));
  EXPECT_TRUE(rpIsNull(dictionary.GetValue(rpRun(), QStringLiteral("Neznáma"))));
  rpVariables().SetVariable(QStringLiteral("Rok"), QStringLiteral("1999"));
  EXPECT_EQ(Text(dictionary.GetValue(rpRun(), QStringLiteral("Rok"))), QStringLiteral("1999"))
      << "the run's variable wins";
}

struct AliasCase {
  const char* function;
  const char* argument;
  const char* expected;
};

class DictionaryAliases : public DictionaryTest, public ::testing::WithParamInterface<AliasCase> {};

TEST_P(DictionaryAliases, Resolve) {
  const QString f = QLatin1String(GetParam().function), a = QString::fromUtf8(GetParam().argument);
  const QString result = f == QLatin1String("DataSetOfAlias")      ? dictionary.DataSetOfAlias(a)
                         : f == QLatin1String("DataSourceOfAlias") ? dictionary.DataSourceOfAlias(a)
                         : f == QLatin1String("FieldOfAlias")      ? dictionary.FieldOfAlias(a)
                                                                   : dictionary.AliasOf(a);
  EXPECT_EQ(result, QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Dictionary, DictionaryAliases,
                         ::testing::Values(AliasCase{"DataSetOfAlias", "master", "ib1"},
                                           AliasCase{"DataSetOfAlias", "DETAIL", "DETAIL"},
                                           AliasCase{"FieldOfAlias", "Meno", "MENO"},
                                           AliasCase{"DataSourceOfAlias", "členovia", "rpDataset1"},
                                           AliasCase{"AliasOf", "ib1.MENO", "Meno"},
                                           AliasCase{"AliasOf", "rpDataset1", "Členovia"},
                                           AliasCase{"AliasOf", "ib1.HESLO", "ib1.HESLO"}));

struct AllowedCase {
  const char* name;
  bool allowed;
};

class DisabledDataSets : public DictionaryTest, public ::testing::WithParamInterface<AllowedCase> {};

TEST_P(DisabledDataSets, HideByNameOrPrefix) {
  dictionary.DisabledDataSets = {QStringLiteral("IB*"), QStringLiteral("qryHeslo")};
  EXPECT_EQ(dictionary.IsDataSetAllowed(QLatin1String(GetParam().name)), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(Dictionary, DisabledDataSets,
                         ::testing::Values(AllowedCase{"IBT1", false}, AllowedCase{"IB", false},
                                           AllowedCase{"ibt1", true}, AllowedCase{"QRYHESLO", false},
                                           AllowedCase{"qryHeslo2", true}, AllowedCase{"MASTER", true}));

// Writes a block by hand with the given marker and lists.
QByteArray Block(qint16 marker, const QList<QStringList>& lists) {
  TBinaryWriter w;
  w.WriteInt16(marker);
  for (const QStringList& list : lists) {
    w.WriteInt32(qint32(list.size() / 2));
    for (const QString& s : list)
      rpWriteString(w, s);
  }
  return w.TakeData();
}

TEST_F(DictionaryTest, OldBlocksAreConverted) {
  // Marker -1: categories without their blank, empty aliases dropped unless they hide a field.
  const QByteArray old =
      Block(-1, {{QStringLiteral("Nastavenia"), QString(), QStringLiteral(" Rok"), QStringLiteral("'1'")},
                 {QStringLiteral("ib1"), QString(), QStringLiteral("ib1.HESLO"), QString()},
                 {QStringLiteral("rpDataset1"), QString(), QStringLiteral("rpDataset2"), QStringLiteral("X")}});
  TBinaryReader reader(old);
  dictionary.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(Entries(dictionary.Variables), (QStringList{QStringLiteral(" Nastavenia="), QStringLiteral("Rok='1'")}));
  EXPECT_EQ(Entries(dictionary.FieldAliases), QStringList{QStringLiteral("ib1.HESLO=")});
  EXPECT_EQ(Entries(dictionary.BandSourceAliases), QStringList{QStringLiteral("rpDataset2=X")});
}

TEST_F(DictionaryTest, OldestLayout) {
  TBinaryWriter w;
  struct Typed {
    int kind, number;
    const char *first, *second, *third;
  };
  const Typed entries[] = {{2, 1, "", "'x'", "Konst"},
                           {2, 2, "", "", "Datum"},
                           {1, 0, "ib1", "MENO", "Meno"},
                           {2, 40, "", "", "Mimo"},
                           {0, 0, "a", "b", "Iny"}};
  w.WriteInt32(5);
  for (const Typed& e : entries) {
    w.WriteByte(quint8(e.kind));
    w.WriteInt32(e.number);
    for (const char* text : {e.first, e.second, e.third}) {
      w.WriteByte(quint8(strlen(text)));
      w.WriteBytes(QByteArray(text));
    }
  }
  rpWriteMemo(w, {QStringLiteral("Hodnoty"), QStringLiteral(" Konst"), QStringLiteral(" Datum"),
                  QStringLiteral(" Meno"), QStringLiteral(" Mimo"), QStringLiteral(" Iny")});
  TBinaryReader reader(w.Data());
  dictionary.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(Entries(dictionary.Variables),
            (QStringList{QStringLiteral(" Hodnoty="), QStringLiteral("Konst='x'"), QStringLiteral("Datum=DATE"),
                         QStringLiteral("Meno=ib1.\"MENO\""), QStringLiteral("Mimo="), QStringLiteral("Iny=")}));
  EXPECT_EQ(dictionary.FieldAliases.GetCount(), 0);
}

// One member row: MENO, HESLO, ROK.
class MemberRows : public TDataSet {
public:
  using TDataSet::TDataSet;

protected:
  void DoOpen(QList<TFieldDef>& out) override {
    out = {{QStringLiteral("MENO"), TFieldType::String},
           {QStringLiteral("HESLO"), TFieldType::String},
           {QStringLiteral("ROK"), TFieldType::Integer}};
  }
  void DoClose() override {}
  int DoRecordCount() const override { return 1; }
  QVariant DoValue(int, int field) const override {
    return QVariantList{QStringLiteral("Ján Kováč"), QStringLiteral("x"), 2026}.at(field);
  }
};

// A print form with two program data sets and a report data set, and its report.
class DictionaryOfForm : public ReportFixture {
protected:
  DictionaryOfForm() {
    form.setObjectName(QStringLiteral("frmTlac"));
    // Registers open their queries before they print.
    for (const char* name : {"ib1", "ib2"}) {
      auto* rows = new MemberRows(&form);
      rows->setObjectName(QLatin1String(name));
      rows->Open();
    }
    (new TrpDataset(&form))->setObjectName(QStringLiteral("rpDataset1"));
    rpAddGlobalComponent(&form);
    rpRun().CurrentReport = report;
  }
  ~DictionaryOfForm() override { rpRemoveGlobalComponent(&form); }

  QObject form;
  TrpReport* report = new TrpReport(&form);
  TrpDataDictionary& d = report->Dictionary;
};

TEST_F(DictionaryOfForm, ListsTheOwnersDataSetsAndFields) {
  EXPECT_EQ(d.ListDataSets(), (QStringList{QStringLiteral("ib1"), QStringLiteral("ib2")}));
  d.DisabledDataSets = {QStringLiteral("ib2")};
  EXPECT_EQ(d.ListDataSets(), QStringList{QStringLiteral("ib1")});
  d.FieldAliases.SetVariable(QStringLiteral("ib1"), QStringLiteral("MASTER"));
  d.FieldAliases.SetVariable(QStringLiteral("ib1.MENO"), QStringLiteral("Meno"));
  d.FieldAliases.SetVariable(QStringLiteral("ib1.HESLO"), QString());
  d.DisabledDataSets.clear();
  EXPECT_EQ(d.ListDataSets(), QStringList{QStringLiteral("MASTER")}) << "only aliased data sets";
  EXPECT_EQ(d.ListFields(QStringLiteral("MASTER")), (QStringList{QStringLiteral("Meno"), QStringLiteral("ROK")}));
  EXPECT_EQ(d.ListFields(QStringLiteral("ib2")),
            (QStringList{QStringLiteral("MENO"), QStringLiteral("HESLO"), QStringLiteral("ROK")}));
  EXPECT_TRUE(d.ListFields(QStringLiteral("nic")).isEmpty());

  EXPECT_EQ(d.ListBandDataSources(), QStringList{QStringLiteral("rpDataset1")});
  d.BandSourceAliases.SetVariable(QStringLiteral("rpDataset1"), QStringLiteral("Členovia"));
  EXPECT_EQ(d.ListBandDataSources(), QStringList{QStringLiteral("Členovia")});
}

struct ResolveCase {
  const char* name;
  bool resolved;
  const char* value; // of GetValue after resolving; null pointer: Null
};

class DictionaryResolve : public DictionaryOfForm, public ::testing::WithParamInterface<ResolveCase> {};

TEST_P(DictionaryResolve, NamesThroughAliases) {
  d.FieldAliases.SetVariable(QStringLiteral("ib1"), QStringLiteral("MASTER"));
  d.FieldAliases.SetVariable(QStringLiteral("ib1.MENO"), QStringLiteral("Meno"));
  d.FieldAliases.SetVariable(QStringLiteral(" Rok"), QStringLiteral("ib1.\"ROK\""));
  d.FieldAliases.SetVariable(QStringLiteral(" Prazdny"), QString());
  const QString name = QString::fromUtf8(GetParam().name);
  EXPECT_EQ(d.ResolveName(rpRun(), name), GetParam().resolved);
  const QVariant value = d.GetValue(rpRun(), name);
  if (GetParam().value)
    EXPECT_EQ(rpValueToText(value), QString::fromUtf8(GetParam().value));
  else
    EXPECT_TRUE(rpIsNull(value));
}

INSTANTIATE_TEST_SUITE_P(Dictionary, DictionaryResolve,
                         ::testing::Values(ResolveCase{"MASTER.\"Meno\"", true, "Ján Kováč"},
                                           ResolveCase{"MASTER.ROK", true, "2026"}, ResolveCase{"ib2.HESLO", true, "x"},
                                           ResolveCase{" Rok", true, "2026"}, ResolveCase{" Prazdny", true, nullptr},
                                           ResolveCase{"MASTER.NIC", false, nullptr},
                                           ResolveCase{"Nic.MENO", false, nullptr}));

} // namespace
