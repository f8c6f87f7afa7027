#include "registers/permits/fEPovolenkyHost.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "core/DateTime.h"
#include "registers/permits/fEPovolenkyHostPridaj.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"

namespace {

QDate DateIn(const TIBDate& edit) { return DateTime::ToDate(edit.Date().toDouble()); }

class UnionGuestPermitsTest : public PermitPaymentTest<TfrmEPovolenkyJUX> {
protected:
  static TfrmEPovolenkyHostPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEPovolenkyHostPridaj&>(f); }
  // The holder, the numbers and the document kind of a sale to a non-member.
  static void FillHolder(TfrmEPovolenkyHostPridaj& d, const QString& surname) {
    Retype(d.eDBMeno, QStringLiteral("Peter"));
    Retype(d.eDBPriezvisko, surname);
    Retype(d.eDBUlica, QStringLiteral("Dlhá 5"));
    Retype(d.eDBMesto, QStringLiteral("Žilina"));
    Retype(d.eDBCisloZakladnejPovolenky, QStringLiteral("ZP-1"));
    Retype(d.eDBDoplnkovyUdaj, QStringLiteral("HP-%1").arg(surname));
    d.eDBDruhDokladu->FindIt(30);
  }
};

TEST_F(UnionGuestPermitsTest, ADayPermitTakesTheGroundsItemAndSavesHeaderItemStockIssueAndCashIncome) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Platby za hosťovacie povolenky JUX"));
  QDate seasonFrom, seasonTo;
  bool seasonLocked = false;
  QVariant proposed, proposedByBareGround;
  double price = 0, levy = 0, share = 0;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyHostPridaj& d = Dialog(f);
    // A new sale of the union starts as a season permit of the working year.
    seasonFrom = DateIn(*d.eDBPlatnostOd);
    seasonTo = DateIn(*d.eDBPlatnostDo);
    seasonLocked = d.eDBPlatnostOd->ReadOnly() && d.eDBPlatnostDo->ReadOnly();
    EXPECT_EQ(d.eDBZO->GetKeyValue(), QVariant(2)); // the own branch
    FillHolder(d, QStringLiteral("Kováč"));
    Choose(*d.eDBPlatnost, 12);
    // A ground without a non-member day item leaves the item as it is.
    Choose(*d.eDBRevir, 21);
    Choose(*d.eDBCeniny, 13);
    Choose(*d.eDBRevir, 21);
    proposedByBareGround = d.eDBCeniny->GetKeyValue();
    Choose(*d.eDBRevir, 20);
    proposed = d.eDBCeniny->GetKeyValue();
    // Passing the item fills its price and levy.
    QTest::keyClick(d.eDBCeniny, Qt::Key_Tab);
    price = d.eDBCena->Value();
    levy = d.eDBOdvodJUX->Value();
    share = d.eZO->Value();
    Press(f, Qt::Key_F12);
    if (f.isVisible()) {
      ADD_FAILURE() << "the sale stayed open: " << Messages().join(QLatin1Char('|')).toStdString();
      f.SetModalResult(mrCancel);
    }
  });
  Key(Qt::Key_P);
  EXPECT_EQ(seasonFrom, QDate(2026, 1, 1));
  EXPECT_EQ(seasonTo, QDate(2026, 12, 31));
  EXPECT_TRUE(seasonLocked);
  EXPECT_EQ(proposedByBareGround, QVariant(13));
  EXPECT_EQ(proposed, QVariant(12));
  EXPECT_EQ(price, 20);
  EXPECT_EQ(levy, 5);
  EXPECT_EQ(share, 15);

  const QString today = QDate::currentDate().toString(Qt::ISODate);
  EXPECT_EQ(Rows(QStringLiteral("select rok,typ_povolenky,cislo,spolu,nazov_uplny from e_povolenky")),
            QStringList(QStringLiteral("2026/1/1/20/Kováč Peter, Žilina, Dlhá 5")));
  EXPECT_EQ(Rows(QStringLiteral("select typ_povolenky,typ_platby,c_ceniny,cena,odvod_jux,doplnkovy_udaj,"
                                "cislo_zakladnej_povolenky,platnost,platnost_od,platnost_do,c_reviry_jux,c_zo "
                                "from e_povolenky2")),
            QStringList(QStringLiteral("1/0/12/20/5/HP-Kováč/ZP-1/12/%1/%1/20/2").arg(today)));
  EXPECT_EQ(Rows(QStringLiteral("select cislo,smer_pohybu,mnozstvo,c_ceniny,cena,odvod_jux,poznamka,datum,"
                                "nazov_uplny from e_ceniny")),
            QStringList(QStringLiteral("1/-1/-1/12/20/5/HP-Kováč/%1/Kováč Peter, Žilina, Dlhá 5").arg(today)));
  EXPECT_EQ(Rows(QStringLiteral("select druh_dokladu,typ,p1,p2,smer_pohybu,popis,prijem_zaklad,prijem,datum,nazov,"
                                "mesto from e_pokladna")),
            QStringList(QStringLiteral("PPD/1/1/1/1/HP denná nečlen/20/20/%1/Kováč Peter/Žilina").arg(today)));
  // The receipt of the new sale.
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Template, QStringLiteral("POV_Host.rpf"));
  ASSERT_EQ(prints[0].Rows.size(), 1u);
  EXPECT_EQ(prints[0].Rows[0].value(QStringLiteral("PRIEZVISKO")), QVariant(QStringLiteral("Kováč")));
  EXPECT_EQ(Column(QStringLiteral("select zaradenie from temp_spracuj")),
            QVariantList({QStringLiteral("74FBA026-8F7F-4A58")}));
}

TEST_F(UnionGuestPermitsTest, AWeekFollowsItsStartAMemberLocksThePersonAndAPriceOfZeroWritesNoCashRow) {
  Open();
  QDate weekEnd, movedEnd;
  bool lockedWithMember = false, openWithout = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyHostPridaj& d = Dialog(f);
    d.eDBDatum->SetDate(DateTime::FromDate(QDate(2026, 5, 10)));
    Choose(*d.eDBPlatnost, 13);
    weekEnd = DateIn(*d.eDBPlatnostDo);
    // "od" moved by hand: its leaving handler moves "do".
    d.eDBPlatnostOd->SetDate(DateTime::FromDate(QDate(2026, 5, 12)));
    d.eDBPlatnostOdExit();
    movedEnd = DateIn(*d.eDBPlatnostDo);
    Choose(*d.eDBClen, 40);
    lockedWithMember = d.eDBPriezvisko->ReadOnly() && d.eDBPriezvisko->text() == QStringLiteral("Novák");
    Choose(*d.eDBClen, QVariant());
    d.eDBClen->ClearValue();
    d.eDBClen->setFocus();
    QTest::keyClick(d.eDBClen, Qt::Key_Tab);
    openWithout = !d.eDBPriezvisko->ReadOnly();
    Choose(*d.eDBClen, 40);
    Retype(d.eDBCisloZakladnejPovolenky, QStringLiteral("ZP-2"));
    Retype(d.eDBDoplnkovyUdaj, QStringLiteral("HP-2"));
    Choose(*d.eDBRevir, 21);
    Choose(*d.eDBCeniny, 13);
    Retype(d.eDBCena, QStringLiteral("0"));
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(weekEnd, QDate(2026, 5, 17));
  EXPECT_EQ(movedEnd, QDate(2026, 5, 19));
  EXPECT_TRUE(lockedWithMember);
  EXPECT_TRUE(openWithout);
  EXPECT_EQ(Rows(QStringLiteral("select c_clenov,priezvisko,spolu from e_povolenky")),
            QStringList(QStringLiteral("40/Novák/0")));
  EXPECT_EQ(Rows(QStringLiteral("select platnost,platnost_od,platnost_do,cena from e_povolenky2")),
            QStringList(QStringLiteral("13/2026-05-12/2026-05-19/0")));
  EXPECT_EQ(Rows(QStringLiteral("select c_clenov,mnozstvo from e_ceniny")), QStringList(QStringLiteral("40/-1")));
  EXPECT_TRUE(Rows(QStringLiteral("select jedin from e_pokladna")).isEmpty());
}

TEST_F(UnionGuestPermitsTest, ANumberTakenAtTheSameMomentKeepsTheDialogOpenAndTheNextSaveTakesTheNext) {
  // Another workstation's sale of the same year and kind, not yet committed.
  const std::unique_ptr<TIBDatabase> other = fresh->Connect();
  TTestStatement concurrent(other.get(),
                            QStringLiteral("insert into e_povolenky (jedin,rok,typ_povolenky,cislo) values "
                                           "(900,2026,1,(select coalesce(max(cislo)+1,1) from e_povolenky "
                                           "where rok=2026 and typ_povolenky=1))"));
  concurrent.Query().ExecSQL();
  Open();
  bool stayedOpen = false;
  QStringList refusal;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyHostPridaj& d = Dialog(f);
    FillHolder(d, QStringLiteral("Hrušovský"));
    Choose(*d.eDBRevir, 20);
    Choose(*d.eDBCeniny, 12);
    Press(f, Qt::Key_F12);
    stayedOpen = f.isVisible();
    refusal = Messages();
    concurrent.Commit();
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  ASSERT_FALSE(refusal.isEmpty());
  EXPECT_TRUE(refusal.last().contains(QStringLiteral("#2001"))) << refusal.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Rows(QStringLiteral("select cislo,priezvisko from e_povolenky order by cislo")),
            QStringList({QStringLiteral("1/"), QStringLiteral("2/Hrušovský")}));
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_povolenky2")), QVariantList({1}));
}

class BranchGuestPermitsTest : public PermitPaymentTest<TfrmEPovolenkyZO> {
protected:
  static TfrmEPovolenkyHostPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEPovolenkyHostPridaj&>(f); }
};

TEST_F(BranchGuestPermitsTest, TheBranchOffersDayAndWeekOnlyItsOwnGroundsAndNoMember) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Platby za hosťovacie povolenky ZO"));
  QVariant kindAtStart, branchAtStart, councilsGround, ownGround, season;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyHostPridaj& d = Dialog(f);
    EXPECT_EQ(d.Caption(), QStringLiteral("Pridanie hosťovacej povolenky ZO"));
    EXPECT_EQ(d.eDBClen, nullptr);
    kindAtStart = KeyParam(*d.eDBPlatnost);
    branchAtStart = KeyParam(*d.eDBZO);
    d.eDBPlatnost->FindIt(1);
    season = KeyParam(*d.eDBPlatnost);
    d.eDBRevir->FindIt(20);
    councilsGround = KeyParam(*d.eDBRevir);
    d.eDBRevir->FindIt(22);
    ownGround = KeyParam(*d.eDBRevir);
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(kindAtStart.isNull());
  EXPECT_TRUE(branchAtStart.isNull());
  EXPECT_TRUE(season.isNull());
  EXPECT_TRUE(councilsGround.isNull());
  EXPECT_EQ(ownGround, QVariant(22));
}

TEST_F(BranchGuestPermitsTest, WithoutTheOwnBranchSetNoGroundIsOfferedAndTheSettingIsNamed) {
  ProgramSettings.ZO_JEDIN = QVariant();
  Open();
  QVariant ground;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyHostPridaj& d = Dialog(f);
    d.eDBRevir->FindIt(22);
    ground = KeyParam(*d.eDBRevir);
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(ground.isNull());
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].contains(QStringLiteral("ZO JUX"))) << Messages()[0].toStdString();
  EXPECT_TRUE(Rows(QStringLiteral("select jedin from e_povolenky")).isEmpty());
}

} // namespace

namespace {

// A guest sale at a price with cents keeps it in its item, stock issue and cash income.
TEST_F(UnionGuestPermitsTest, ASaleAtAPriceWithCentsKeepsItsCentsInEveryRow) {
  Sql("update c_ceniny set cena=1234.56,odvod_jux=25.5 where jedin=13");
  Open();
  QString shown;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyHostPridaj& d = Dialog(f);
    FillHolder(d, QStringLiteral("Kováč"));
    Choose(*d.eDBRevir, 21);
    Choose(*d.eDBCeniny, 13);
    QTest::keyClick(d.eDBCeniny, Qt::Key_Tab);
    shown = d.eDBCena->text() + QLatin1Char('/') + d.eDBOdvodJUX->text() + QLatin1Char('/') + d.eZO->text();
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(shown, QStringLiteral("1234,56/25,50/1209,06"));
  EXPECT_EQ(Rows(QStringLiteral("select cena,odvod_jux from e_povolenky2")),
            QStringList(QStringLiteral("1234.56/25.5")));
  EXPECT_EQ(Rows(QStringLiteral("select cena,odvod_jux from e_ceniny")), QStringList(QStringLiteral("1234.56/25.5")));
  EXPECT_EQ(Rows(QStringLiteral("select prijem_zaklad,prijem from e_pokladna")),
            QStringList(QStringLiteral("1234.56/1234.56")));
  EXPECT_EQ(Rows(QStringLiteral("select spolu from e_povolenky")), QStringList(QStringLiteral("1234.56")));
}

} // namespace
