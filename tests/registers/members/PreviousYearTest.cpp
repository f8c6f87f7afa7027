// A register opened for an earlier year than the working one lists, names,
// looks up and proposes that year's rows only.
#include "app/FormRegistry.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "registers/common/ListPattern.h"
#include "registers/members/fEPostaPridaj.h"
#include "tests/registers/members/GuardTestSupport.h"
#include <algorithm>

namespace {

constexpr quint16 kEarlierYear = 2025;

class PreviousYearTest : public GuardTest {
protected:
  void SetUp() override {
    GuardTest::SetUp();
    ASSERT_NE(ProgramSettings.Rok, kEarlierYear);
    for (const int rok : {int(kEarlierYear), int(ProgramSettings.Rok)}) {
      const QString year = QString::number(rok);
      types.append(AddType(rok, QStringLiteral("Kosenie ") + year));
      grounds.append(AddRevir(rok, QStringLiteral("Váh ") + year));
      const int member = AddMember(QStringLiteral("Novák ") + year, QStringLiteral("Ján"));
      Exec(QStringLiteral("insert into e_brigady (jedin,rok,c_clenov,hodiny,popis) "
                          "values (gen_id(e_brigady_id,1),:R,:C,2,'Práca')"),
           {{QStringLiteral("R"), rok}, {QStringLiteral("C"), member}});
      Exec(QStringLiteral("insert into e_posta (jedin,rok,druh,cislo,vec,nazov_uplny) "
                          "values (gen_id(e_posta_id,1),:R,1,:C,'Vec',:K)"),
           {{QStringLiteral("R"), rok},
            {QStringLiteral("C"), rok - 2000},
            {QStringLiteral("K"), QString(QStringLiteral("Kontakt ") + year)}});
      // Settled, so that it does not follow into later years.
      Exec(QStringLiteral("insert into e_priestupky (jedin,rok,datum,priestupok,vybaveny) "
                          "values (gen_id(e_priestupky_id,1),:R,:D,'Priestupok',1)"),
           {{QStringLiteral("R"), rok}, {QStringLiteral("D"), QDate(rok, 6, 1)}});
      AddInspection(rok);
    }
  }
  std::unique_ptr<TForm> Open(const QString& name) {
    TFormArgs args;
    args.Rok = kEarlierYear;
    std::unique_ptr<TForm> form(FormRegistry::Factory(name)(nullptr, args));
    ShowActive(*form);
    return form;
  }
  // Every year-bound lookup of the window offers the earlier year's row and
  // not the working year's.
  void ExpectLookupsOfTheEarlierYear(QWidget& window, const char* where) {
    const QMap<QString, QList<int>> keysByTable{{QStringLiteral("c_typy_brigad"), types},
                                                {QStringLiteral("v_reviry_jux"), grounds}};
    for (TIBComboBox* combo : window.findChildren<TIBComboBox*>()) {
      const QList<int> keys = keysByTable.value(combo->STableName().toLower());
      if (keys.isEmpty()) continue;
      const std::string name = where + std::string(" ") + combo->objectName().toStdString();
      combo->FindIt(keys[1]);
      EXPECT_TRUE(combo->GetKeyValue().isNull()) << name << " offers the working year's row";
      combo->FindIt(keys[0]);
      EXPECT_EQ(combo->GetKeyValue().toInt(), keys[0]) << name;
      combo->ClearValue();
    }
  }
  QList<int> types, grounds;
};

TEST_F(PreviousYearTest, EveryYearlyRegisterShowsLooksUpAndProposesItsOwnYear) {
  const struct {
    const char* form;
    const char* caption;
    const char* listed; // the keys of the rows the list must show
  } cases[] = {
      {"TfrmCTypyBrigad", "Číselník typov brigád - rok 2025",
       "select jedin from c_typy_brigad where rok=2025 order by jedin"},
      {"TfrmEBrigady", "Evidencia brigád - rok 2025", "select jedin from e_brigady where rok=2025 order by jedin"},
      {"TfrmEPosta", "Evidencia pošty - rok 2025", "select jedin from e_posta where rok=2025 order by jedin"},
      {"TfrmEPriestupky", "Evidencia disciplinárnych priestupkov - rok 2025",
       "select jedin from e_priestupky where rok=2025 order by jedin"},
      {"TfrmERS", "Evidencia kontrol rybárskej stráže - rok 2025",
       "select jedin from e_rs where rok=2025 order by jedin"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form);
    const std::unique_ptr<TForm> form = Open(QString::fromLatin1(c.form));
    TListPattern& list = *TListPattern::Of(form.get());
    EXPECT_EQ(form->Caption(), QString::fromUtf8(c.caption));
    QVariantList listed = Listed(list, QStringLiteral("JEDIN")), expected = Column(QString::fromLatin1(c.listed));
    std::sort(listed.begin(), listed.end(), [](const QVariant& a, const QVariant& b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(listed, expected);
    ExpectLookupsOfTheEarlierYear(*form, "list");
    script.Then([&](TForm& dialog) {
      ExpectLookupsOfTheEarlierYear(dialog, "dialog");
      if (auto* mail = qobject_cast<TfrmEPostaPridaj*>(&dialog))
        EXPECT_EQ(mail->eDBCislo->Value(), 26) << "the number follows the year's last received item";
      Press(dialog, Qt::Key_Escape);
    });
    Key(list, Qt::Key_F2);
  }
}

} // namespace
