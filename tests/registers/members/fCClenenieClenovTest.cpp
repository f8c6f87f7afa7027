#include "registers/members/fCClenenieClenov.h"
#include "app/FormRegistry.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "registers/common/Picker.h"
#include "registers/members/MembersForms.h"
#include "registers/members/fCClenenieClenovPridaj.h"
#include "tests/registers/common/RegisterTestSupport.h"

namespace {

class MemberGroupsTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    form = std::make_unique<TfrmCClenenieClenov>(nullptr, ProgramSettings.Rok);
  }
  void TearDown() override {
    form.reset();
    RegisterTest::TearDown();
  }
  void Open() {
    ShowActive(*form);
    form->list.gr1->setFocus();
  }
  void Insert(const QString& name) {
    Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"),
         {{QStringLiteral("N"), name}});
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form->list.gr1, Qt::Key(key), modifiers);
  }
  // The names of the list in its order, and the current one.
  QStringList Listed() const {
    QStringList names;
    TIBQuery& q = *form->list.ib1;
    for (int row = 0; row < q.RecordCount(); ++row)
      names.append(q.ValueAt(row, q.FieldByName(QStringLiteral("NAZOV")).Index()).toString());
    return names;
  }
  QString Current() const { return form->list.ib1->FieldByName(QStringLiteral("NAZOV")).AsString(); }
  QVariantList Stored() const { return Column(QStringLiteral("select nazov from c_clenenie_clenov order by jedin")); }
  static TfrmCClenenieClenovPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmCClenenieClenovPridaj&>(f); }
  // The dialog's action: types the name into the emptied edit and presses the key.
  std::function<void(TForm&)> Enter(const QString& name, int key) {
    return [name, key](TForm& f) {
      TIBEdit* edit = Dialog(f).eDBNazov;
      edit->setFocus();
      edit->clear();
      TypeText(edit, name);
      Press(f, key);
    };
  }

  std::unique_ptr<TfrmCClenenieClenov> form;
};

TEST_F(MemberGroupsTest, AddKeysSaveTheRowAndTheListStandsOnIt) {
  Insert(QStringLiteral("Mládež"));
  Open();
  for (int key : {int(Qt::Key_P), int(Qt::Key_F2)}) {
    const QString name = QStringLiteral("Skupina %1").arg(key);
    QString caption, focused;
    script.Then([&](TForm& f) {
      caption = f.Caption();
      focused = f.focusWidget() ? f.focusWidget()->objectName() : QString();
      Enter(name, Qt::Key_F12)(f);
    });
    Key(key);
    EXPECT_EQ(caption, QStringLiteral("Pridanie členenia členov"));
    EXPECT_EQ(focused, QStringLiteral("eDBNazov"));
    EXPECT_TRUE(Stored().contains(name));
    EXPECT_EQ(Current(), name);
  }
}

TEST_F(MemberGroupsTest, SaveAndContinueAddsEachPassAndStillRefusesTheNameJustSaved) {
  Open();
  script.Then(Enter(QStringLiteral("Seniori"), Qt::Key_F11));
  bool stayedOpen = false;
  QString refusal;
  script.Then([&](TForm& f) {
    Enter(QStringLiteral("SENIORI"), Qt::Key_F12)(f);
    stayedOpen = f.isVisible();
    refusal = Messages().value(0);
    Enter(QStringLiteral("Juniori"), Qt::Key_F12)(f);
  });
  Key(Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(refusal.contains(QStringLiteral("#1004"))) << refusal.toStdString();
  EXPECT_EQ(Stored(), QVariantList({QStringLiteral("Seniori"), QStringLiteral("Juniori")}));
  EXPECT_EQ(Current(), QStringLiteral("Juniori"));
}

TEST_F(MemberGroupsTest, DialogRefusesEmptyAndDuplicateNamesAndCancelWritesNothing) {
  Insert(QStringLiteral("Ženy"));
  Open();
  const struct {
    QString name;
    int key;
    QString message; // empty: no message
  } cases[] = {
      {QString(), Qt::Key_F12, QStringLiteral("#1001")},
      {QStringLiteral("žENY"), Qt::Key_F12, QStringLiteral("#1004")},
      {QStringLiteral("Ženy"), Qt::Key_F11, QStringLiteral("#1004")},
      {QStringLiteral("Nová"), Qt::Key_Escape, QString()},
  };
  for (const auto& c : cases) {
    Answer();
    int shownAfter = -1;
    script.Then([&](TForm& f) {
      Enter(c.name, c.key)(f);
      shownAfter = f.isVisible();
      if (f.isVisible()) Press(f, Qt::Key_Escape);
    });
    Key(Qt::Key_P);
    EXPECT_EQ(shownAfter, c.message.isEmpty() ? 0 : 1) << c.name.toStdString();
    EXPECT_EQ(Messages().size(), c.message.isEmpty() ? 0 : 1);
    if (!c.message.isEmpty()) {
      EXPECT_TRUE(Messages().value(0).contains(c.message)) << c.name.toStdString();
    }
    EXPECT_EQ(Stored(), QVariantList({QStringLiteral("Ženy")}));
  }
}

TEST_F(MemberGroupsTest, EditKeysLoadTheRowAndKeepItsOwnNameValid) {
  Insert(QStringLiteral("Deti"));
  Insert(QStringLiteral("Dospelí"));
  Open();
  for (int key : {int(Qt::Key_O), int(Qt::Key_F4)}) {
    form->list.LocateKey(1);
    QString caption, loaded;
    script.Then([&](TForm& f) {
      caption = f.Caption();
      loaded = Dialog(f).eDBNazov->text();
      Press(f, Qt::Key_F12); // unchanged: its own name is no duplicate
    });
    Key(key);
    EXPECT_EQ(caption, QStringLiteral("Oprava členenia členov"));
    EXPECT_EQ(loaded, QStringLiteral("Deti"));
  }
  script.Then(Enter(QStringLiteral("Deti a mládež"), Qt::Key_F12));
  Key(Qt::Key_Return);
  EXPECT_EQ(Stored(), QVariantList({QStringLiteral("Deti a mládež"), QStringLiteral("Dospelí")}));
  EXPECT_EQ(Current(), QStringLiteral("Deti a mládež"));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MemberGroupsTest, SaveAndContinueInEditWalksDownAndStopsAfterTheLastRow) {
  for (const char* name : {"A", "B", "C"})
    Insert(QString::fromLatin1(name));
  Open();
  form->list.LocateKey(2);
  for (const char* name : {"B2", "C2"})
    script.Then(Enter(QString::fromLatin1(name), Qt::Key_F11));
  Key(Qt::Key_O);
  EXPECT_EQ(Stored(), QVariantList({QStringLiteral("A"), QStringLiteral("B2"), QStringLiteral("C2")}));
  EXPECT_EQ(Current(), QStringLiteral("C2"));
}

TEST_F(MemberGroupsTest, EditOfARowDeletedMeanwhileShows1012AndEndsTheLoop) {
  Insert(QStringLiteral("Preč"));
  Open();
  Exec(QStringLiteral("delete from c_clenenie_clenov"));
  bool closedItself = false;
  script.Then([&](TForm& f) {
    // The dialog posted its own close: let it run.
    QTimer::singleShot(50, &f, [&closedItself, &f] { closedItself = !f.isVisible(); });
  });
  Key(Qt::Key_O);
  QTest::qWait(80);
  EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1012")));
  EXPECT_TRUE(Listed().isEmpty());
}

TEST_F(MemberGroupsTest, DeleteAsksAndRemovesTheCurrentRowOrTheMarkedRows) {
  const struct {
    int key;
    int answer;
    int marks; // rows marked with Insert from the first row
    QStringList left;
  } cases[] = {
      {Qt::Key_Delete, mrNo, 0, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}},
      {Qt::Key_Delete, mrYes, 0, {QStringLiteral("B"), QStringLiteral("C")}},
      {Qt::Key_F8, mrYes, 2, {QStringLiteral("C")}},
      {Qt::Key_F8, mrNo, 2, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}},
  };
  for (const auto& c : cases) {
    Exec(QStringLiteral("delete from c_clenenie_clenov"));
    for (const char* name : {"A", "B", "C"})
      Insert(QString::fromLatin1(name));
    form = std::make_unique<TfrmCClenenieClenov>(nullptr, ProgramSettings.Rok);
    Open();
    for (int i = 0; i < c.marks; ++i)
      Key(Qt::Key_Insert);
    form->list.ib1->First();
    Answer({c.answer});
    Key(c.key);
    EXPECT_EQ(Messages(), QStringList(c.marks ? QStringLiteral("Naozaj vymazať všetky označené záznamy?")
                                              : QStringLiteral("Naozaj vymazať označený záznam?")));
    EXPECT_EQ(Listed(), c.left);
    QStringList stored;
    for (const QVariant& v : Stored())
      stored.append(v.toString());
    EXPECT_EQ(stored, c.left);
    EXPECT_FALSE(form->list.gr1->OznacNaCerveno());
  }
}

TEST_F(MemberGroupsTest, RefreshKeepsTheCurrentRowAndADirectionKeyTurnsTheOrder) {
  for (const char* name : {"B", "D"})
    Insert(QString::fromLatin1(name));
  Open();
  EXPECT_EQ(Current(), QStringLiteral("B")); // the first refresh shows the first row
  Key(Qt::Key_Down);
  Insert(QStringLiteral("A"));
  Key(Qt::Key_R);
  EXPECT_EQ(Listed(), QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}));
  EXPECT_EQ(Current(), QStringLiteral("D"));
  EXPECT_TRUE(form->list.Smer.isEmpty());
  const struct {
    QString smer;
    QStringList order;
  } presses[] = {
      {QStringLiteral(" DESC"), {QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("A")}},
      {QStringLiteral(" ASC"), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}},
      {QStringLiteral(" DESC"), {QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("A")}},
  };
  for (const auto& p : presses) {
    Key(Qt::Key_A);
    EXPECT_EQ(form->list.Smer, p.smer);
    EXPECT_EQ(Listed(), p.order);
    EXPECT_EQ(Current(), QStringLiteral("D"));
  }
}

TEST_F(MemberGroupsTest, OnlyMarkedKeysShowTheMarkedRowsOrSayNothingIsMarked) {
  for (const char* name : {"A", "B", "C"})
    Insert(QString::fromLatin1(name));
  Open();
  TToolButton* button = form->list.btnOznacene;
  Key(Qt::Key_Asterisk, Qt::KeypadModifier);
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Nie je označený žiadny záznam!")));
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(button->ImageIndex(), 7);
  EXPECT_EQ(Listed().size(), 3);

  Key(Qt::Key_Down);
  Key(Qt::Key_Insert); // B
  Key(Qt::Key_Insert); // C
  Key(Qt::Key_Slash, Qt::KeypadModifier);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(button->ImageIndex(), 8);
  EXPECT_EQ(Listed(), QStringList({QStringLiteral("B"), QStringLiteral("C")}));

  Answer({mrYes});
  Key(Qt::Key_Delete);
  EXPECT_FALSE(button->Down()); // nothing marked is left: the button is released
  EXPECT_EQ(Listed(), QStringList({QStringLiteral("A")}));
}

TEST_F(MemberGroupsTest, PickerReturnsTheChosenKeyAndEscClosesWithoutOne) {
  for (const char* name : {"A", "B"})
    Insert(QString::fromLatin1(name));
  form->SetTag(1);
  form->list.btnRefreshClick();
  script.Then([this](TForm&) {
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->list.ib1->FieldByName(QStringLiteral("JEDIN")).AsInteger(), 2);

  script.Then([this](TForm& f) { Press(f, Qt::Key_Escape); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(MemberGroupsTest, PickerOverAnEmptyListDoesNotCloseOnEnter) {
  form->SetTag(1);
  form->list.btnRefreshClick();
  bool openAfterEnter = false;
  script.Then([&](TForm& f) {
    Key(Qt::Key_Return);
    openAfterEnter = f.isVisible();
    Press(f, Qt::Key_Escape);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_TRUE(openAfterEnter);
}

} // namespace

namespace {

class GroupPickerTest : public RegisterTest {};

TEST_F(GroupPickerTest, ComboTakesTheRowChosenInTheRegisteredList) {
  RegisterMembersForms();
  for (const char* name : {"A", "B"})
    Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"),
         {{QStringLiteral("N"), QString::fromLatin1(name)}});
  TForm dialog;
  auto* combo = new TIBComboBox(&dialog);
  combo->SetDatabase(db.get());
  combo->SetSTableName(QStringLiteral("c_clenenie_clenov"));
  combo->SetSAppendFromField(QStringLiteral("nazov"));
  combo->SetSKeyField(QStringLiteral("jedin"));
  combo->SetSAutoAppend(true);
  auto* button = new TSpeedButton(&dialog);
  combo->FindIt(1);
  const struct {
    int key; // pressed in the list after it opened; 0: the picker button is hidden
    bool chosen;
    int inCombo;
  } cases[] = {{Qt::Key_Escape, false, 1}, {Qt::Key_Return, true, 2}, {0, false, 2}};
  for (const auto& c : cases) {
    button->setHidden(c.key == 0);
    int openedOn = 0;
    if (c.key)
      script.Then([&](TForm& f) {
        TListPattern* list = TListPattern::Of(&f);
        openedOn = list->ib1->FieldByName(QStringLiteral("jedin")).AsInteger();
        QTest::keyClick(list->gr1, Qt::Key_Down);
        QTest::keyClick(list->gr1, Qt::Key(c.key));
      });
    EXPECT_EQ(PickFromList(*combo, QStringLiteral("TfrmCClenenieClenov"), button), c.chosen);
    if (c.key) {
      EXPECT_EQ(openedOn, 1);
    } // positioned on the combo's key
    EXPECT_EQ(combo->GetKeyValue().toInt(), c.inCombo);
  }
  FormRegistry::Unregister(QStringLiteral("TfrmCClenenieClenov"));
}

} // namespace
