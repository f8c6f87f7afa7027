#include "app/MyUnitsForms.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBTime.h"
#include "controls/QPLBtn.h"
#include "core/ui/ImageList.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/common/TestRegisters.h"
#include <QtWidgets/QVBoxLayout>

namespace {

class FormRoutinesTest : public RegisterTest {
protected:
  QList<int> SetOf(qint64 connection, const QString& tag) const {
    QList<int> keys;
    for (const QVariant& v :
         Column(QStringLiteral("select cislo from temp_spracuj where connection_id=:C and zaradenie=:T order by jedin"),
                {{QStringLiteral("C"), connection}, {QStringLiteral("T"), tag}}))
      keys.append(v.toInt());
    return keys;
  }
};

enum class State { Visible, Hidden, Disabled };

TEST_F(FormRoutinesTest, RequiredCheckRunsOnlyOnControlsThatCanTakeTheFocus) {
  const std::function<QWidget*(QWidget*)> makers[] = {
      [](QWidget* p) {
        auto* c = new TIBEdit(p);
        c->SetRequired(true);
        return c;
      },
      [](QWidget* p) {
        auto* c = new TIBDate(p);
        c->SetRequired(true);
        return c;
      },
      [](QWidget* p) {
        auto* c = new TIBTime(p);
        c->SetRequired(true);
        return c;
      },
  };
  for (const auto& make : makers) {
    for (State state : {State::Visible, State::Hidden, State::Disabled}) {
      Answer();
      TForm form;
      auto* layout = new QVBoxLayout(&form);
      auto* optional = new TIBEdit(&form);
      layout->addWidget(optional);
      QWidget* failing = make(&form);
      layout->addWidget(failing);
      failing->setVisible(state != State::Hidden);
      failing->setEnabled(state != State::Disabled);
      ShowActive(form);
      static_cast<QLineEdit*>(failing)->clear(); // date and time edits propose today and now
      const bool failed = CheckRequiredInputs(form);
      EXPECT_EQ(failed, state == State::Visible) << failing->metaObject()->className() << " state " << int(state);
      EXPECT_EQ(Messages().size(), state == State::Visible ? 1 : 0) << failing->metaObject()->className();
      if (failed) {
        EXPECT_EQ(form.focusWidget(), failing) << failing->metaObject()->className();
      }
    }
  }
}

TEST_F(FormRoutinesTest, ReadOnlyModeLeavesOnlyTheDialogsOwnButtons) {
  TForm form;
  auto* edit = new TIBEdit(&form);
  auto* check = new TIBCheckBox(&form);
  auto* picker = new TSpeedButton(&form);
  const struct {
    const char* name;
    bool enabled, hidden;
  } buttons[] = {{"btnDalsi", true, false},
                 {"btnZapis", true, false},
                 {"btnNezapis", true, true},
                 {"btnTlacDoklad", false, false}};
  QList<TQPLBtn*> made;
  for (const auto& b : buttons) {
    made.append(new TQPLBtn(QString::fromLatin1(b.name), &form));
    made.last()->setObjectName(QString::fromLatin1(b.name));
  }
  SetFormReadOnly(form);
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_FALSE(check->isEnabled());
  EXPECT_TRUE(picker->isHidden());
  for (int i = 0; i < made.size(); ++i) {
    EXPECT_EQ(made[i]->isEnabled(), buttons[i].enabled) << buttons[i].name;
    EXPECT_EQ(made[i]->isHidden(), buttons[i].hidden) << buttons[i].name;
  }
}

TEST_F(FormRoutinesTest, StandardHintsFillOnlyBlankHintsOfTheMainWindowsLists) {
  TImageList il16(16, 16), il32(32, 32), other(32, 32);
  SetImageLists(&il16, &il32);
  const struct {
    TImageList* list;
    int image;
    QString own, expected;
  } cases[] = {
      {&il32, 0, QString(), QStringLiteral("Pridanie záznamu (P,F2)")},
      {&il32, 8, QStringLiteral("  "),
       QStringLiteral(
           "Zobraz len označené záznamy alebo zobraz všetky záznamy (neber do úvahy označenie záznamu) (/,*)")},
      {&il32, 3, QStringLiteral("Tlač zoznamu"), QStringLiteral("Tlač zoznamu")},
      {&il32, 19, QString(), QString()},
      {&il16, 5, QString(), QStringLiteral("Pridanie záznamu (P,F2)")},
      {&il16, 8, QString(), QStringLiteral("Vykonaj")},
      {&other, 0, QString(), QString()},
  };
  for (const auto& c : cases) {
    TToolBar bar;
    bar.SetImages(c.list);
    TToolButton* button = bar.AddButton(QStringLiteral("btn"), c.image);
    button->SetHint(c.own);
    SetDefaultToolbarHints(bar);
    EXPECT_EQ(button->Hint(), c.expected.isEmpty() && !c.own.isEmpty() ? c.own : c.expected) << c.image;
    EXPECT_EQ(bar.ShowHint(), c.list != &other);
  }
  SetImageLists(nullptr, nullptr);
}

TEST_F(FormRoutinesTest, SelectionSetsBelongToTheirConnection) {
  const QString tag = QStringLiteral("DBD05A9C-3FA7-4662");
  std::unique_ptr<TIBDatabase> second = fresh->Connect();
  EXPECT_TRUE(TempSpracujAdd(1, tag));
  EXPECT_TRUE(TempSpracujAdd(2, tag));
  SetMainDatabase(second.get());
  EXPECT_TRUE(TempSpracujClear(tag)); // its own rows only
  EXPECT_TRUE(TempSpracujAdd(3, tag));
  SetMainDatabase(db.get());
  EXPECT_EQ(SetOf(db->ConnectionId(), tag), QList<int>({1, 2}));
  EXPECT_EQ(SetOf(second->ConnectionId(), tag), QList<int>({3}));
  EXPECT_TRUE(TempSpracujClear(tag));
  EXPECT_TRUE(SetOf(db->ConnectionId(), tag).isEmpty());
  EXPECT_EQ(SetOf(second->ConnectionId(), tag), QList<int>({3}));
  second->Close();
}

TEST_F(FormRoutinesTest, StoringAGridTakesMarkedRowsElseAllRowsOrTheCurrentOne) {
  const QString tag = QStringLiteral("3717F74E-DEE6-476B");
  for (const char* name : {"A", "B", "C"})
    Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"),
         {{QStringLiteral("N"), QString::fromLatin1(name)}});
  const struct {
    QList<int> marks; // rows (0-based) marked in this order
    bool allRows;
    int current;
    QString prefix; // filter
    QList<int> stored;
  } cases[] = {
      {{}, true, 1, QString(), {1, 2, 3}},
      {{}, false, 1, QString(), {2}},
      {{2, 0}, false, 1, QString(), {3, 1}},
      {{}, false, 0, QStringLiteral("X"), {}},
  };
  for (const auto& c : cases) {
    TempSpracujAdd(99, tag); // an earlier selection
    TfrmTestGroups form(nullptr, 2026);
    form.list.btnFilterClick(&form);
    form.eFilter->setText(c.prefix);
    form.list.btnRefreshClick();
    for (int row : c.marks) {
      form.list.ib1->SetRecNo(row + 1);
      form.list.gr1->CheckRow();
    }
    if (!form.list.ib1->IsEmpty()) form.list.ib1->SetRecNo(c.current + 1);
    TempSpracujStoreGrid(*form.list.gr1, tag, c.allRows);
    EXPECT_EQ(SetOf(db->ConnectionId(), tag), c.stored);
  }
}

} // namespace
