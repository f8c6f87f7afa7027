#include "registers/permits/fCZdrojeUhrad.h"
#include "controls/IBCheckBox.h"
#include "registers/permits/fCZdrojeUhradPridaj.h"
#include "tests/registers/permits/PermitsTestSupport.h"

namespace {

class PaymentSourcesTest : public PermitListTest<TfrmCZdrojeUhrad> {
protected:
  static TfrmCZdrojeUhradPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCZdrojeUhradPridaj&>(f); }
  QStringList Stored() const {
    return Rows(QStringLiteral("select nazov,do_vykazu_rady from c_zdroje_uhrad order by jedin"));
  }
};

TEST_F(PaymentSourcesTest, ANewSourceIsTickedNamesMayRepeatAndTheListShowsTheFlagsText) {
  Open();
  QList<bool> tickedAtStart;
  // Two passes with the same name: the first as proposed, the second cleared.
  script.Then([&](TForm& f) {
    tickedAtStart.append(Dialog(f).eDBVykazRady->isChecked());
    Retype(Dialog(f).eDBNazov, QStringLiteral("Dotácia zväzu"));
    Press(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    tickedAtStart.append(Dialog(f).eDBVykazRady->isChecked());
    Retype(Dialog(f).eDBNazov, QStringLiteral("Dotácia zväzu"));
    Dialog(f).eDBVykazRady->setFocus();
    QTest::keyClick(Dialog(f).eDBVykazRady, Qt::Key_Space);
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(tickedAtStart, QList<bool>({true, true}));
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("Dotácia zväzu/1"), QStringLiteral("Dotácia zväzu/0")}));
  QStringList shown; // the two rows share their name, so their order is the server's
  for (const QVariant& text : Listed(QStringLiteral("DO_VYKAZU_RADY")))
    shown.append(text.toString());
  shown.sort();
  EXPECT_EQ(shown, QStringList({QStringLiteral("Nie"), QStringLiteral("Áno")}));
}

TEST_F(PaymentSourcesTest, EditLoadsTheFlagAndDeleteRemovesTheRow) {
  Exec(QStringLiteral("insert into c_zdroje_uhrad (jedin,nazov,do_vykazu_rady) values (1,'Vlastné',0)"));
  Open();
  bool loadedTicked = true;
  QString caption;
  script.Then([&](TForm& f) {
    caption = f.Caption();
    loadedTicked = Dialog(f).eDBVykazRady->isChecked();
    Retype(Dialog(f).eDBNazov, QStringLiteral("Vlastné zdroje"));
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(caption, QStringLiteral("Oprava zdroje úhrad"));
  EXPECT_FALSE(loadedTicked);
  EXPECT_EQ(Stored(), QStringList(QStringLiteral("Vlastné zdroje/0")));
  script.Then([](TForm& f) {
    Press(f, Qt::Key_Escape); // a cancelled add writes nothing
  });
  Key(Qt::Key_P);
  Answer({mrYes});
  Key(Qt::Key_F8);
  EXPECT_TRUE(Stored().isEmpty());
}

} // namespace
