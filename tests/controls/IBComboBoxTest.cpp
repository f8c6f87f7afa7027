#include "controls/IBComboBox.h"
#include "KitTestSupport.h"
#include "controls/QPLBtn.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "platform/base/Registry.h"
#include "schema/BaseScript.h"
#include "tests/support/FreshDatabase.h"
#include "tests/support/SqlTestRoutines.h"
#include "tests/support/TestOutput.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionComboBox>

namespace {

void MakeMembersDatabase(const QString& path) { CreateDatabaseFromBaseScript(path); }

struct Member {
  const char* surname;
  const char* name;
};

// Members with diacritics, namesakes (two "Novák Ján" rows) and a name with
// an apostrophe; the rest of the few hundred rows are generated.
const Member kMembers[] = {{"Novák", "Ján"},    {"Novák", "Ján"},      {"Nováková", "Jana"}, {"Šťastný", "Ľubomír"},
                           {"Čierna", "Žofia"}, {"O'Neil", "Patrick"}, {"Ďurica", "Ňoňo"},   {"Ľalík", "Ábel"},
                           {"Nový", "Peter"},   {"Kováč", "Ján"}};

class LookupComboTest : public KitDialogTest {
protected:
  static void SetUpTestSuite() {
    fresh = new FreshDatabase(&MakeMembersDatabase);
    auto db = fresh->Connect();
    TTestStatement statement(db.get(),
                             QStringLiteral("insert into c_clenov (jedin, priezvisko, meno) values (:J, :P, :M)"));
    TIBQuery& insert = statement.Query();
    int key = 0;
    auto add = [&](const QString& surname, const QString& name) {
      insert.ParamByName(QStringLiteral("J")).SetValue(++key);
      insert.ParamByName(QStringLiteral("P")).SetValue(surname);
      insert.ParamByName(QStringLiteral("M")).SetValue(name);
      insert.ExecSQL();
    };
    for (const Member& m : kMembers)
      add(QString::fromUtf8(m.surname), QString::fromUtf8(m.name));
    const QStringList surnames{QStringLiteral("Horváth"), QStringLiteral("Tóth"), QStringLiteral("Baláž"),
                               QStringLiteral("Molnár"), QStringLiteral("Varga")};
    for (int i = 0; i < 300; ++i)
      add(surnames[i % 5], QStringLiteral("Člen%1").arg(i, 3, 10, QLatin1Char('0')));
    statement.Commit();
    db->Close();
  }
  static void TearDownTestSuite() {
    delete fresh;
    fresh = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    previousConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    db = fresh->Connect();
    combo = Add<TIBComboBox>(QStringLiteral("cbClen"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    Configure(combo);
    Show();
  }
  void TearDown() override {
    delete combo;
    db->Close();
    qputenv("XDG_CONFIG_HOME", previousConfig);
  }

  // A member combo as the dialogs set it up.
  void Configure(TIBComboBox* c) {
    c->SetDatabase(db.get());
    c->SetSTableName(QStringLiteral("c_clenov"));
    c->SetSAppendFromField(QStringLiteral("nazov_uplny"));
    c->SetSKeyField(QStringLiteral("jedin"));
    c->SetSKeyField(1, QStringLiteral("priezvisko"));
    c->SetSOrderBy(QStringLiteral("nazov_uplny_x, jedin"));
    c->SetSUseBasicASCIIColumn(true);
    c->SetSAutoAppend(true);
  }
  void Type(const QString& text) {
    Focus(combo);
    TypeText(combo, text);
  }
  // Leaves with Tab; true when the focus moved on.
  bool Leave() {
    QTest::keyClick(combo, Qt::Key_Tab);
    return next->hasFocus();
  }
  QVariant Scalar(const QString& sql) {
    TTestStatement statement(db.get(), sql);
    TIBQuery& query = statement.Query();
    query.Open();
    return query.IsEmpty() ? QVariant() : query.ValueAt(0, 0);
  }
  QStringList Items() const {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
      items.append(combo->itemText(i));
    return items;
  }

  static inline FreshDatabase* fresh = nullptr;
  QTemporaryDir config;
  QByteArray previousConfig;
  std::unique_ptr<TIBDatabase> db;
  TIBComboBox* combo = nullptr;
  QLineEdit* next = nullptr;
};

TEST_F(LookupComboTest, TypingCompletesFromTheFirstMatchingRowAfterThePause) {
  const struct {
    const char* typed;
    const char* text;
    const char* appended;
    int key;             // 0: no row
    const char* rowText; // what a dialog stores or prints
  } cases[] = {
      // The typed characters stay as typed; leaving puts the row's own text in.
      {"nov", "novák Ján", "ák Ján", 1, "Novák Ján"},
      {"NOVÁKOVÁ", "NOVÁKOVÁ Jana", " Jana", 3, "Nováková Jana"},
      {"stast", "stastný Ľubomír", "ný Ľubomír", 4, "Šťastný Ľubomír"},
      {"čierna ž", "čierna žofia", "ofia", 5, "Čierna Žofia"},
      {"o'n", "o'neil Patrick", "eil Patrick", 6, "O'Neil Patrick"},
      {"xyzq", "xyzq", "", 0, "xyzq"},
  };
  for (const auto& c : cases) {
    const QString typed = QString::fromUtf8(c.typed);
    combo->ClearValue();
    Type(typed);
    EXPECT_EQ(combo->currentText(), typed) << "no query before the pause";
    combo->TimerElapsed();
    EXPECT_EQ(combo->currentText(), QString::fromUtf8(c.text)) << c.typed;
    EXPECT_EQ(combo->lineEdit()->selectedText(), QString::fromUtf8(c.appended)) << c.typed;
    EXPECT_EQ(combo->GetKeyValue(), c.key ? QVariant(c.key) : QVariant()) << c.typed;
    EXPECT_EQ(combo->RowText(), QString::fromUtf8(c.rowText)) << c.typed;
    EXPECT_EQ(combo->Color(), c.key ? TDataEntryControl::FocusColor : TDataEntryControl::ErrorColor) << c.typed;
  }
}

TEST_F(LookupComboTest, BackspaceSpaceAndStarNeverComplete) {
  for (const char* typed : {"nov ", "*nov"}) {
    combo->ClearValue();
    Type(QString::fromUtf8(typed));
    combo->TimerElapsed();
    EXPECT_EQ(combo->currentText(), QString::fromUtf8(typed));
    EXPECT_TRUE(combo->GetKeyValue().isNull()) << typed;
    EXPECT_NE(combo->Color(), TDataEntryControl::ErrorColor) << typed;
  }
  combo->ClearValue();
  Type(QStringLiteral("novx"));
  QTest::keyClick(combo, Qt::Key_Backspace);
  combo->TimerElapsed();
  EXPECT_EQ(combo->currentText(), QStringLiteral("nov"));
  EXPECT_EQ(combo->Color(), TDataEntryControl::FocusColor) << "Backspace clears the red background";
}

TEST_F(LookupComboTest, TheListShowsAllRowsPrefixMatchesOrContainingPieces) {
  const int all = Scalar(QStringLiteral("select count(*) from c_clenov")).toInt();
  Focus(combo);
  combo->FillList();
  EXPECT_EQ(combo->count(), all) << "empty text: the whole list";
  const struct {
    const char* typed;
    QStringList expected; // empty: every row, with the text selected
  } cases[] = {
      {"nová", {QStringLiteral("Novák Ján"), QStringLiteral("Novák Ján"), QStringLiteral("Nováková Jana")}},
      {"*nov*ján", {QStringLiteral("Novák Ján"), QStringLiteral("Novák Ján"), QStringLiteral("Nováková Jana")}},
      {"*k j", {QStringLiteral("Novák Ján"), QStringLiteral("Novák Ján")}},
      {"**ová* *jana", {QStringLiteral("Nováková Jana")}},
      {"*ová*ján",
       {QStringLiteral("Kováč Ján"), QStringLiteral("Novák Ján"), QStringLiteral("Novák Ján"),
        QStringLiteral("Nováková Jana")}},
      {"*ťast*bom", {QStringLiteral("Šťastný Ľubomír")}},
      {"qqq", {}},
  };
  for (const auto& c : cases) {
    combo->ClearValue();
    Type(QString::fromUtf8(c.typed));
    combo->FillList();
    if (c.expected.isEmpty()) {
      EXPECT_EQ(combo->count(), all) << c.typed;
      EXPECT_EQ(combo->lineEdit()->selectedText(), combo->currentText()) << c.typed;
    } else {
      EXPECT_EQ(Items(), c.expected) << c.typed;
    }
    EXPECT_EQ(combo->currentText(), QString::fromUtf8(c.typed)) << "filling the list keeps the text";
  }
}

TEST_F(LookupComboTest, StatementsBindEveryTypedText) {
  combo->lineEdit()->setText(QStringLiteral("*O'Neil' or 1=1 --*x"));
  const TComboStatement list = combo->ListStatement(true);
  EXPECT_EQ(list.Sql, QStringLiteral("Select\nnazov_uplny,jedin,priezvisko\nfrom c_clenov\n"
                                     "where nazov_uplny_x containing UpperQPL2(:DATA1)\n"
                                     "and nazov_uplny_x containing UpperQPL2(:DATA2)\norder by nazov_uplny_x, jedin"));
  EXPECT_EQ(list.Params.value(QStringLiteral("DATA1")), QStringLiteral("O'Neil' or 1=1 --"));
  combo->lineEdit()->setText(QStringLiteral("***"));
  EXPECT_EQ(combo->ListStatement(true).Sql,
            QStringLiteral("Select\nnazov_uplny,jedin,priezvisko\nfrom c_clenov\norder by nazov_uplny_x, jedin"))
      << "a text of stars alone adds no condition";
  combo->SetOnlyNumbers(true);
  combo->SetSUseBasicASCIIColumn(false);
  EXPECT_FALSE(combo->ExistStatement(QStringLiteral("12a")).Runnable);
  EXPECT_TRUE(combo->ExistStatement(QStringLiteral("12")).Runnable);
}

TEST_F(LookupComboTest, ItsOwnConditionBindsItsValuesInEveryStatement) {
  combo->SetSWhere({QStringLiteral("priezvisko<>:SKIPPED"), {{QStringLiteral("SKIPPED"), QStringLiteral("Čierna")}}});
  for (const TComboStatement& statement :
       {combo->CompletionStatement(QStringLiteral("č")), combo->ListStatement(false),
        combo->ExistStatement(QStringLiteral("Čierna Žofia")), combo->FindFirstStatement()}) {
    EXPECT_TRUE(statement.Sql.contains(QStringLiteral("priezvisko<>:SKIPPED"))) << statement.Sql.toStdString();
    EXPECT_EQ(statement.Params.value(QStringLiteral("SKIPPED")), QStringLiteral("Čierna"));
  }
  combo->FindIt(5); // Čierna Žofia
  EXPECT_EQ(combo->currentText(), QString()) << "the condition leaves her out";
  combo->FindIt(4);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Šťastný Ľubomír"));
}

TEST_F(LookupComboTest, FindItSetsTextAndColumnsOrLeavesTheComboEmpty) {
  QSignalSpy changes(combo, &TIBComboBox::OnChange);
  const struct {
    QVariant key;
    const char* text; // nullptr: empty combo
  } cases[] = {
      {4, "Šťastný Ľubomír"}, {QStringLiteral("5"), "Čierna Žofia"}, {QVariant(), nullptr},
      {999999, nullptr},      {QStringLiteral("abc"), nullptr},      {QStringLiteral("1' or '1'='1"), nullptr},
  };
  for (const auto& c : cases) {
    combo->FindIt(4);
    changes.clear();
    combo->FindIt(c.key);
    EXPECT_FALSE(changes.isEmpty()) << "FindIt ends with the change event";
    if (c.text) {
      EXPECT_EQ(combo->currentText(), QString::fromUtf8(c.text));
      EXPECT_EQ(combo->GetKeyValue(), c.key);
      EXPECT_EQ(combo->GetKeyValue2(), QString::fromUtf8(c.text).section(QLatin1Char(' '), 0, 0));
    } else {
      EXPECT_EQ(combo->currentText(), QString()) << c.key.toString().toStdString();
      EXPECT_TRUE(combo->GetKeyValue().isNull());
      EXPECT_TRUE(combo->GetKeyValue2().isNull());
    }
  }
  EXPECT_TRUE(Messages().isEmpty()) << "a key that cannot be a number names no row, without an error";
  combo->FindIt3(QStringLiteral("O'Neil"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("O'Neil Patrick"));
  EXPECT_EQ(combo->GetKeyValue(), QVariant(6));
}

TEST_F(LookupComboTest, OutOfTheComboAChosenNameShowsItsBeginning) {
  combo->lineEdit()->setFixedWidth(40); // narrower than any name
  Focus(next);
  combo->FindIt(4);
  EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
  Type(QStringLiteral("čier"));
  ASSERT_TRUE(Leave());
  EXPECT_EQ(combo->currentText(), QStringLiteral("Čierna Žofia"));
  EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
}

TEST_F(LookupComboTest, TheOwnTransactionSeesRowsCommittedLater) {
  combo->FindIt(1);
  ASSERT_EQ(combo->currentText(), QStringLiteral("Novák Ján"));
  ExecCommitted(*db, QStringLiteral("insert into c_clenov (jedin, priezvisko, meno) values (5000, 'Zelený', 'Ivan')"));
  combo->FindIt(5000);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Zelený Ivan"));
  ExecCommitted(*db, QStringLiteral("delete from c_clenov where jedin = 5000"));
  combo->FindIt(5000);
  EXPECT_EQ(combo->currentText(), QString()) << "a deleted row leaves the combo empty";
}

TEST_F(LookupComboTest, LeavingSettlesOnARowOrRefusesAnUnknownText) {
  const struct {
    const char* typed;
    const char* settled; // nullptr: refused with 1019
    int key;
  } cases[] = {
      {"čierna žofia", "Čierna Žofia", 5},
      {"šťastný", "Šťastný Ľubomír", 4},
      {"nikto taký", nullptr, 0},
      {"*nov", nullptr, 0},
  };
  for (const auto& c : cases) {
    combo->ClearValue();
    const qsizetype before = Messages().size();
    Type(QString::fromUtf8(c.typed));
    const bool left = Leave();
    if (c.settled) {
      EXPECT_TRUE(left) << c.typed;
      EXPECT_EQ(combo->currentText(), QString::fromUtf8(c.settled));
      EXPECT_EQ(combo->GetKeyValue(), QVariant(c.key));
      EXPECT_EQ(Messages().size(), before);
    } else {
      EXPECT_FALSE(left) << c.typed;
      EXPECT_TRUE(combo->hasFocus());
      EXPECT_TRUE(combo->CheckFailed());
      EXPECT_TRUE(combo->GetKeyValue().isNull());
      ASSERT_EQ(Messages().size(), before + 1);
      EXPECT_TRUE(Messages().last().startsWith(QStringLiteral("Hlásenie #1019\r\n\r\nZadaný údaj sa nenachádza")))
          << Messages().last().toStdString();
    }
  }
}

TEST_F(LookupComboTest, AFailingLookupIsToldInWordsOnceAndTheEntryIsRefused) {
  // A condition the server cannot run: every statement of the combo fails.
  combo->SetSWhere(QStringLiteral("no_such_column=1"));
  Type(QStringLiteral("nov"));
  EXPECT_FALSE(Leave());
  EXPECT_TRUE(combo->GetKeyValue().isNull());
  ASSERT_FALSE(Messages().isEmpty());
  for (const QString& message : Messages()) {
    EXPECT_TRUE(message.startsWith(QStringLiteral("Údaje zoznamu sa nepodarilo prečítať z databázy.")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("select"), Qt::CaseInsensitive)) << message.toStdString();
  }
  EXPECT_EQ(Messages().size(), 1) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(LookupComboTest, BlankLeavesWithNullOrIsRefusedWhenRequired) {
  Type(QString());
  EXPECT_TRUE(Leave());
  EXPECT_TRUE(combo->GetKeyValue().isNull());
  combo->SetRequired(true);
  Focus(combo);
  EXPECT_FALSE(Leave());
  EXPECT_EQ(Messages(), QStringList{kRequiredMessage1001});
}

TEST_F(LookupComboTest, WithoutKeepingTheFocusAnUnknownTextFiresNotFound) {
  combo->SetSetFocusIfNotFound(false);
  QSignalSpy notFound(combo, &TIBComboBox::OnNotFound);
  QSignalSpy exits(combo, &TIBComboBox::OnExit);
  Type(QStringLiteral("nikto"));
  EXPECT_TRUE(Leave());
  EXPECT_EQ(notFound.count(), 1);
  EXPECT_EQ(exits.count(), 1);
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_TRUE(combo->GetKeyValue().isNull());
}

TEST_F(LookupComboTest, ANamesakeChosenFromTheListOrByFindItIsKept) {
  // The second "Novák Ján" (key 2) chosen from the list.
  Type(QStringLiteral("nov"));
  combo->FillList();
  ASSERT_EQ(combo->itemText(1), QStringLiteral("Novák Ján"));
  ASSERT_EQ(combo->ItemObject(1)->Values[0], QVariant(2));
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  combo->TimerElapsed();
  EXPECT_EQ(combo->GetKeyValue(), QVariant(2));
  EXPECT_TRUE(Leave());
  EXPECT_EQ(combo->GetKeyValue(), QVariant(2)) << "leaving must not re-resolve to the first namesake";
  // Set by a picker through FindIt, then Enter.
  combo->FindIt(2);
  Focus(combo);
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(combo->GetKeyValue(), QVariant(2));
  // Retyping the text of another row gives that row.
  combo->FindIt(2);
  Focus(combo);
  combo->lineEdit()->selectAll();
  TypeText(combo, QStringLiteral("kováč"));
  EXPECT_TRUE(Leave());
  EXPECT_EQ(combo->currentText(), QStringLiteral("Kováč Ján"));
  EXPECT_EQ(combo->GetKeyValue(), QVariant(10));
}

TEST_F(LookupComboTest, EnterChecksAndMovesOnOnce) {
  QSignalSpy exits(combo, &TIBComboBox::OnExit);
  Type(QStringLiteral("ďurica"));
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(combo->currentText(), QStringLiteral("Ďurica Ňoňo"));
  EXPECT_EQ(exits.count(), 1);
  Type(QStringLiteral("nikto"));
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_TRUE(combo->hasFocus());
  EXPECT_EQ(Messages().size(), 1);
}

TEST_F(LookupComboTest, CancelButtonSkipsTheCheck) {
  auto* cancel = Add<TQPLBtn>(QStringLiteral("btnNezapis"));
  cancel->SetCancel(true);
  cancel->show();
  Type(QStringLiteral("nikto"));
  cancel->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(cancel->hasFocus());
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LookupComboTest, ListSizeIsStoredPerFormAndComboAndNeverBelowThreeRows) {
  Focus(combo);
  EXPECT_EQ(combo->DropDownCount(), 30);
  QTest::keyClick(combo, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  const QString key = combo->SettingsKey();
  EXPECT_TRUE(key.startsWith(QStringLiteral("Software\\Kalim s.r.o.\\"))) << key.toStdString();
  EXPECT_TRUE(key.endsWith(QStringLiteral("\\ComboBox Settings\\QDialog"))) << key.toStdString();
  EXPECT_EQ(TRegistry::Root().ReadValue(key, QStringLiteral("cbClen.DropDownCount")), TRegValue::FromDword(31));
  EXPECT_EQ(TRegistry::Root().ReadValue(key, QString()), TRegValue::String(QStringLiteral("cbClen.DropDownCount")));
  combo->SetDropDownCount(4);
  QTest::keyClick(combo, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
  QTest::keyClick(combo, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(combo->DropDownCount(), 3);
  EXPECT_EQ(TRegistry::Root().ReadValue(key, QStringLiteral("cbClen.DropDownCount")), TRegValue::FromDword(3));
  // Another combo of the same name on the same form reads the size when it opens.
  auto* again = Add<TIBComboBox>(QStringLiteral("cbClen"));
  Configure(again);
  again->showPopup();
  EXPECT_EQ(again->DropDownCount(), 3);
  again->hidePopup();
}

TEST_F(LookupComboTest, ReadOnlyComboNeitherOpensNorTakesTyping) {
  combo->FindIt(3);
  combo->SetReadOnly(true);
  EXPECT_EQ(combo->Color(), clBtnFace);
  combo->setFocus(Qt::MouseFocusReason);
  TypeText(combo, QStringLiteral("x"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("Nováková Jana"));
  combo->showPopup();
  EXPECT_FALSE(combo->view()->isVisible());
  next->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(combo->GetKeyValue(), QVariant(3));
}

TEST_F(LookupComboTest, PictureOfTheOpenList) {
  dialog.resize(360, 120);
  Type(QStringLiteral("*ová"));
  combo->showPopup();
  QWidget* popup = combo->view()->window();
  ASSERT_TRUE(popup->isVisible());
  const QPoint offset = popup->mapToGlobal(QPoint()) - dialog.mapToGlobal(QPoint());
  QImage picture(qMax(dialog.width(), offset.x() + popup->width()), qMax(dialog.height(), offset.y() + popup->height()),
                 QImage::Format_RGB32);
  picture.fill(Qt::darkGray);
  {
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, dialog.grab());
    painter.drawPixmap(offset, popup->grab());
  }
  EXPECT_TRUE(picture.save(TestOutputPath(QStringLiteral("combo-list.png"))));
  EXPECT_EQ(Items(), (QStringList{QStringLiteral("Kováč Ján"), QStringLiteral("Novák Ján"), QStringLiteral("Novák Ján"),
                                  QStringLiteral("Nováková Jana")}));
  combo->hidePopup();
}

} // namespace

namespace {

TEST_F(LookupComboTest, UniquenessTestFindsAnotherRowWithTheText) {
  combo->SetSSearchIfFound(false);
  combo->SetUniqueTest(true);
  combo->SetUTableName(QStringLiteral("c_clenov"));
  combo->SetUTestColumn(QStringLiteral("nazov_uplny"));
  combo->SetUniqueColumn(QStringLiteral("jedin"));
  combo->SetUniqueErrorText(1004);
  const struct {
    int ownKey;
    const char* text;
    bool refused;
  } cases[] = {
      {1, "novák ján", true}, {6, "O'Neil Patrick", false}, {3, "Nováková Jana", false}, {3, "x' or 1=1 --", false}};
  for (const auto& c : cases) {
    combo->SetUniqueColumnValue(c.ownKey);
    combo->lineEdit()->setText(QString::fromUtf8(c.text));
    EXPECT_EQ(combo->ValidationFailed(), c.refused) << c.text;
  }
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages().first().startsWith(QStringLiteral("Hlásenie #1004"))) << Messages().first().toStdString();
}

TEST(LookupComboPlain, AutoCompleteSelectsTheFirstItemThatBeginsWithTheText) {
  QDialog dialog;
  auto* combo = new TIBComboBox(&dialog);
  combo->SetAutoComplete(true);
  EXPECT_FALSE(combo->SAutoAppend());
  combo->addItems({QStringLiteral("kaprová"), QStringLiteral("lososová"), QStringLiteral("lipňová")});
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  combo->setFocus(Qt::TabFocusReason);
  combo->lineEdit()->clear();
  TypeText(combo, QStringLiteral("li"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("lipňová"));
  EXPECT_EQ(combo->lineEdit()->selectedText(), QStringLiteral("pňová"));
  combo->SetSAutoAppend(true);
  EXPECT_FALSE(combo->AutoComplete());
}

} // namespace

TEST(LookupComboPlain, DoubleClickAsksForThePickerUnlessReadOnly) {
  QDialog dialog;
  auto* combo = new TIBComboBox(&dialog);
  dialog.show();
  QSignalSpy picks(combo, &TIBComboBox::OnDblClick);
  QTest::mouseDClick(combo->lineEdit(), Qt::LeftButton);
  EXPECT_EQ(picks.count(), 1);
  combo->SetReadOnly(true);
  QTest::mouseDClick(combo->lineEdit(), Qt::LeftButton);
  EXPECT_EQ(picks.count(), 1);
}

TEST_F(LookupComboTest, AClickOnTheArrowOfAnEmptyRequiredComboOpensTheList) {
  // Coming from another control by the mouse, the click both enters the
  // combo and opens its list; opening the list is not leaving the combo.
  Focus(next);
  combo->SetRequired(true);
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = true;
  const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
  QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, arrow.center());
  EXPECT_TRUE(QTest::qWaitFor([this] { return combo->view()->isVisible(); }, 2000));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_GT(combo->count(), 0);
  // A row chosen in the open list leaves nothing to refuse.
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !combo->view()->isVisible(); }, 2000));
  EXPECT_TRUE(combo->hasFocus());
  EXPECT_TRUE(Leave());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_FALSE(combo->GetKeyValue().isNull());
}
