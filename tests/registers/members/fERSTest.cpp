#include "registers/members/fERS.h"
#include "app/FormRegistry.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBTime.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/fERSKontroloriPridaj.h"
#include "registers/members/fERSKontrolovaniPridaj.h"
#include "registers/members/fERSPridaj.h"
#include "tests/registers/members/GuardTestSupport.h"
#include <QtCore/QScopeGuard>

namespace {

class InspectionsTest : public GuardTest {
protected:
  void SetUp() override {
    GuardTest::SetUp();
    const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Peter"));
    const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Ivan"));
    clen = AddMember(QStringLiteral("Malý"), QStringLiteral("Jozef"));
    guardNovak = AddGuard(novak, QStringLiteral("11"), QDate(2015, 1, 1));
    guardKral = AddGuard(kral, QStringLiteral("12"), QDate(2015, 1, 1));
    dismissed = AddGuard(clen, QStringLiteral("13"), QDate(2010, 1, 1), QDate(2012, 1, 1));
    revir = AddRevir(2026, QStringLiteral("Nitra 3"));
  }
  void Open() {
    form = std::make_unique<TfrmERS>(nullptr, ProgramSettings.Rok);
    ShowActive(*form);
    form->list.gr1->setFocus();
  }
  // Focus into a child grid and let its queued actions run.
  // Focus into an empty child grid; its add dialog runs (scripted) until rows show.
  static void Enter(QWidget* grid, const TIBQuery* query) {
    grid->window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(grid->window()));
    grid->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([query] { return query->RecordCount() > 0; }, 5000));
  }
  static TfrmERSPridaj& Inspection(TForm& f) { return dynamic_cast<TfrmERSPridaj&>(f); }
  std::function<void(TForm&)> Guard(int guard, int key) {
    return [=, this](TForm& f) {
      dynamic_cast<TfrmERSKontroloriPridaj&>(f).eDBClen->FindIt(guard);
      Press(f, key);
      CancelIfOpen(f);
    };
  }
  std::function<void(TForm&)> Person(int guard, const QString& priezvisko, int key) {
    return [=, this](TForm& f) {
      auto& d = dynamic_cast<TfrmERSKontrolovaniPridaj&>(f);
      d.eDBKontrolor->FindIt(guard);
      d.eDBMeno->setText(QStringLiteral("Ján"));
      d.eDBPriezvisko->setText(priezvisko);
      d.eDBUlica->setText(QStringLiteral("Dlhá 2"));
      d.eDBMesto->setText(QStringLiteral("Nitra"));
      d.eDBRevir->FindIt(revir);
      d.eDBPriestupok->setEditText(QStringLiteral("bez povolenky"));
      Press(f, key);
      CancelIfOpen(f);
    };
  }
  QVariantList Stored(const QString& sql) const { return Column(sql); }

  int clen = 0, guardNovak = 0, guardKral = 0, dismissed = 0, revir = 0;
  std::unique_ptr<TfrmERS> form;
};

TEST_F(InspectionsTest, AnInspectionWithTwoGuardsAndThreePersonsIsAddedEditedPrintedAndDeleted) {
  Open();
  bool placeholderListed = true;
  int placeholderRows = 0;
  script.Then([&](TForm& f) {
    TfrmERSPridaj& d = Inspection(f);
    EXPECT_EQ(d.Caption(), QStringLiteral("Pridanie kontroly rybárskej stráže"));
    placeholderRows = Count(QStringLiteral("e_rs where rok is null"));
    placeholderListed = form->list.ib1->RecordCount() > 0;
    d.eDBRevir->FindIt(revir);
    Enter(d.gr2, d.ib2); // empty: the guard dialog opens at once
    Enter(d.gr3, d.ib3);
    Press(f, Qt::Key_F12);
  });
  script.Then(Guard(guardNovak, Qt::Key_F11));
  script.Then(Guard(guardKral, Qt::Key_F12));
  script.Then(Person(guardNovak, QStringLiteral("Prvý"), Qt::Key_F11));
  script.Then(Person(guardKral, QStringLiteral("Druhý"), Qt::Key_F11));
  script.Then(Person(guardNovak, QStringLiteral("Tretí"), Qt::Key_F12));
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(placeholderRows, 1);
  EXPECT_FALSE(placeholderListed);
  const int kontrola = Stored(QStringLiteral("select jedin from e_rs where rok=2026")).value(0).toInt();
  ASSERT_NE(kontrola, 0);
  EXPECT_EQ(Count(QStringLiteral("e_rs")), 1);
  EXPECT_EQ(Stored(QStringLiteral("select c_clenov_rs from e_rs_kontrolori order by jedin")),
            QVariantList({guardNovak, guardKral}));
  EXPECT_EQ(
      Stored(QStringLiteral("select priezvisko||'/'||c_clenov_rs||'/'||e_rs from e_rs_kontrolovani order by jedin")),
      QVariantList({QStringLiteral("Prvý/%1/%2").arg(guardNovak).arg(kontrola),
                    QStringLiteral("Druhý/%1/%2").arg(guardKral).arg(kontrola),
                    QStringLiteral("Tretí/%1/%2").arg(guardNovak).arg(kontrola)}));
  EXPECT_EQ(Listed(form->list, QStringLiteral("KONTROLOR")),
            Stored(QStringLiteral("select nazov_uplny from c_clenov where priezvisko='Novák'")));

  // Edit: the loaded inspection shows its children; the car goes and the cost counts as paid.
  QStringList shownGuards;
  script.Then([&](TForm& f) {
    TfrmERSPridaj& d = Inspection(f);
    for (int row = 0; row < d.ib2->RecordCount(); ++row)
      shownGuards.append(d.ib2->ValueAt(row, d.ib2->FieldByName(QStringLiteral("CISLO_ODZNAKU")).Index()).toString());
    d.eDBSPZ->setText(QStringLiteral("NR-123AB"));
    d.eDBSukromneVozidlo->setFocus();
    Press(f, Qt::Key_Space);
    Press(f, Qt::Key_F12);
  });
  Key(form->list, Qt::Key_O);
  EXPECT_EQ(shownGuards, QStringList({QStringLiteral("11"), QStringLiteral("12")}));
  EXPECT_EQ(Stored(QStringLiteral("select spz||'/'||sukromne_vozidlo||'/'||uhradene from e_rs")),
            QVariantList({QStringLiteral("NR-123AB/0/1")}));

  // Print: the selection set and the three queries.
  Key(form->list, Qt::Key_T);
  ASSERT_EQ(prints.size(), 1u);
  const TRecordedPrint& print = prints.back();
  EXPECT_EQ(print.Template, QStringLiteral("KontrolaRS.rpf"));
  EXPECT_EQ(print.Title, QStringLiteral("Evidencia kontrol rybárskej stráže - rok 2026"));
  EXPECT_EQ(print.Aliases.value(QStringLiteral("ib3")), QStringLiteral("DETAIL_KONTROLOVANI"));
  EXPECT_EQ(print.Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
  EXPECT_TRUE(print.Sql.contains(SelectionSetWhere()));
  ASSERT_EQ(print.Rows.size(), 1u);
  EXPECT_EQ(print.Rows[0].value(QStringLiteral("REVIR")).toString(), QStringLiteral("Nitra 3"));
  auto joined = [this](const QString& sql) {
    QStringList texts;
    for (const QVariant& v : Stored(sql))
      texts.append(v.toString());
    return texts.join(QLatin1Char(','));
  };
  EXPECT_EQ(details,
            QList<QStringList>({{joined(QStringLiteral("select c.nazov_uplny from e_rs_kontrolori k join "
                                                       "c_clenov_rs r on r.jedin=k.c_clenov_rs join c_clenov c "
                                                       "on c.jedin=r.c_clenov order by k.jedin")),
                                 joined(QStringLiteral("select nazov_uplny from e_rs_kontrolovani order by jedin"))}}));
  EXPECT_TRUE(details.value(0).value(1).contains(QStringLiteral("Tretí"))) << details.value(0).value(1).toStdString();

  // Delete: the inspection goes with its guards and inspected persons.
  dialogs.reset();
  dialogs = std::make_unique<TScriptedMessageDialogs>(QList<int>{mrYes});
  Key(form->list, Qt::Key_Delete);
  EXPECT_EQ(Count(QStringLiteral("e_rs")), 0);
  EXPECT_EQ(Count(QStringLiteral("e_rs_kontrolori")), 0);
  EXPECT_EQ(Count(QStringLiteral("e_rs_kontrolovani")), 0);
}

TEST_F(InspectionsTest, AnInspectionWithTwoGuardsOneLongNamedIsEnteredThroughKeys) {
  const int longNamed = AddLongNamedMember();
  const QString name = DisplayName(longNamed);
  ASSERT_EQ(name.size(), 75) << name.toStdString();
  const int guardLong = AddGuard(longNamed, QStringLiteral("1"), QDate(2020, 1, 1));
  Open();
  script.Then([&](TForm& f) {
    TfrmERSPridaj& d = Inspection(f);
    Activate(f);
    for (const QString& typed : {QStringLiteral("01052026"), QStringLiteral("0800"), QStringLiteral("01052026"),
                                 QStringLiteral("1230"), QStringLiteral("Nitra 3")})
      TypeAndTab(typed);
    // On through the car's fields into the empty guards list, which opens the guard dialog.
    for (int i = 0; i < 15 && QApplication::focusWidget() != d.gr2; ++i)
      Press(f, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.gr2);
    EXPECT_TRUE(QTest::qWaitFor([&d] { return d.ib2->RecordCount() == 2; }, 10000));
    Activate(f);
    Press(f, Qt::Key_F12);
    CancelIfOpen(f);
  });
  for (const auto& [typed, key] :
       {std::pair{name, int(Qt::Key_F11)}, std::pair{QStringLiteral("Novák Peter (11)"), int(Qt::Key_F12)}})
    script.Then([typed, key](TForm& f) {
      Activate(f);
      TypeAndTab(typed);
      Press(f, key);
      CancelIfOpen(f);
    });
  Key(form->list, Qt::Key_P);
  EXPECT_EQ(Stored(QStringLiteral("select c_clenov_rs from e_rs_kontrolori order by jedin")),
            QVariantList({guardLong, guardNovak}));
  EXPECT_EQ(Rows(QStringLiteral("select rok,kontrola_od,kontrola_do,c_reviry_jux from e_rs")),
            QStringList({QStringLiteral("2026/2026-05-01T08:00:00.000/2026-05-01T12:30:00.000/%1").arg(revir)}));
  // The list names the inspection's first guard, the long name whole.
  EXPECT_EQ(Listed(form->list, QStringLiteral("KONTROLOR")), QVariantList({name}));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

// Without fishing grounds no inspection can be saved: opening a new one says
// at once which register to fill, naming it by its window title.
TEST_F(InspectionsTest, ANewInspectionWithoutGroundsSaysWhichRegisterToFillFirst) {
  FormRegistry::RegisterForm(QStringLiteral("TfrmCReviryJUX"), [](QWidget* owner, const TFormArgs& args) {
    auto* form = new TForm(owner);
    form->SetCaption(QStringLiteral("Číselník revírov - rok %1").arg(args.Rok));
    return form;
  });
  const auto unregister = qScopeGuard([] { FormRegistry::Unregister(QStringLiteral("TfrmCReviryJUX")); });
  for (bool grounds : {true, false}) {
    if (!grounds) Exec(QStringLiteral("delete from c_reviry_jux"));
    FreshMessages();
    Open();
    QStringList atOpening;
    script.Then([&](TForm& f) {
      atOpening = Messages();
      f.SetModalResult(mrCancel);
    });
    Key(form->list, Qt::Key_P);
    if (grounds) {
      EXPECT_TRUE(atOpening.isEmpty()) << atOpening.join(QLatin1Char('|')).toStdString();
    } else {
      EXPECT_EQ(atOpening, QStringList(QStringLiteral("Položka „Revír“ nemá z čoho vybrať: zoznam je prázdny.\r\n"
                                                      "Najprv vyplňte register „Číselník revírov - rok 2026“.")));
    }
  }
}

TEST_F(InspectionsTest, ANewInspectionClosedWithoutSavingLeavesNoRowsBehind) {
  Open();
  for (int key : {int(Qt::Key_Escape), int(Qt::Key_F12)}) {
    script.Then([&, key](TForm& f) {
      TfrmERSPridaj& d = Inspection(f);
      d.btnPridaj2Click();
      if (key == Qt::Key_F12) d.eDBKontrolaCasOd->SetTime(QVariant()); // a refused save is no save either
      Press(f, key);
      CancelIfOpen(f);
    });
    script.Then(Guard(guardNovak, Qt::Key_F12));
    Key(form->list, Qt::Key_P);
    EXPECT_EQ(Count(QStringLiteral("e_rs")), 0) << key;
    EXPECT_EQ(Count(QStringLiteral("e_rs_kontrolori")), 0) << key;
  }
}

TEST_F(InspectionsTest, StartAndEndAreRequiredBeforeASave) {
  Open();
  const std::function<void(TfrmERSPridaj&)> blanks[] = {
      [](TfrmERSPridaj& d) { d.eDBKontrolaDatumOd->Clear(); },
      [](TfrmERSPridaj& d) { d.eDBKontrolaCasOd->SetTime(QVariant()); },
      [](TfrmERSPridaj& d) { d.eDBKontrolaDatumDo->Clear(); },
      [](TfrmERSPridaj& d) { d.eDBKontrolaCasDo->SetTime(QVariant()); },
      [](TfrmERSPridaj& d) { d.eDBRevir->ClearValue(); },
  };
  for (const auto& blank : blanks) {
    dialogs.reset();
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    script.Then([&](TForm& f) {
      TfrmERSPridaj& d = Inspection(f);
      d.eDBRevir->FindIt(revir);
      blank(d);
      Press(f, Qt::Key_F12);
      CancelIfOpen(f);
    });
    Key(form->list, Qt::Key_P);
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(Count(QStringLiteral("e_rs")), 0);
  }
}

TEST_F(InspectionsTest, ANewInspectionWhoseRowCannotBeMadeDoesNotOpen) {
  Exec(QStringLiteral("CREATE TRIGGER T_FAIL FOR E_RS ACTIVE BEFORE INSERT POSITION 9 AS BEGIN NEW.KM = 1/0; END"));
  Open();
  bool stayedOpen = false;
  script.Then([&](TForm& f) {
    // The dialog closes itself; one still open after a while is closed here and counted.
    QPointer<TForm> dialog(&f);
    QTimer::singleShot(3000, [&stayedOpen, dialog] {
      if (!dialog || !dialog->isVisible()) return;
      stayedOpen = true;
      dialog->SetModalResult(mrCancel);
    });
  });
  Key(form->list, Qt::Key_P);
  EXPECT_FALSE(stayedOpen);
  EXPECT_EQ(Messages().size(), 1) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Count(QStringLiteral("e_rs")), 0);
}

TEST_F(InspectionsTest, RemovingAGuardWhoInspectedSomeoneAsksFirst) {
  const struct {
    bool removeInspector;
    QList<int> answers; // the warning (when asked), then the delete confirmation
    int guardsLeft;
    int messages;
  } cases[] = {
      {false, {mrYes}, 1, 1},
      {true, {mrNo}, 2, 1},
      {true, {mrYes, mrYes}, 1, 2},
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from e_rs"));
    const int kontrola = AddInspection(2026);
    AddInspectionGuard(kontrola, guardNovak);
    AddInspectionGuard(kontrola, guardKral);
    AddInspected(kontrola, guardNovak, QStringLiteral("Rybár"), revir);
    form = std::make_unique<TfrmERS>(nullptr, ProgramSettings.Rok);
    Open();
    dialogs.reset();
    dialogs = std::make_unique<TScriptedMessageDialogs>(c.answers);
    script.Then([&](TForm& f) {
      TfrmERSPridaj& d = Inspection(f);
      d.ib2->Locate(QStringLiteral("CISLO_ODZNAKU"), c.removeInspector ? QStringLiteral("11") : QStringLiteral("12"));
      d.btnVymaz2Click();
      CancelIfOpen(f);
    });
    Key(form->list, Qt::Key_O);
    EXPECT_EQ(Count(QStringLiteral("e_rs_kontrolori")), c.guardsLeft) << c.removeInspector;
    EXPECT_EQ(Messages().size(), c.messages) << Messages().join(QLatin1Char('|')).toStdString();
    if (c.removeInspector) {
      EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("kontrolórom")));
    }
  }
}

TEST_F(InspectionsTest, CarCostFollowsEveryNumberAndUnpaidCarsShowRed) {
  Open();
  double sum = -1, cleared = -1;
  QString shown;
  script.Then([&](TForm& f) {
    TfrmERSPridaj& d = Inspection(f);
    d.eDBSpotreba->SetValue(6.5);
    d.eDBKM->SetValue(120);
    d.eDBCenaPaliva->SetValue(40);
    d.eDBNahrada->SetValue(1.5);
    sum = d.eSpolu->Value();
    shown = d.eSpolu->text();
    d.eDBNahrada->Clear();
    cleared = d.eSpolu->Value();
    d.eDBRevir->FindIt(revir);
    Press(f, Qt::Key_F12);
  });
  Key(form->list, Qt::Key_P);
  EXPECT_DOUBLE_EQ(sum, 492.0);
  EXPECT_TRUE(shown.contains(QStringLiteral("492,00"))) << shown.toStdString();
  EXPECT_DOUBLE_EQ(cleared, 312.0);
  AddInspection(2026, 1, 0);
  AddInspection(2025, 0, 1);
  Key(form->list, Qt::Key_R);
  ASSERT_EQ(form->list.ib1->RecordCount(), 2); // the other year is not listed
  QList<bool> red;
  for (int row = 0; row < 2; ++row) {
    TGridCellCanvas canvas;
    for (int i = 0; i < form->list.gr1->ColumnCount(); ++i)
      if (auto* column = static_cast<TQPLColumn*>(form->list.gr1->Column(i));
          column->FieldName == QLatin1String("SUKROMNE_VOZIDLO"))
        emit form->list.gr1->OnDrawColumnCell(row, column, canvas);
    red.append(canvas.Brush == TColor(0x0000FF) && canvas.FontColor == TColor(0x00FFFF));
  }
  const QVariantList paid = Listed(form->list, QStringLiteral("UHRADENE"));
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(red[row], paid[row].toInt() == 0) << row;
  }
  EXPECT_TRUE(red.contains(true));
}

TEST_F(InspectionsTest, ChildDialogsOfferOnlyServingGuardsAndTheInspectionsOwnGuards) {
  const int kontrola = AddInspection(2026);
  const int entry = AddInspectionGuard(kontrola, dismissed);
  AddInspectionGuard(kontrola, guardNovak);
  TfrmERSKontroloriPridaj guards;
  guards.Kontrola = kontrola;
  const struct {
    int tag, jedin, findGuard;
    bool held;
  } cases[] = {{1, 0, dismissed, false}, {1, 0, guardKral, true}, {2, entry, dismissed, true}};
  for (const auto& c : cases) {
    guards.dlg.ClearForPass();
    guards.SetTag(c.tag);
    guards.Jedin = c.jedin;
    script.Then([&](TForm& f) {
      if (c.tag == 1) guards.eDBClen->FindIt(c.findGuard);
      f.SetModalResult(mrCancel);
    });
    guards.ShowModal();
    EXPECT_EQ(!guards.eDBClen->GetKeyValue().isNull() && guards.eDBClen->GetKeyValue().isValid(), c.held) << c.tag;
    if (c.held) {
      EXPECT_FALSE(guards.eDBCisloOdznaku->text().isEmpty());
    }
  }
  TfrmERSKontrolovaniPridaj person;
  person.Kontrola = kontrola;
  person.dlg.ClearForPass();
  person.eDBKontrolor->FindIt(guardKral);
  EXPECT_TRUE(person.eDBKontrolor->GetKeyValue().isNull() || !person.eDBKontrolor->GetKeyValue().isValid());
  person.eDBKontrolor->FindIt(guardNovak);
  EXPECT_EQ(person.eDBKontrolor->GetKeyValue().toInt(), guardNovak);
  person.eDBClen->FindIt(clen);
  EXPECT_EQ(person.eDBPriezvisko->text(), QStringLiteral("Malý"));
  EXPECT_TRUE(person.eDBPriezvisko->ReadOnly());
  person.eDBClen->ClearValue();
  EXPECT_FALSE(person.eDBPriezvisko->ReadOnly());
  EXPECT_EQ(person.eDBPriezvisko->text(), QStringLiteral("Malý"));
}

} // namespace
