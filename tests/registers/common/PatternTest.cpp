#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/QPLBtn.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/common/TestRegisters.h"

namespace {

class PatternTest : public RegisterTest {
protected:
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    RegisterTest::TearDown();
  }
  void Group(const QString& name) {
    Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"),
         {{QStringLiteral("N"), name}});
  }
  QStringList Stored(const QString& sql) const {
    QStringList texts;
    for (const QVariant& v : Column(sql))
      texts.append(v.toString());
    return texts;
  }
  // The groups list shown, every group marked, then filtered to the prefix.
  std::unique_ptr<TfrmTestGroups> MarkedAndFiltered(const QString& prefix, quint16 rok = ProgramSettings.Rok) {
    auto form = std::make_unique<TfrmTestGroups>(nullptr, rok);
    ShowActive(*form);
    form->list.gr1->setFocus();
    form->list.gr1->CheckAll();
    QTest::keyClick(form->list.gr1, Qt::Key_F);
    form->eFilter->setText(prefix);
    form->list.btnRefreshClick();
    return form;
  }
};

TEST_F(PatternTest, DatabaseErrorOfASaveKeepsTheDialogOpenWithItsEntries) {
  Exec(QStringLiteral(
      "insert into c_druhy_dokladov (jedin,rok,skratka,typ) values (gen_id(c_druhy_dokladov_id,1),2026,'PD',1)"));
  for (int key : {int(Qt::Key_F12), int(Qt::Key_F11)}) {
    Answer();
    TfrmTestKindPridaj dialog;
    dialog.SetTag(1);
    bool open = false;
    QString kept;
    script.Then([&](TForm& f) {
      dialog.eDBSkratka->setFocus();
      TypeText(dialog.eDBSkratka, QStringLiteral("PD"));
      Press(f, key);
      open = f.isVisible();
      kept = dialog.eDBSkratka->text();
      Press(f, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(open);
    EXPECT_EQ(kept, QStringLiteral("PD"));
    EXPECT_EQ(dialog.failures, std::vector<int>{2007});
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().contains(QStringLiteral("#2007")));
    EXPECT_EQ(Stored(QStringLiteral("select skratka from c_druhy_dokladov")), QStringList(QStringLiteral("PD")));
  }
}

TEST_F(PatternTest, PlaceholderRowGoesOnEveryCloseThatDidNotSave) {
  const struct {
    const char* what;
    std::function<void(TfrmTestMemberPridaj&)> act;
    QStringList left; // surnames of the stored members
  } cases[] = {
      {"Esc", [](TfrmTestMemberPridaj& d) { Press(d, Qt::Key_Escape); }, {}},
      {"cancel button", [](TfrmTestMemberPridaj& d) { d.dlg.btnNezapis->click(); }, {}},
      {"refused save, then Esc",
       [](TfrmTestMemberPridaj& d) {
         Press(d, Qt::Key_F12); // empty surname: refused, the dialog stays
         Press(d, Qt::Key_Escape);
       },
       {}},
      {"OK",
       [](TfrmTestMemberPridaj& d) {
         d.eDBPriezvisko->setFocus();
         TypeText(d.eDBPriezvisko, QStringLiteral("Kováč"));
         Press(d, Qt::Key_F12);
       },
       {QStringLiteral("Kováč")}},
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from c_clenov"));
    Answer();
    TfrmTestMemberPridaj dialog;
    dialog.SetTag(1);
    int rowsWhileOpen = -1;
    script.Then([&](TForm&) {
      rowsWhileOpen = int(Column(QStringLiteral("select jedin from c_clenov")).size());
      c.act(dialog);
    });
    dialog.ShowModal();
    EXPECT_EQ(rowsWhileOpen, 1) << c.what;
    EXPECT_EQ(Stored(QStringLiteral("select priezvisko from c_clenov")), c.left) << c.what;
  }
}

TEST_F(PatternTest, ReadOnlyDialogWritesNothingAndF11DoesNothingWithoutItsButton) {
  Exec(QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,typ) values (7,2026,'PD',1)"));
  TfrmTestKindPridaj dialog;
  dialog.Jedin = 7;
  dialog.SetTag(2);
  bool readOnly = false, cancelHidden = false, openAfterF11 = false;
  script.Then([&](TForm& f) {
    dialog.SetTag(3);
    SetFormReadOnly(dialog);
    dialog.dlg.btnDalsi->hide();
    readOnly = dialog.eDBSkratka->ReadOnly();
    cancelHidden = dialog.dlg.btnNezapis->isHidden();
    dialog.eDBSkratka->setText(QStringLiteral("XX"));
    Press(f, Qt::Key_F11);
    openAfterF11 = f.isVisible();
    Press(f, Qt::Key_F12);
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_TRUE(readOnly);
  EXPECT_TRUE(cancelHidden);
  EXPECT_TRUE(openAfterF11);
  EXPECT_EQ(Stored(QStringLiteral("select skratka from c_druhy_dokladov")), QStringList(QStringLiteral("PD")));
}

// "Ďalší" is pressed by Alt+D as a Slovak keyboard gives it, by Alt+Ď and by
// its caption's Alt+A, from inside a text field, and no letter is typed.
TEST_F(PatternTest, AltDPressesDalsiWithoutTypingALetter) {
  const struct {
    int key;
    QString text; // what the key types without Alt
    const char* typed;
  } cases[] = {{Qt::Key_D, QStringLiteral("d"), "K1"},
               {0x10E, QStringLiteral("ď"), "K2"},
               {Qt::Key_A, QStringLiteral("a"), "K3"}};
  for (const auto& c : cases) {
    TfrmTestKindPridaj dialog;
    dialog.SetTag(1);
    QString shown;
    script.Then([&](TForm& f) {
      dialog.eDBSkratka->setFocus();
      TypeText(dialog.eDBSkratka, QString::fromLatin1(c.typed));
      // Accelerators work in the active window, as the dialog is for the user.
      f.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
      QTest::sendKeyEvent(QTest::Click, f.focusWidget(), Qt::Key(c.key), c.text, Qt::AltModifier);
      shown = dialog.eDBSkratka->text();
      // The caption's accelerator presses the button after its press shows.
      if (!QTest::qWaitFor([&] { return !f.isVisible(); }, 1000)) Press(f, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), mrSaveAndContinue) << c.typed;
    EXPECT_EQ(shown, QString::fromLatin1(c.typed)) << "no letter typed";
    EXPECT_TRUE(Stored(QStringLiteral("select skratka from c_druhy_dokladov")).contains(QString::fromLatin1(c.typed)))
        << c.typed;
  }
}

// A register window closes on Esc from any of its controls, not only its grid.
TEST_F(PatternTest, EscClosesTheListFromAnyControl) {
  for (const char* name : {"gr1", "eFilter", "combo"}) {
    TfrmTestGroups form(nullptr, 2026);
    auto* combo = new TIBComboBox(form.list.pnlFilter);
    combo->setObjectName(QStringLiteral("combo"));
    form.list.pnlFilter->layout()->addWidget(combo);
    script.Then([&](TForm& f) {
      f.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
      QTest::keyClick(form.list.gr1, Qt::Key_F); // the filter panel shows
      QWidget* control = f.findChild<QWidget*>(QString::fromLatin1(name));
      control->setFocus(Qt::TabFocusReason);
      ASSERT_TRUE(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget())) << name;
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      if (!QTest::qWaitFor([&] { return !f.isVisible(); }, 500)) {
        ADD_FAILURE() << "Esc left the list open from " << name;
        f.SetModalResult(mrCancel);
      }
    });
    EXPECT_EQ(form.ShowModal(), mrCancel) << name;
  }
}

TEST_F(PatternTest, EnterThatNoControlTookPressesNoButton) {
  TfrmTestKindPridaj dialog;
  dialog.SetTag(1);
  bool open = false;
  script.Then([&](TForm& f) {
    dialog.eDBSkratka->setText(QStringLiteral("XY"));
    QTest::keyClick(&f, Qt::Key_Return);
    open = f.isVisible();
    Press(f, Qt::Key_Escape);
  });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_TRUE(open);
  EXPECT_TRUE(Column(QStringLiteral("select skratka from c_druhy_dokladov")).isEmpty());
}

TEST_F(PatternTest, FilterKeyShowsThePanelAndItsClauseNarrowsTheList) {
  for (const char* name : {"Ahoj", "Bum"})
    Group(QString::fromLatin1(name));
  TfrmTestGroups form(nullptr, 2026);
  ShowActive(form);
  form.list.gr1->setFocus();
  QTest::keyClick(form.list.gr1, Qt::Key_F);
  EXPECT_TRUE(form.list.pnlFilter->isVisible());
  EXPECT_TRUE(form.list.btnFilter->Down());
  EXPECT_EQ(form.list.btnFilter->ImageIndex(), 18);
  form.eFilter->setFocus();
  QTest::keyClicks(form.eFilter, QStringLiteral("A"));
  form.list.gr1->setFocus(); // leaving the panel refreshes
  EXPECT_EQ(form.list.ib1->RecordCount(), 1);
  form.list.gr1->setFocus();
  QTest::keyClick(form.list.gr1, Qt::Key_F);
  EXPECT_FALSE(form.list.pnlFilter->isVisible());
  EXPECT_EQ(form.list.btnFilter->ImageIndex(), 17);
  EXPECT_EQ(form.list.ib1->RecordCount(), 2);
}

TEST_F(PatternTest, DeleteOfMarkedRowsLeavesTheMarkedRowsTheFilterHides) {
  for (const char* name : {"A1", "A2", "B1"})
    Group(QString::fromLatin1(name));
  auto form = MarkedAndFiltered(QStringLiteral("A"));
  Answer({mrYes});
  QTest::keyClick(form->list.gr1, Qt::Key_Delete);
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Naozaj vymazať všetky označené záznamy?")));
  EXPECT_EQ(Stored(QStringLiteral("select nazov from c_clenenie_clenov")), QStringList(QStringLiteral("B1")));
  EXPECT_EQ(form->list.gr1->CheckedList().Keys(), QList<int>({3})); // B1 keeps its mark
}

TEST_F(PatternTest, DeleteOfMoreMarkedRowsThanOneListTakesGoesThroughInOneStatement) {
  {
    TTestStatement insert(
        db.get(),
        QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"));
    for (int i = 0; i < 1450; ++i) {
      insert.Query().ParamByName(QStringLiteral("N")).SetValue(QStringLiteral("G%1").arg(i));
      insert.Query().ExecSQL();
    }
    insert.Commit();
  }
  TfrmTestGroups form(nullptr, 2026);
  ShowActive(form);
  form.list.gr1->CheckAll();
  Answer({mrYes});
  EXPECT_TRUE(DeleteMarkedRecords(*form.list.gr1, QStringLiteral("c_clenenie_clenov")));
  EXPECT_TRUE(Column(QStringLiteral("select jedin from c_clenenie_clenov")).isEmpty());
}

TEST_F(PatternTest, PrintTakesTheMarkedRowsTheListShowsElseTheWholeFilteredList) {
  std::vector<TRecordedPrint> prints;
  SetPrintFormFactory([&prints] { return std::make_unique<TRecordingPrintForm>(prints); });
  for (const char* name : {"A1", "A2", "B1"})
    Group(QString::fromLatin1(name));
  Organizacia.Nazov = QStringLiteral("MO SRZ Vimek 'Pstruh'");

  auto form = MarkedAndFiltered(QStringLiteral("A"), 2025); // the print names the list's year, not the working one
  form->list.gr1->UncheckAll();                             // A1 and A2 unmarked: the hidden B1 keeps its mark
  form->list.ib1->First();
  form->list.gr1->CheckRow(); // A1
  form->list.gr1->setFocus();
  QTest::keyClick(form->list.gr1, Qt::Key_T);
  form->list.gr1->UncheckAll();
  form->list.btnTlacClick();
  form->eFilter->setText(QStringLiteral("C"));
  form->list.btnRefreshClick();
  form->list.btnTlacClick();

  ASSERT_EQ(prints.size(), 3u);
  EXPECT_EQ(prints[0].Rows, QStringList(QStringLiteral("A1")));
  EXPECT_EQ(prints[1].Rows, QStringList({QStringLiteral("A1"), QStringLiteral("A2")}));
  EXPECT_FALSE(prints[2].Shown);
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Nie sú údaje pre tlač.")));

  const TRecordedPrint& p = prints[0];
  EXPECT_EQ(p.Title, QStringLiteral("Zoznam skupín"));
  EXPECT_EQ(p.Template, QStringLiteral("Skupiny.rpf"));
  EXPECT_EQ(p.Aliases, (QList<std::pair<QString, QString>>{{QStringLiteral("ib1"), QStringLiteral("MASTER")}}));
  ASSERT_GE(p.Variables.size(), 4);
  EXPECT_EQ(p.Variables[0], std::make_pair(QStringLiteral(" Nastavenia"), QStringLiteral("''")));
  EXPECT_EQ(p.Variables[1], std::make_pair(QStringLiteral("Rok"), QStringLiteral("'2025'")));
  EXPECT_EQ(p.Variables[2], std::make_pair(QStringLiteral(" Organizacia"), QStringLiteral("''")));
  EXPECT_EQ(p.Variables[3], std::make_pair(QStringLiteral("Nazov"), QStringLiteral("'MO SRZ Vimek ''Pstruh'''")));
}

} // namespace

namespace {

// A per-year list whose filter panel holds a value of every kind before it is created.
class TfrmTestYearList : public TForm {
public:
  explicit TfrmTestYearList(QWidget* owner = nullptr, quint16 rok = 2026)
      : TForm(owner), list(*this, kStandardListButtons | lbFilter, rok) {
    QLayout* panel = list.pnlFilter->layout();
    eText = new QLineEdit(QStringLiteral("text"), list.pnlFilter);
    eBox = new TIBCheckBox(QStringLiteral("Iba:"), list.pnlFilter);
    eBox->setChecked(true);
    eDatum = new TIBDate(list.pnlFilter);
    eDatum->SetDate(46000.0);
    eSuma = new TIBCurrencyEdit(list.pnlFilter);
    eSuma->SetValue(12.5);
    eCombo = new TIBComboBox(list.pnlFilter);
    eCombo->SetDatabase(MainDatabase());
    eCombo->SetSTableName(QStringLiteral("c_clenenie_clenov"));
    eCombo->SetSKeyField(QStringLiteral("jedin"));
    eCombo->SetSAppendFromField(QStringLiteral("nazov"));
    eCombo->SetSAutoAppend(true);
    eCombo->FindIt(1);
    for (QWidget* control : std::initializer_list<QWidget*>{eText, eBox, eDatum, eSuma, eCombo})
      panel->addWidget(control);
    list.Select = [](TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov from c_clenenie_clenov a")); };
    list.FormCreate(QStringLiteral("Zoznam - rok %d"), QSize(300, 300));
  }
  QLineEdit* eText;
  TIBCheckBox* eBox;
  TIBDate* eDatum;
  TIBCurrencyEdit* eSuma;
  TIBComboBox* eCombo;
  TListPattern list;
};

TEST_F(PatternTest, CreationPutsTheYearIntoTheCaptionAndClearsTheFilterPanel) {
  Group(QStringLiteral("Prvá"));
  TfrmTestYearList form;
  EXPECT_EQ(form.Caption(), QStringLiteral("Zoznam - rok 2026"));
  TfrmTestYearList earlier(nullptr, 2019); // a register whose opener chose another year
  EXPECT_EQ(earlier.Caption(), QStringLiteral("Zoznam - rok 2019"));
  EXPECT_TRUE(form.eText->text().isEmpty());
  EXPECT_FALSE(form.eBox->isChecked());
  EXPECT_TRUE(form.eDatum->Date().isNull());
  EXPECT_TRUE(form.eSuma->text().isEmpty() || form.eSuma->Value() == 0);
  EXPECT_TRUE(form.eCombo->GetKeyValue().isNull());
  EXPECT_TRUE(form.eCombo->currentText().isEmpty());

  TfrmTestGroups plain(nullptr, 2026); // a caption without "%d" stays as designed
  EXPECT_EQ(plain.Caption(), QStringLiteral("Skupiny"));
}

} // namespace
