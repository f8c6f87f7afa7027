#include "registers/permits/fCCeniny.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "registers/permits/fCCeninyPridaj.h"
#include "tests/registers/permits/PermitsTestSupport.h"
#include "tests/support/PinnedFont.h"
#include <QtGui/QFontMetrics>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>

namespace {

class PriceListTest : public PermitListTest<TfrmCCeniny> {
protected:
  static TfrmCCeninyPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCCeninyPridaj&>(f); }
  // Types an item and chooses its payment type, then presses `key`.
  static std::function<void(TForm&)> Enter(const QString& nazov, const QString& cena, const QString& odvod, int typ,
                                           int key) {
    return [=](TForm& f) {
      TfrmCCeninyPridaj& d = Dialog(f);
      Retype(d.eDBNazov, nazov);
      Retype(d.eDBCena, cena);
      Retype(d.eDBOdvodJUX, odvod);
      d.eDBTypPlatby->FindIt(typ);
      Press(f, key);
    };
  }
  QStringList Stored() const {
    return Rows(
        QStringLiteral("select rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby from c_ceniny order by jedin"));
  }
};

TEST_F(PriceListTest, TheBoxIsKeptBetweenAddPassesAFreeItemIsValidAndEditAndDeleteWork) {
  Exec(QStringLiteral(
      "insert into c_ceniny (jedin,rok,nazov,cena,typ_platby) values (gen_id(c_ceniny_id,1),2025,'Minuloročná',5,1)"));
  Open();
  EXPECT_TRUE(Listed(QStringLiteral("NAZOV")).isEmpty()) << "a new year's price list is empty";
  bool keptTicked = false, loadedTicked = false;
  script.Then([&](TForm& f) {
    Dialog(f).eDBDoplnkovyUdaj->setFocus();
    QTest::keyClick(Dialog(f).eDBDoplnkovyUdaj, Qt::Key_Space);
    Enter(QStringLiteral("Povolenka kaprová"), QStringLiteral("40,50"), QStringLiteral("12"), 1, Qt::Key_F11)(f);
  });
  script.Then([&](TForm& f) {
    keptTicked = Dialog(f).eDBDoplnkovyUdaj->isChecked();
    Dialog(f).eDBDoplnkovyUdaj->setFocus();
    QTest::keyClick(Dialog(f).eDBDoplnkovyUdaj, Qt::Key_Space);
    Enter(QStringLiteral("Tlačivo"), QStringLiteral("0"), QStringLiteral("-1,5"), 3, Qt::Key_F12)(f);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(keptTicked);
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("2025/Minuloročná/5//0/1"),
                                   QStringLiteral("2026/Povolenka kaprová/40.5/12/1/1"),
                                   QStringLiteral("2026/Tlačivo/0/-1.5/0/3")}));

  form->list.LocateKey(2);
  script.Then([&](TForm& f) {
    loadedTicked = Dialog(f).eDBDoplnkovyUdaj->isChecked();
    EXPECT_EQ(Dialog(f).eDBTypPlatby->GetKeyValue().toInt(), 1);
    Enter(QStringLiteral("Povolenka kaprová"), QStringLiteral("42"), QStringLiteral("12"), 2, Qt::Key_F12)(f);
  });
  Key(Qt::Key_F4);
  EXPECT_TRUE(loadedTicked);
  Answer({mrYes});
  form->list.LocateKey(3);
  Key(Qt::Key_F8);
  EXPECT_EQ(Stored(), QStringList({QStringLiteral("2025/Minuloročná/5//0/1"),
                                   QStringLiteral("2026/Povolenka kaprová/42/12/1/2")}));
}

TEST_F(PriceListTest, ANameAndAPaymentTypeAreRequired) {
  Open();
  const struct {
    QString nazov;
    int typ;
  } cases[] = {{QString(), 1}, {QStringLiteral("Známka"), -1}};
  for (const auto& c : cases) {
    Answer();
    bool stayedOpen = false;
    script.Then([&](TForm& f) {
      Enter(c.nazov, QStringLiteral("1"), QStringLiteral("0"), c.typ, Qt::Key_F12)(f);
      stayedOpen = f.isVisible();
      if (stayedOpen) Press(f, Qt::Key_Escape);
    });
    Key(Qt::Key_P);
    EXPECT_TRUE(stayedOpen) << c.nazov.toStdString();
    EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1001")))
        << Messages().join(QLatin1Char('|')).toStdString();
  }
  EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(PriceListTest, TheLongestNameIsShownWholeInAFormThatFitsTheScreen) {
  const struct AppFont {
    QFont kept = QApplication::font();
    ~AppFont() { QApplication::setFont(kept); }
  } appFont;
  QApplication::setFont(QFont(PinnedFontFamily(), 9));
  // The longest a price name may be: 50 letters, wide ones among them.
  const QString longest = QStringLiteral("HOSŤOVSKÁ POVOLENKA DENNÁ PRE DOSPELÝCH, KAPR.VODY");
  ASSERT_EQ(longest.size(), 50);
  for (const QString& nazov : {QStringLiteral("Známka"), longest})
    Exec(QStringLiteral("insert into c_ceniny (jedin,rok,nazov,cena,typ_platby) "
                        "values (gen_id(c_ceniny_id,1),:ROK,:NAZOV,5,1)"),
         {{QStringLiteral("ROK"), ProgramSettings.Rok}, {QStringLiteral("NAZOV"), nazov}});
  Open();
  TDbGridQPL& grid = *form->list.gr1;
  ASSERT_EQ(grid.Column(0)->FieldName, QStringLiteral("NAZOV"));
  QFont font = grid.Column(0)->Font;
  if (grid.ActiveColumnBold()) font.setBold(true);
  const QFontMetrics metrics(font);
  // The cell's text has 2 pixels on each side and the grid line 1 more.
  const int textWidth = grid.columnWidth(0) - 5;
  EXPECT_GE(textWidth, metrics.horizontalAdvance(longest));
  EXPECT_EQ(metrics.elidedText(longest, grid.textElideMode(), textWidth), longest);
  // The form grew with the column: every column in view without scrolling.
  EXPECT_LE(grid.horizontalHeader()->length(), grid.viewport()->width());
  const QRect frame = form->frameGeometry();
  EXPECT_LE(frame.width(), 1024);
  EXPECT_LE(frame.height(), 768);
}

} // namespace
