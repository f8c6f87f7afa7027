#include "registers/members/fCTypyBrigad.h"
#include "controls/IBEdit.h"
#include "registers/members/fCTypyBrigadPridaj.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"

namespace {

class WorkDutyTypesTest : public MemberRecordsTest {
protected:
  std::function<void(TForm&)> Enter(const QString& name, int key) {
    return [this, name, key](TForm& f) {
      TIBEdit* edit = dynamic_cast<TfrmCTypyBrigadPridaj&>(f).eDBNazov;
      edit->setFocus();
      edit->clear();
      TypeText(edit, name);
      Submit(f, key);
    };
  }
  QVariantList Stored() const {
    return Column(QStringLiteral("select rok || ':' || nazov from c_typy_brigad order by jedin"));
  }
};

TEST_F(WorkDutyTypesTest, TheListShowsAndAddsTheTypesOfItsYearOnly) {
  const struct {
    quint16 rok; // the year the opener hands the list
    QString caption;
    QVariantList listed;
    QString added;
  } cases[] = {
      {2026,
       QStringLiteral("Číselník typov brigád - rok 2026"),
       {QStringLiteral("Kosenie")},
       QStringLiteral("2026:Kosenie")},
      {2025,
       QStringLiteral("Číselník typov brigád - rok 2025"),
       {QStringLiteral("Čistenie")},
       QStringLiteral("2025:Kosenie")},
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from c_typy_brigad"));
    AddType(2025, QStringLiteral("Čistenie"));
    AddType(2026, QStringLiteral("Kosenie"));
    TfrmCTypyBrigad form(nullptr, c.rok);
    ShowActive(form);
    EXPECT_EQ(form.Caption(), c.caption);
    EXPECT_EQ(Listed(form.list, QStringLiteral("NAZOV")), c.listed);
    // The same name again in one year is accepted.
    script.Then(Enter(QStringLiteral("Kosenie"), Qt::Key_F12));
    Key(form.list, Qt::Key_P);
    EXPECT_EQ(Stored().last().toString(), c.added);
    EXPECT_EQ(form.list.ib1->FieldByName(QStringLiteral("NAZOV")).AsString(), QStringLiteral("Kosenie"));
  }
}

TEST_F(WorkDutyTypesTest, ABlankNameIsRefusedAndARenameKeepsTheRecordsKey) {
  const int type = AddType(2026, QStringLiteral("Kosenie"));
  const int member = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  Exec(QStringLiteral("insert into e_brigady (jedin,rok,c_clenov,c_typy_brigad) values (1,2026,:C,:T)"),
       {{QStringLiteral("C"), member}, {QStringLiteral("T"), type}});
  TfrmCTypyBrigad form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  bool stayedOpen = false;
  script.Then([&](TForm& f) {
    TfrmCTypyBrigadPridaj& d = dynamic_cast<TfrmCTypyBrigadPridaj&>(f);
    EXPECT_EQ(d.eDBNazov->text(), QStringLiteral("Kosenie"));
    d.eDBNazov->clear();
    TypeText(d.eDBNazov, QStringLiteral("   "));
    Press(f, Qt::Key_F12);
    stayedOpen = f.isVisible();
    Enter(QStringLiteral("Kosenie trávy"), Qt::Key_F12)(f);
  });
  Key(form.list, Qt::Key_O);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1001")));
  EXPECT_EQ(Column(QStringLiteral("select t.nazov from e_brigady b join c_typy_brigad t on t.jedin=b.c_typy_brigad")),
            QVariantList({QStringLiteral("Kosenie trávy")}));
}

TEST_F(WorkDutyTypesTest, ATypeInUseCannotBeDeleted) {
  const int type = AddType(2026, QStringLiteral("Kosenie"));
  Exec(QStringLiteral("insert into e_brigady (jedin,rok,c_typy_brigad) values (1,2026,:T)"),
       {{QStringLiteral("T"), type}});
  TfrmCTypyBrigad form(nullptr, ProgramSettings.Rok);
  ShowActive(form);
  FreshMessages({mrYes, mrOk, mrOk, mrOk});
  try {
    form.list.btnVymazClick();
  } catch (const std::exception&) {
    // The foreign key has no message of its own: the error goes on to the program.
  }
  EXPECT_EQ(Stored(), QVariantList({QStringLiteral("2026:Kosenie")}));
}

} // namespace
