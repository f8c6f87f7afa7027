#include "registers/members/fEBrigady.h"
#include "app/ToolBar.h"
#include "controls/DbGridBase.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "core/DateTime.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/fEBrigadyPridaj.h"
#include "registers/members/fEBrigadyTlac.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include <QtWidgets/QLabel>

namespace {

TEST(PrivateCarCostTest, ConsumptionDistanceFuelPriceAndCompensation) {
  const struct {
    double spotreba, km, cena, nahrada, total;
  } cases[] = {
      {7.5, 120, 40, 2, 600},     // 120/100 × 7.5 × 40 + 2 × 120
      {0, 0, 0, 0, 0},            //
      {6.2, 35, 38.9, 0, 84.413}, // fuel only
      {0, 250, 0, 1.5, 375},      // compensation only
  };
  for (const auto& c : cases)
    EXPECT_NEAR(PrivateCarCost(c.spotreba, c.km, c.cena, c.nahrada), c.total, 1e-9) << c.spotreba << " " << c.km;
}

class WorkDutyTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
    kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"), 0);
  }
  void Open(quint16 rok = 0) {
    form = std::make_unique<TfrmEBrigady>(nullptr, rok ? rok : ProgramSettings.Rok);
    ShowActive(*form);
    form->list.gr1->setFocus();
  }
  int AddRecord(int rok, int member, double hodiny, int vozidlo = 0, int uhradene = 1, int type = 0, int revir = 0) {
    return InsertRow(QStringLiteral("e_brigady_id"),
                     QStringLiteral("insert into e_brigady (jedin,rok,datum,c_clenov,hodiny,popis,sukromne_vozidlo,"
                                    "uhradene,c_typy_brigad,c_reviry_jux) values (:JEDIN,:R,'2026-04-01',:C,:H,'Práca',"
                                    ":V,:U,:T,:RV)"),
                     {{QStringLiteral("R"), rok},
                      {QStringLiteral("C"), member},
                      {QStringLiteral("H"), hodiny},
                      {QStringLiteral("V"), vozidlo},
                      {QStringLiteral("U"), uhradene},
                      {QStringLiteral("T"), type ? QVariant(type) : QVariant()},
                      {QStringLiteral("RV"), revir ? QVariant(revir) : QVariant()}});
  }
  // The focus arriving at the control, as Tab would bring it.
  static void EnterControl(QWidget* control) {
    control->setFocus();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(control, &in);
  }
  static TfrmEBrigadyPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEBrigadyPridaj&>(f); }
  QString Panel(int i) const { return form->sbPanels[i]->text(); }

  int novak = 0, kral = 0;
  std::unique_ptr<TfrmEBrigady> form;
};

TEST_F(WorkDutyTest, SaveAndContinueKeepsTheWorkEventForTheNextMember) {
  const int type = AddType(2026, QStringLiteral("Kosenie"));
  Open();
  QStringList secondPass;
  script.Then([&](TForm& f) {
    TfrmEBrigadyPridaj& d = Dialog(f);
    EXPECT_EQ(f.Caption(), QStringLiteral("Pridanie brigády"));
    d.eDBDatum->SetDate(DateTime::EncodeDate(2026, 5, 2));
    d.eDBClen->FindIt(novak);
    d.eDBTypyBrigad->FindIt(type);
    d.eDBHodiny->SetValue(4.5);
    EnterControl(d.eDBPopis); // an empty description takes the type's name
    Submit(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    TfrmEBrigadyPridaj& d = Dialog(f);
    // The date by its value: the first control has the focus, so it shows its digits alone.
    secondPass = {d.eDBClen->currentText(), d.eDBTypyBrigad->currentText(), d.eDBPopis->currentText(),
                  d.eDBHodiny->text(), DateTime::ToDateTime(d.eDBDatum->Date().toDouble()).toString(u"dd.MM.yyyy")};
    d.eDBClen->FindIt(kral);
    Submit(f, Qt::Key_F12);
  });
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(secondPass, QStringList({QString(), QStringLiteral("Kosenie"), QStringLiteral("Kosenie"),
                                     QStringLiteral("4,5"), QStringLiteral("02.05.2026")}));
  EXPECT_EQ(
      Rows(QStringLiteral("select rok,c_clenov,popis,hodiny,c_typy_brigad,uhradene from e_brigady order by jedin")),
      QStringList({QStringLiteral("2026/%1/Kosenie/4.5/%2/1").arg(novak).arg(type),
                   QStringLiteral("2026/%1/Kosenie/4.5/%2/1").arg(kral).arg(type)}));
  EXPECT_EQ(form->list.ib1->FieldByName(QStringLiteral("CLEN")).AsString(), QStringLiteral("Kráľ Peter"));
}

TEST_F(WorkDutyTest, ADescriptionTypedOverTheProposedOneIsStoredAsTyped) {
  const int type = AddType(2026, QStringLiteral("Kosenie"));
  // A description the proposal would complete to, were it searched for.
  AddRecord(2026, kral, 2);
  Exec(QStringLiteral("update e_brigady set popis='Kosenie hrádze'"));
  Open();
  QString proposed;
  script.Then([&](TForm& f) {
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000));
    TfrmEBrigadyPridaj& d = Dialog(f);
    d.eDBClen->FindIt(novak);
    d.eDBTypyBrigad->FindIt(type);
    d.eDBHodiny->setFocus(Qt::TabFocusReason);
    QTest::keyPress(d.eDBHodiny, Qt::Key_Tab); // into the description, which proposes the type
    // The key's release reaches the description, and the combo's search pause passes.
    QTest::keyRelease(d.eDBPopis, Qt::Key_Tab);
    QTest::qWait(600);
    proposed = d.eDBPopis->currentText();
    TypeText(d.eDBPopis, QStringLiteral("Oprava hrádze"));
    Submit(f, Qt::Key_F12);
  });
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(proposed, QStringLiteral("Kosenie"));
  EXPECT_EQ(Rows(QStringLiteral("select popis from e_brigady where c_clenov=%1").arg(novak)),
            QStringList{QStringLiteral("Oprava hrádze")});
}

TEST_F(WorkDutyTest, ThePreviousYearsRecordKeepsItsTypeAndGroundWhenEdited) {
  const int oldType = AddType(2025, QStringLiteral("Kosenie 2025"));
  AddType(2026, QStringLiteral("Kosenie 2026"));
  const int oldRevir = AddRevir(2025, QStringLiteral("Váh 2025"));
  AddRecord(2025, novak, 3, 0, 1, oldType, oldRevir);
  AddRecord(2026, novak, 8);
  Open(2025);
  EXPECT_EQ(form->Caption(), QStringLiteral("Evidencia brigád - rok 2025"));
  EXPECT_EQ(Listed(form->list, QStringLiteral("HODINY")), QVariantList({3.0}));
  QStringList shown;
  script.Then([&](TForm& f) {
    shown = {Dialog(f).eDBTypyBrigad->currentText(), Dialog(f).eDBRevir->currentText()};
    Submit(f, Qt::Key_F12);
  });
  Key(form->list, Qt::Key_O);
  EXPECT_EQ(shown, QStringList({QStringLiteral("Kosenie 2025"), QStringLiteral("Váh 2025")}));
  EXPECT_EQ(Rows(QStringLiteral("select c_typy_brigad,c_reviry_jux from e_brigady where rok=2025")),
            QStringList(QStringLiteral("%1/%2").arg(oldType).arg(oldRevir)));
  // Added there, a record belongs to that year.
  script.Then([&](TForm& f) {
    Dialog(f).eDBClen->FindIt(kral);
    Dialog(f).eDBTypyBrigad->FindIt(oldType);
    Dialog(f).eDBPopis->setEditText(QStringLiteral("Oprava"));
    Submit(f, Qt::Key_F12);
  });
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_brigady where rok=2025")), QVariantList({2}));
}

TEST_F(WorkDutyTest, TheMemberCardOpensOneMembersRecordsOfTheChosenYear) {
  AddRecord(2025, novak, 3);
  AddRecord(2025, kral, 5);
  AddRecord(2026, novak, 8);
  QString caption;
  QVariantList hodiny;
  bool filterShown = false;
  script.Then([&](TForm& f) {
    auto& list = dynamic_cast<TfrmEBrigady&>(f);
    caption = f.Caption();
    hodiny = Listed(list.list, QStringLiteral("HODINY"));
    filterShown = list.list.pnlFilter->isVisible() && list.list.btnFilter->Down();
    f.SetModalResult(mrCancel);
  });
  TfrmEBrigady::OpenForMember(nullptr, novak, 2025);
  EXPECT_EQ(caption, QStringLiteral("Evidencia brigád - rok 2025"));
  EXPECT_EQ(hodiny, QVariantList({3.0}));
  EXPECT_TRUE(filterShown);
}

TEST_F(WorkDutyTest, TheVehicleTotalIsStoredFromWholeKilometres) {
  const int type = AddType(2026, QStringLiteral("Dovoz"));
  Open();
  const struct {
    QString km; // typed key by key
    int vozidlo, uhradene;
    QString stored; // KM / AUTO_SPOLU / UHRADENE
  } cases[] = {
      {QStringLiteral("120"), 1, 0, QStringLiteral("120/600/0")},
      {QStringLiteral("12,5"), 1, 1, QStringLiteral("125/625/1")}, // no decimals: the comma is refused
      {QStringLiteral("100"), 0, 0, QStringLiteral("100/500/1")},  // no private vehicle: paid
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from e_brigady"));
    script.Then([&](TForm& f) {
      TfrmEBrigadyPridaj& d = Dialog(f);
      d.eDBClen->FindIt(novak);
      d.eDBTypyBrigad->FindIt(type);
      d.eDBPopis->setEditText(QStringLiteral("Dovoz"));
      d.eDBSukromneVozidlo->SetCheckedValue(quint8(c.vozidlo));
      d.eDBUhradene->SetCheckedValue(quint8(c.uhradene));
      d.eDBSpotreba->SetValue(7.5);
      d.eDBCenaPaliva->SetValue(40);
      d.eDBNahrada->SetValue(2);
      d.eDBKM->setFocus();
      d.eDBKM->clear();
      TypeText(d.eDBKM, c.km);
      Submit(f, Qt::Key_F12);
    });
    Key(form->list, Qt::Key_P);
    EXPECT_EQ(Rows(QStringLiteral("select km,auto_spolu,uhradene from e_brigady")), QStringList(c.stored))
        << c.km.toStdString();
  }
}

TEST_F(WorkDutyTest, RequiredEntriesAreRefusedAndNothingIsWritten) {
  const int type = AddType(2026, QStringLiteral("Kosenie"));
  Open();
  const struct { bool member, kind, popis; } cases[] = {{false, true, true}, {true, false, true}, {true, true, false}};
  for (const auto& c : cases) {
    FreshMessages();
    bool stayedOpen = false;
    script.Then([&](TForm& f) {
      TfrmEBrigadyPridaj& d = Dialog(f);
      if (c.member) d.eDBClen->FindIt(novak);
      if (c.kind) d.eDBTypyBrigad->FindIt(type);
      if (c.popis) d.eDBPopis->setEditText(QStringLiteral("Práca"));
      Press(f, Qt::Key_F12);
      stayedOpen = f.isVisible();
      f.SetModalResult(mrCancel);
    });
    Key(form->list, Qt::Key_P);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1001")))
        << Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(Column(QStringLiteral("select jedin from e_brigady")).isEmpty());
  }
}

TEST_F(WorkDutyTest, TheStatusBarCountsAndSumsAndTheFilterNarrowsTheList) {
  Open();
  EXPECT_EQ(Panel(0), QStringLiteral("Počet záznamov: 0"));
  EXPECT_EQ(Panel(1), QStringLiteral("Spolu hodín:       0,0"));
  AddRecord(2026, novak, 2.5);
  AddRecord(2026, kral, 4);
  AddRecord(2026, novak, 1.25);
  AddRecord(2025, novak, 100);
  Key(form->list, Qt::Key_R);
  EXPECT_EQ(Panel(0), QStringLiteral("Počet záznamov: 3"));
  EXPECT_EQ(Panel(1), QStringLiteral("Spolu hodín:       7,8"));
  EXPECT_EQ(form->Caption(), QStringLiteral("Evidencia brigád - rok 2026"));
  // The hours column shows one decimal, as the sum does.
  QStringList shown;
  const QAbstractItemModel* model = form->list.gr1->model();
  for (int row = 0; row < model->rowCount(); ++row)
    shown.append(model->index(row, 3).data().toString());
  EXPECT_TRUE(shown.contains(QStringLiteral("2,5")) && shown.contains(QStringLiteral("4,0")))
      << shown.join(u' ').toStdString();
  form->eDBClen->FindIt(novak);
  Key(form->list, Qt::Key_F);
  EXPECT_TRUE(form->list.pnlFilter->isVisibleTo(form.get()));
  EXPECT_EQ(Listed(form->list, QStringLiteral("HODINY")), QVariantList({1.25, 2.5}));
  EXPECT_EQ(Panel(1), QStringLiteral("Spolu hodín:       3,8"));
}

TEST_F(WorkDutyTest, AnUnpaidPrivateVehicleIsPaintedRedWithAYellowFont) {
  AddRecord(2026, novak, 1, 1, 0);
  AddRecord(2026, kral, 1, 1, 1);
  Open();
  TQPLColumn* vozidlo = form->list.gr1->QPLColumn(4);
  TQPLColumn* clen = form->list.gr1->QPLColumn(1);
  const int unpaid = int(Listed(form->list, QStringLiteral("CLEN")).indexOf(QStringLiteral("Novák Ján")));
  const struct {
    int row;
    TQPLColumn* column;
    TColor brush, font;
  } cases[] = {{unpaid, vozidlo, TColor(0x0000FF), TColor(0x00FFFF)},
               {unpaid, clen, clWindow, clWindowText},
               {1 - unpaid, vozidlo, clWindow, clWindowText}};
  for (const auto& c : cases) {
    TGridCellCanvas canvas;
    form->gr1DrawColumnCell(c.row, c.column, canvas);
    EXPECT_EQ(canvas.Brush, c.brush) << c.row;
    EXPECT_EQ(canvas.FontColor, c.font) << c.row;
  }
}

TEST_F(WorkDutyTest, EachPrintTakesTheMarkedRowsUnderItsTag) {
  AddRecord(2026, novak, 2);
  const QVariantList marked{AddRecord(2026, kral, 3), AddRecord(2026, novak, 5)};
  Open();
  Mark(form->list, marked);
  TfrmEBrigadyTlac dialog(form.get(), form->list);
  const struct {
    int button;
    QString tag, title, templ;
    QVariantList hodiny;
  } cases[] = {
      {1,
       QStringLiteral("F0ACD3B3-8646-4EF5"),
       QStringLiteral("Tlač brigád podľa mena položkovite"),
       QStringLiteral("Brigady01.rpf"),
       {3.0, 5.0}},
      {2,
       QStringLiteral("992495E3-97F7-4AD5"),
       QStringLiteral("Tlač brigád podľa mena sumárne"),
       QStringLiteral("Brigady02.rpf"),
       {3.0, 5.0}},
      {3,
       QStringLiteral("F0ACD3B3-8646-4EF5"),
       QStringLiteral("Tlač brigád podľa mena položkovite iba oslobodených"),
       QStringLiteral("Brigady03.rpf"),
       {3.0}},
  };
  TQPLBtn* const buttons[] = {dialog.btn1, dialog.btn2, dialog.btn3};
  for (const auto& c : cases) {
    prints.clear();
    buttons[c.button - 1]->click();
    ASSERT_EQ(prints.size(), 1u);
    const TRecordedPrint& p = prints[0];
    EXPECT_EQ(p.Title, c.title);
    EXPECT_EQ(p.Template, c.templ);
    EXPECT_EQ(p.Aliases.value(QStringLiteral("ib1")), QStringLiteral("MASTER"));
    EXPECT_TRUE(p.Variables.isEmpty());
    EXPECT_TRUE(p.Sql.contains(SelectionSetWhere()));
    QVariantList hodiny;
    for (const QVariantMap& row : p.Rows)
      hodiny.append(row.value(QStringLiteral("HODINY")).toDouble());
    EXPECT_EQ(hodiny, c.hodiny) << c.button;
    EXPECT_EQ(Column(QStringLiteral("select cislo from temp_spracuj where zaradenie=:T order by cislo"),
                     {{QStringLiteral("T"), c.tag}}),
              marked);
  }
}

TEST_F(WorkDutyTest, TheSummaryKeepsNamesakesWithOneDisplayNameApart) {
  const int namesake = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján")); // the same display name as novak
  const QVariantList marked{AddRecord(2026, novak, 2), AddRecord(2026, namesake, 4)};
  Open();
  Mark(form->list, marked);
  TfrmEBrigadyTlac dialog(form.get(), form->list);
  dialog.btn2->click();
  ASSERT_EQ(prints.size(), 1u);
  QVariantList hodiny;
  for (const QVariantMap& row : prints[0].Rows)
    hodiny.append(row.value(QStringLiteral("HODINY")).toDouble());
  EXPECT_EQ(hodiny, (QVariantList{2.0, 4.0}));
}

} // namespace
