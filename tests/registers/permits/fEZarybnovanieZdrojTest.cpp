#include "registers/permits/fEZarybnovanieZdroj.h"
#include "app/PrintForm.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBTime.h"
#include "core/DateTime.h"
#include "registers/common/ChildGrid.h"
#include "registers/permits/fEZarybnovanieRevirPridaj.h"
#include "registers/permits/fEZarybnovanieZdrojPridaj.h"
#include "registers/permits/fPVlastnaProdukcia.h"
#include "tests/registers/permits/PermitsTestSupport.h"
#include <QtWidgets/QLabel>

namespace {

// A print form that keeps every row of every data set a print opened, each
// row its columns' texts joined by "/", by alias.
class TStockingPrintForm : public IPrintForm {
public:
  explicit TStockingPrintForm(std::map<QString, QStringList>& rows, int& shown)
      : rows_(rows), shown_(shown), transaction_(MainDatabase(), TIBTransactionKind::Snapshot) {
    for (TIBQuery& q : queries_) {
      q.SetDatabase(MainDatabase());
      q.SetTransaction(&transaction_);
    }
  }
  TIBTransaction& Transaction() override { return transaction_; }
  TIBQuery& Query(int number) override { return queries_[number - 1]; }
  void LinkDetail(int) override {}
  void SetTitle(const QString&) override {}
  void SetTemplateName(const QString&) override {}
  void LoadReport() override {}
  void ClearAliases() override { aliases_.clear(); }
  void SetAlias(const QString& dataSet, const QString& alias) override {
    aliases_[dataSet.mid(dataSet.size() - 1).toInt()] = alias;
  }
  void ClearVariables() override {}
  void SetVariable(const QString& name, const QString& value) override {
    rows_[QStringLiteral("var ") + name] = {value};
  }
  void ShowModal() override {
    ++shown_;
    for (const auto& [number, alias] : aliases_) {
      TIBQuery& q = queries_[number - 1];
      QStringList& rows = rows_[alias];
      for (q.First(); q.Active() && !q.Eof(); q.Next()) {
        QStringList columns;
        for (const auto& field : q.Fields())
          columns.append(field->AsVariant().toString());
        rows.append(columns.join(QLatin1Char('/')));
      }
    }
  }

private:
  std::map<QString, QStringList>& rows_;
  int& shown_;
  std::map<int, QString> aliases_;
  TIBTransaction transaction_;
  TIBQuery queries_[6];
};

class StockingTest : public PermitListTest<TfrmEZarybnovanieZdroj> {
protected:
  void SetUp() override {
    PermitListTest::SetUp();
    SetPrintFormFactory([this] { return std::make_unique<TStockingPrintForm>(printed, shown); });
    // Stocking fish (2) and fry (3) are offered, caught fish (1) not.
    const struct {
      int jedin;
      const char *nazov, *druh, *skratka;
      int typ;
      double cena;
    } species[] = {{1, "Kapor násada", "kapor", "K", 2, 3.5},
                   {2, "Šťuka plôdik", "šťuka", "Š", 3, 10},
                   {3, "Pleskáč", "pleskáč", "P", 1, 1}};
    for (const auto& s : species)
      Exec(QStringLiteral(
               "insert into c_druhy_ryb (jedin,nazov,druh,skratka,typ,cena,cislo) values (:J,:N,:D,:S,:T,:C,0)"),
           {{QStringLiteral("J"), s.jedin},
            {QStringLiteral("N"), QString::fromUtf8(s.nazov)},
            {QStringLiteral("D"), QString::fromUtf8(s.druh)},
            {QStringLiteral("S"), QString::fromUtf8(s.skratka)},
            {QStringLiteral("T"), s.typ},
            {QStringLiteral("C"), s.cena}});
    Exec(QStringLiteral("insert into c_zdroje_uhrad (jedin,nazov,do_vykazu_rady) values (1,'Rada',1)"));
    Exec(QStringLiteral("insert into c_zdroje_uhrad (jedin,nazov,do_vykazu_rady) values (2,'Vlastné',0)"));
    Exec(QStringLiteral("insert into c_zdroje_uhrad (jedin,nazov,do_vykazu_rady) values (3,'Obec',1)"));
    Exec(QStringLiteral("insert into c_zo (jedin,cislo,nazov) values (1,1,'Sever')"));
    for (const auto& [jedin, nazov] : {std::pair{1, "Váh"}, std::pair{2, "Hron"}})
      Exec(QStringLiteral("insert into c_reviry_jux (jedin,rok,cislo,nazov,c_zo,typ_vody,typ_revira,nazov_uplny,"
                          "nazov_uplny2) values (:J,2026,:J,:N,1,1,1,:N,:N)"),
           {{QStringLiteral("J"), jedin}, {QStringLiteral("N"), QString::fromUtf8(nazov)}});
  }
  void TearDown() override {
    SetPrintFormFactory({});
    PermitListTest::TearDown();
  }
  static TfrmEZarybnovanieZdrojPridaj& Purchase(TForm& f) { return dynamic_cast<TfrmEZarybnovanieZdrojPridaj&>(f); }
  static TfrmEZarybnovanieRevirPridaj& Release(TForm& f) { return dynamic_cast<TfrmEZarybnovanieRevirPridaj&>(f); }
  // Fills what a purchase requires: date, species 1, quantity, unit and source.
  static void FillPurchase(TfrmEZarybnovanieZdrojPridaj& d, const QString& mnozstvo, int zdroj = 1) {
    d.eDBDatum->SetDate(DateTime::EncodeDate(2026, 4, 10));
    d.eDBRyba->FindIt(1);
    Retype(d.eDBMnozstvo, mnozstvo);
    d.eDBMJ->setFocus();
    TypeText(d.eDBMJ, QStringLiteral("ks"));
    d.eDBZdrojUhrady->FindIt(zdroj);
  }
  // A release pass: ground, quantity, then `key` (F11 goes on, F12 ends).
  std::function<void(TForm&)> EnterRelease(int revir, const QString& mnozstvo, int key) {
    return [=](TForm& f) {
      TfrmEZarybnovanieRevirPridaj& r = Release(f);
      releaseDates.append(r.eDBDatum->Date());
      r.eDBRevir->FindIt(revir);
      Retype(r.eDBMnozstvo, mnozstvo);
      Press(f, key);
    };
  }
  // A purchase stored directly, with its releases into grounds (ground, quantity).
  void AddPurchase(int jedin, int druh, double cena, double mnozstvo, const QString& mj, int zdroj,
                   std::initializer_list<std::pair<int, double>> released, const QVariant& vlastny = QVariant()) {
    Exec(QStringLiteral("insert into e_zarybnovanie_zdroj (jedin,rok,datum,c_druhy_ryb,cena_mj,mnozstvo,mj,"
                        "c_zdroje_uhrad,c_reviry_jux,preberanie_zabezpecene) values (:J,2026,:D,:R,:C,:M,:MJ,:Z,:V,1)"),
         {{QStringLiteral("J"), jedin},
          {QStringLiteral("D"), QDate(2026, 3, jedin)},
          {QStringLiteral("R"), druh},
          {QStringLiteral("C"), cena},
          {QStringLiteral("M"), mnozstvo},
          {QStringLiteral("MJ"), mj},
          {QStringLiteral("Z"), zdroj},
          {QStringLiteral("V"), vlastny.isNull() ? QVariant(QMetaType(QMetaType::Int)) : vlastny}});
    for (const auto& [revir, quantity] : released)
      Exec(QStringLiteral("insert into e_zarybnovanie_revir (jedin,e_zarybnovanie_zdroj,datum,c_reviry_jux,mnozstvo) "
                          "values (gen_id(e_zarybnovanie_revir_id,1),:J,:D,:R,:M)"),
           {{QStringLiteral("J"), jedin},
            {QStringLiteral("D"), QDate(2026, 4, jedin)},
            {QStringLiteral("R"), revir},
            {QStringLiteral("M"), quantity}});
  }

  std::map<QString, QStringList> printed;
  int shown = 0;
  QVariantList releaseDates;
};

TEST_F(StockingTest, APurchaseWithTwoReleasesIsSavedAndListedWithWhatRemains) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Evidencia zarybňovania - rok 2026"));
  QString caption, count, remaining;
  script.Then([&](TForm& f) {
    TfrmEZarybnovanieZdrojPridaj& d = Purchase(f);
    caption = f.Caption();
    FillPurchase(d, QStringLiteral("100"));
    Retype(d.eDBCenaMJ, QStringLiteral("3,5"));
    d.releases->Add();
    count = d.sbPanels[0]->text();
    remaining = d.eZostavaZarybnit->text();
    Press(f, Qt::Key_F12);
  });
  script.Then(EnterRelease(1, QStringLiteral("30"), Qt::Key_F11));
  script.Then(EnterRelease(2, QStringLiteral("50"), Qt::Key_F12));
  Key(Qt::Key_P);
  EXPECT_EQ(caption, QStringLiteral("Pridanie zarybňovania"));
  EXPECT_EQ(count, QStringLiteral("Počet záznamov: 2"));
  EXPECT_EQ(remaining, QStringLiteral("20,00"));
  // A release happens on the purchase's day unless told otherwise.
  EXPECT_EQ(releaseDates, QVariantList({DateTime::EncodeDate(2026, 4, 10), DateTime::EncodeDate(2026, 4, 10)}));
  EXPECT_EQ(Rows(QStringLiteral("select rok,datum,c_druhy_ryb,cena_mj,mnozstvo,mj,spolu,c_zdroje_uhrad,"
                                "preberanie_zabezpecene,zostava_zarybnit from e_zarybnovanie_zdroj")),
            QStringList(QStringLiteral("2026/2026-04-10/1/3.5/100/ks/350/1/1/20")));
  EXPECT_EQ(Rows(QStringLiteral("select c_reviry_jux,mnozstvo,datum from e_zarybnovanie_revir order by jedin")),
            QStringList({QStringLiteral("1/30/2026-04-10"), QStringLiteral("2/50/2026-04-10")}));
  EXPECT_EQ(Listed(QStringLiteral("ZOSTAVA_ZARYBNIT")), QVariantList({20.0}));
}

TEST_F(StockingTest, CancellingAfterTwoReleasesLeavesNeitherPurchaseNorRelease) {
  Open();
  script.Then([&](TForm& f) {
    FillPurchase(Purchase(f), QStringLiteral("10"));
    Purchase(f).releases->Add();
    Press(f, Qt::Key_Escape);
  });
  script.Then(EnterRelease(1, QStringLiteral("3"), Qt::Key_F11));
  script.Then(EnterRelease(2, QStringLiteral("4"), Qt::Key_F12));
  Key(Qt::Key_P);
  EXPECT_TRUE(Rows(QStringLiteral("select jedin from e_zarybnovanie_zdroj")).isEmpty());
  EXPECT_TRUE(Rows(QStringLiteral("select jedin from e_zarybnovanie_revir")).isEmpty());
}

TEST_F(StockingTest, ReleasesAboveTheQuantityLeaveANegativeRemainderAndTheValueFollowsTheShownPrice) {
  AddPurchase(1, 1, 2, 10, QStringLiteral("kg"), 1, {{1, 8}, {2, 5}});
  Open();
  QString remaining, value, valueAfter;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEZarybnovanieZdrojPridaj& d = Purchase(f);
    remaining = d.eZostavaZarybnit->text();
    value = d.sbPanels[2]->text();
    // A new price values the releases once the price edit is left.
    Retype(d.eDBCenaMJ, QStringLiteral("4"));
    d.eDBVelkost->setFocus();
    valueAfter = d.sbPanels[2]->text();
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(remaining, QStringLiteral("-3,00"));
  EXPECT_TRUE(value.contains(QStringLiteral("26,00"))) << value.toStdString();
  EXPECT_TRUE(valueAfter.contains(QStringLiteral("52,00"))) << valueAfter.toStdString();
  EXPECT_EQ(Listed(QStringLiteral("ZOSTAVA_ZARYBNIT")), QVariantList({-3.0}));
  EXPECT_EQ(Rows(QStringLiteral("select mnozstvo from e_zarybnovanie_revir order by jedin")),
            QStringList({QStringLiteral("8"), QStringLiteral("5")}))
      << "stored releases are not touched";
}

TEST_F(StockingTest, OnlyAChangeOfSpeciesReplacesATypedPrice) {
  Open();
  QStringList prices;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEZarybnovanieZdrojPridaj& d = Purchase(f);
    d.eDBDatum->SetDate(DateTime::EncodeDate(2026, 4, 10)); // a required date keeps the focus
    const auto leave = [&](TIBComboBox* combo, int key) {
      combo->setFocus();
      combo->FindIt(key);
      QTest::keyClick(combo, Qt::Key_Tab);
      prices.append(d.eDBCenaMJ->text());
    };
    leave(d.eDBRyba, 1);                         // its price comes in
    Retype(d.eDBCenaMJ, QStringLiteral("4,25")); // typed
    leave(d.eDBRyba, 1);                         // the same species keeps it
    leave(d.eDBZdrojUhrady, 1);                  // leaving the source changes nothing
    leave(d.eDBRyba, 2);                         // another species brings its own
    Retype(d.eDBCenaMJ, QStringLiteral("9"));    // typed after the change
    leave(d.eDBZdrojUhrady, 3);
    // Caught fish are no stocking.
    d.eDBRyba->FindIt(3);
    prices.append(d.eDBRyba->GetKeyValue().isNull() ? QStringLiteral("none") : QStringLiteral("caught"));
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'|').toStdString();
  EXPECT_EQ(prices, QStringList({QStringLiteral("3,500"), QStringLiteral("4,250"), QStringLiteral("4,250"),
                                 QStringLiteral("10,000"), QStringLiteral("9,000"), QStringLiteral("none")}));
}

TEST_F(StockingTest, AClearedBoxStoresNoArrangerAnEmptyQuantityZeroAndEmptyTimesNull) {
  Open();
  bool arrangerShown = false, arrangerHidden = true;
  script.Then([&](TForm& f) {
    TfrmEZarybnovanieZdrojPridaj& d = Purchase(f);
    FillPurchase(d, QString());
    arrangerShown = d.eDBPreberanieZabezpecil->isVisible();
    Retype(d.eDBPreberanieZabezpecil, QStringLiteral("Ján Kráľ"));
    d.eDBPreberanieZabezpecene->click();
    arrangerHidden = !d.eDBPreberanieZabezpecil->isVisible();
    d.eDBVysadzanieOd->SetTime(DateTime::EncodeTime(7, 30, 0));
    Press(f, Qt::Key_F12);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(arrangerShown) << "a new purchase has the box ticked";
  EXPECT_TRUE(arrangerHidden);
  const QString row = QStringLiteral("select mnozstvo,preberanie_zabezpecene,coalesce(preberanie_zabezpecil,'NULL'),"
                                     "coalesce(cast(preberanie_od as varchar(20)),'NULL'),vysadzovanie_od "
                                     "from e_zarybnovanie_zdroj");
  EXPECT_EQ(Rows(row), QStringList(QStringLiteral("0/0/NULL/NULL/07:30:00.000")));
  // The edit loads the box and the arranger's visibility with it.
  bool hiddenOnLoad = false;
  script.Then([&](TForm& f) {
    hiddenOnLoad = !Purchase(f).eDBPreberanieZabezpecil->isVisible();
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_F4);
  EXPECT_TRUE(hiddenOnLoad);
}

TEST_F(StockingTest, ATakeFromAnOwnBreedingGroundShowsItsDateBold) {
  AddPurchase(1, 1, 1, 1, QStringLiteral("kg"), 1, {});
  AddPurchase(2, 1, 1, 1, QStringLiteral("kg"), 1, {}, 2);
  Open();
  for (int row = 0; row < 2; ++row) {
    const bool own = form->list.ib1->ValueAt(row, form->list.ib1->FieldByName(QStringLiteral("JEDIN")).Index()) == 2;
    for (int column = 0; column < 2; ++column) {
      TGridCellCanvas canvas;
      form->gr1DrawColumnCell(row, form->list.gr1->QPLColumn(column), canvas);
      EXPECT_EQ(canvas.Font.bold(), own && column == 0) << row << "/" << column;
    }
  }
}

TEST_F(StockingTest, EnteringAnEmptyReleasesGridOpensTheAddDialog) {
  AddPurchase(1, 1, 1, 1, QStringLiteral("kg"), 1, {});
  Open();
  QString opened;
  int rows = -1;
  script.Then([&](TForm& f) {
    TfrmEZarybnovanieZdrojPridaj& d = Purchase(f);
    d.releases->grid->setFocus();
    QTRY_VERIFY(!opened.isEmpty());
    rows = d.releases->query->RecordCount();
    Press(f, Qt::Key_Escape);
  });
  script.Then([&](TForm& f) {
    opened = f.Caption();
    Press(f, Qt::Key_Escape);
  });
  Key(Qt::Key_F4);
  EXPECT_EQ(opened, QStringLiteral("Pridanie zarybňovaného revíra"));
  EXPECT_EQ(rows, 0) << "cancelling leaves the list empty";
}

TEST_F(StockingTest, TheStockingReportCountsOnlyMarkedPurchasesOfCountedSources) {
  AddPurchase(1, 1, 2, 100, QStringLiteral("ks"), 1, {{1, 60}, {2, 40}}); // 200, into two grounds
  AddPurchase(2, 1, 3, 10, QStringLiteral("kg"), 3, {{1, 10}});           // 30, the same species in kg
  AddPurchase(3, 2, 5, 20, QStringLiteral("ks"), 3, {});                  // 100, no release
  AddPurchase(4, 1, 9, 9, QStringLiteral("ks"), 2, {{2, 9}});             // a source not counted
  Open();
  Key(Qt::Key_T);
  ASSERT_EQ(shown, 1);
  EXPECT_EQ(printed[QStringLiteral("MASTER")].size(), 3);
  EXPECT_EQ(printed[QStringLiteral("REVIRY")], QStringList({QStringLiteral("Hron/2/40/80/ks/Kapor násada/K"),
                                                            QStringLiteral("Váh/1/60/120/ks/Kapor násada/K"),
                                                            QStringLiteral("Váh/1/10/30/kg/Kapor násada/K")}));
  EXPECT_EQ(printed[QStringLiteral("REVIRY_SPOLU")],
            QStringList({QStringLiteral("zväzový/Hron/2/80"), QStringLiteral("zväzový/Váh/1/150")}));
  EXPECT_EQ(printed[QStringLiteral("REK_DRUH")], QStringList({QStringLiteral("kapor/Kapor násada/K/10/kg/30"),
                                                              QStringLiteral("kapor/Kapor násada/K/100/ks/200"),
                                                              QStringLiteral("šťuka/Šťuka plôdik/Š/20/ks/100")}));
  QStringList sources = printed[QStringLiteral("SUCET_ZDROJE")];
  sources.sort();
  EXPECT_EQ(sources, QStringList({QStringLiteral("130/39.39/Obec"), QStringLiteral("200/60.61/Rada")}));
  EXPECT_EQ(printed[QStringLiteral("REK_DRUH_SPOLU")],
            QStringList({QStringLiteral("230/69.7/kapor"), QStringLiteral("100/30.3/šťuka")}));
  EXPECT_EQ(printed[QStringLiteral("var Rok")], QStringList(QStringLiteral("'2026'")));

  // Marked rows only; a source not counted alone gives nothing to print.
  printed.clear();
  form->list.LocateKey(4);
  Key(Qt::Key_Space);
  Answer();
  Key(Qt::Key_T);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("Nie sú údaje pre tlač.")))
      << Messages().join(u'|').toStdString();
}

TEST_F(StockingTest, AZeroTotalPrintsWithoutFailure) {
  AddPurchase(1, 1, 0, 100, QStringLiteral("ks"), 1, {{1, 10}});
  Open();
  Key(Qt::Key_T);
  ASSERT_EQ(shown, 1);
  EXPECT_EQ(printed[QStringLiteral("SUCET_ZDROJE")], QStringList(QStringLiteral("0/0/Rada")));
}

class GroundReportTest : public StockingTest {};

TEST_F(GroundReportTest, EachDataSetOfTheGroundAndNoDataClosesTheDialogToo) {
  // Purchase 1 from own ground 1, released twice into it; feeding on ground 2 only.
  AddPurchase(1, 1, 2, 100, QStringLiteral("ks"), 1, {{1, 60}, {1, 40}}, 1);
  Exec(QStringLiteral("insert into c_krmiv (jedin,rok,nazov) values (1,2026,'Kukurica')"));
  Exec(QStringLiteral("insert into e_krmenia (jedin,rok,datum,c_reviry_jux,c_krmiv,jc,mnozstvo,mj,spolu) "
                      "values (1,2026,'2026-05-01',2,1,4,12.5,'kg',50)"));
  Exec(QStringLiteral("insert into c_reviry_jux (jedin,rok,cislo,nazov,c_zo,typ_vody,typ_revira,nazov_uplny,"
                      "nazov_uplny2) values (3,2026,3,'Nitra',1,1,1,'Nitra','Nitra')"));
  const struct {
    int revir;
    int shownAfter;
    QStringList zarybnovanie, vylov, krmivo;
  } cases[] = {
      {1,
       1,
       {QStringLiteral("2026-04-01/Kapor násada//2/40/ks/80"), QStringLiteral("2026-04-01/Kapor násada//2/60/ks/120")},
       {QStringLiteral("2026-03-01/Kapor násada//2/100/ks/200")},
       {}},
      {2, 2, {}, {}, {QStringLiteral("2026-05-01/4/12.5/kg/50/Kukurica")}},
      {3, 2, {}, {}, {}},
  };
  for (const auto& c : cases) {
    printed.clear();
    Answer();
    TfrmPVlastnaProdukcia dialog(nullptr, 2026);
    EXPECT_EQ(dialog.Caption(), QStringLiteral("Tlač prehľadu hospodárenia revíru..."));
    script.Then([&](TForm& f) {
      Activate(f);
      dialog.eDBRevir->FindIt(c.revir);
      Press(f, Qt::Key_F12);
      if (f.isVisible()) {
        ADD_FAILURE() << "still open: " << Messages().join(u'|').toStdString() << " key "
                      << dialog.eDBRevir->GetKeyValue().toInt();
        f.SetModalResult(mrCancel);
      }
    });
    const int result = dialog.ShowModal();
    EXPECT_EQ(result, mrOk) << c.revir;
    EXPECT_EQ(shown, c.shownAfter) << c.revir;
    QStringList released = printed[QStringLiteral("ZARYBNOVANIE")];
    released.sort(); // the same day, species and size: in no fixed order
    EXPECT_EQ(released, c.zarybnovanie) << c.revir;
    EXPECT_EQ(printed[QStringLiteral("VYLOV")], c.vylov) << c.revir;
    EXPECT_EQ(printed[QStringLiteral("KRMIVO")], c.krmivo) << c.revir;
    EXPECT_EQ(Messages().value(0).contains(QStringLiteral("Nie sú údaje pre tlač.")), c.revir == 3) << c.revir;
    if (c.revir == 1) EXPECT_EQ(printed[QStringLiteral("var Revir")], QStringList(QStringLiteral("'Váh'")));
  }
}

TEST_F(GroundReportTest, TheGroundPrintsAsItsRowHoldsItWhateverCaseWasTyped) {
  AddPurchase(1, 1, 2, 100, QStringLiteral("ks"), 1, {{1, 100}});
  const struct { const char *typed, *shown; } cases[] = {{"vá", "váh"}, {"VÁ", "VÁh"}, {"Váh", "Váh"}};
  for (const auto& c : cases) {
    printed.clear();
    TfrmPVlastnaProdukcia dialog(nullptr, 2026);
    QString shownWhenConfirmed;
    script.Then([&](TForm& f) {
      Activate(f);
      dialog.eDBRevir->setFocus();
      TypeText(dialog.eDBRevir, QString::fromUtf8(c.typed));
      dialog.eDBRevir->TimerElapsed();
      shownWhenConfirmed = dialog.eDBRevir->currentText();
      Press(f, Qt::Key_F12); // confirmed from inside the combo: it is never left
      if (f.isVisible()) f.SetModalResult(mrCancel);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk) << c.typed;
    EXPECT_EQ(shownWhenConfirmed, QString::fromUtf8(c.shown)) << c.typed;
    EXPECT_EQ(printed[QStringLiteral("var Revir")], QStringList(QStringLiteral("'Váh'"))) << c.typed;
  }
}

} // namespace
