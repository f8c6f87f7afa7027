#include "controls/IBDate.h"
#include "KitTestSupport.h"
#include "controls/QPLBtn.h"
#include "controls/fMonthCalendar.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestOutput.h"
#include "util/RtDateUtils.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

namespace {

const QString kWrongDate = QStringLiteral("Nesprávny dátum! Opravte hodnotu.");
const QString kUnknownCommand = QStringLiteral("Neznámy príkaz!\r\n\r\nMusíte použiť napr. +13 alebo -7.");
const QString kNoDate = QStringLiteral("Nebol zadaný žiadny dátum! Funkciu nie je možné vykonať.");
const QString kRequired = QStringLiteral("Povinný údaj. Položka musí byť zadaná!");

TDateTime Day(int year, int month, int day) { return DateTime::EncodeDate(year, month, day); }

class DateEditTest : public KitDialogTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    previousConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    edit = Add<TIBDate>(QStringLiteral("edDatum"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    Show();
    next->setFocus(Qt::OtherFocusReason); // the edit, first in tab order, got it on showing
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", previousConfig); }
  void Type(const QString& text) {
    Focus(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  bool Leave() {
    QTest::keyClick(edit, Qt::Key_Tab);
    return next->hasFocus();
  }

  QTemporaryDir config;
  QByteArray previousConfig;
  TIBDate* edit = nullptr;
  QLineEdit* next = nullptr;
};

struct ParseCase {
  const char* typed;
  const char* shown;   // the text after leaving; nullptr: refused
  const char* message; // the refusal's message
};

TEST_F(DateEditTest, TypedTextsCompleteFromTheLastDateShown) {
  const ParseCase cases[] = {
      {"15", "15.03.2024", nullptr},
      {"1504", "15.04.2024", nullptr},
      {"150425", "15.04.2025", nullptr},
      {"150495", "15.04.1995", nullptr},
      {"15041987", "15.04.1987", nullptr},
      {"150429", "15.04.2029", nullptr},
      {"150430", "15.04.1930", nullptr},
      {"150400", "15.04.2000", nullptr},
      {"15045", "15.04.2005", nullptr},
      {"290224", "29.02.2024", nullptr},
      {"15041000", "15.04.1000", nullptr},
      {"+10", "17.03.2024", nullptr},
      {"-7", "29.02.2024", nullptr},
      {"+", "07.03.2024", nullptr},
      {"+400", "11.04.2025", nullptr},
      {"310224", nullptr, "wrong"},
      {"1513", nullptr, "wrong"},
      {"150425x", "15.04.2025", nullptr},
      {"1504025", nullptr, "wrong"},
      {"15040999", nullptr, "wrong"},
      {"15040000", nullptr, "wrong"},
      {"5+", nullptr, "command"},
      {"+5-", nullptr, "command"},
      {"1-1", nullptr, "command"},
      // A shift stays within the years 1000 to 9999, as typed dates do.
      {"+2913107", "31.12.9999", nullptr},
      {"+2913108", nullptr, "wrong"},
      {"-374074", "01.01.1000", nullptr},
      {"-374075", nullptr, "wrong"},
      {"+9999999", nullptr, "wrong"},
  };
  for (const ParseCase& c : cases) {
    edit->SetDate(Day(2024, 3, 7));
    const qsizetype before = Messages().size();
    Type(QString::fromUtf8(c.typed));
    const bool left = Leave();
    if (c.shown) {
      EXPECT_TRUE(left) << c.typed;
      EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown)) << c.typed;
      EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), edit->Date().toDouble()), QString::fromUtf8(c.shown));
      EXPECT_EQ(Messages().size(), before) << c.typed;
      continue;
    }
    EXPECT_FALSE(left) << c.typed;
    EXPECT_TRUE(edit->hasFocus());
    ASSERT_EQ(Messages().size(), before + 1) << c.typed;
    EXPECT_EQ(Messages().last(), QString::fromUtf8(c.message) == QLatin1String("wrong") ? kWrongDate : kUnknownCommand);
    EXPECT_EQ(edit->Date().toDouble(), Day(2024, 3, 7)) << "a refusal keeps the date: " << c.typed;
    if (QString::fromUtf8(c.message) == QLatin1String("wrong")) {
      EXPECT_EQ(edit->text(), QStringLiteral("07.03.2024")) << "the previous date is shown again";
    }
  }
}

// A date proposed while the edit has the focus (the first field of an add
// dialog) shows as a date, and the shown text can be edited in place.
TEST_F(DateEditTest, AFocusedEditShowsItsDateAndTakesEditsOfIt) {
  Focus(edit);
  edit->SetDate(Day(2026, 12, 11));
  EXPECT_EQ(edit->text(), QStringLiteral("11.12.2026"));
  const struct {
    std::vector<Qt::Key> keys; // from the shown "07.03.2024", cursor at its start
    const char* typed;
    const char* shown; // after leaving; nullptr: refused
  } cases[] = {
      {{Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace}, "25", "07.03.2025"},
      {{Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace}, "1999", "07.03.1999"},
      {{Qt::Key_Delete, Qt::Key_Delete}, "15", "15.03.2024"},
      {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Delete, Qt::Key_Delete}, "12", "07.12.2024"},
      {{Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace}, "", "07.03.2024"},
      {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Delete, Qt::Key_Delete}, "13", nullptr},
      {{Qt::Key_End}, "1", "07.03.2024"}, // a ninth digit is not taken
  };
  for (const auto& c : cases) {
    edit->SetDate(Day(2024, 3, 7));
    Focus(edit);
    EXPECT_EQ(edit->text(), QStringLiteral("07.03.2024"));
    edit->setCursorPosition(0);
    for (Qt::Key key : c.keys)
      QTest::keyClick(edit, key);
    QTest::keyClicks(edit, QString::fromUtf8(c.typed));
    const qsizetype before = Messages().size();
    const bool left = Leave();
    EXPECT_EQ(left, c.shown != nullptr) << c.typed;
    if (c.shown) {
      EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown)) << c.typed;
      EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), edit->Date().toDouble()), QString::fromUtf8(c.shown));
    } else {
      ASSERT_EQ(Messages().size(), before + 1) << c.typed;
      EXPECT_EQ(Messages().last(), kWrongDate);
      EXPECT_EQ(edit->text(), QStringLiteral("07.03.2024"));
      edit->SetDate(Day(2024, 3, 7));
      ASSERT_TRUE(Leave());
    }
  }
}

TEST_F(DateEditTest, AnEmptyEditCompletesFromTodayAndRefusesAShift) {
  const QDate today = QDate::currentDate();
  const struct {
    const char* typed;
    QString shown;
    QString message;
  } cases[] = {
      {"15", QStringLiteral("15") + today.toString(QStringLiteral(".MM.yyyy")), QString()},
      {"1504", QStringLiteral("15.04.") + today.toString(QStringLiteral("yyyy")), QString()},
      {"", QString(), QString()},
      {"+5", QString(), kNoDate},
  };
  for (const auto& c : cases) {
    edit->Clear();
    const qsizetype before = Messages().size();
    Type(QString::fromUtf8(c.typed));
    const bool left = Leave();
    EXPECT_EQ(left, c.message.isEmpty()) << c.typed;
    if (c.message.isEmpty()) {
      EXPECT_EQ(edit->text(), c.shown) << c.typed;
      EXPECT_EQ(edit->Date().isNull(), c.shown.isEmpty()) << c.typed;
    } else {
      ASSERT_EQ(Messages().size(), before + 1);
      EXPECT_EQ(Messages().last(), c.message);
    }
  }
}

TEST_F(DateEditTest, RequiredAndRangeChecks) {
  edit->SetRequired(true);
  edit->SetMinDate(Day(2024, 1, 1));
  edit->SetMaxDate(Day(2024, 12, 31));
  const struct {
    const char* typed;
    QString message; // empty: accepted
  } cases[] = {
      {"", kRequired},
      {"311223", QStringLiteral("Zadaný dátum je menší ako je povolené! (1.1.2024)")},
      {"010125", QStringLiteral("Zadaný dátum je väčší ako je povolené! (31.12.2024)")},
      {"010124", QString()},
      {"311224", QString()},
  };
  for (const auto& c : cases) {
    edit->SetDate(Day(2024, 6, 1));
    const qsizetype before = Messages().size();
    Type(QString::fromUtf8(c.typed));
    EXPECT_EQ(Leave(), c.message.isEmpty()) << c.typed;
    if (!c.message.isEmpty()) {
      ASSERT_EQ(Messages().size(), before + 1) << c.typed;
      EXPECT_EQ(Messages().last(), c.message);
      EXPECT_EQ(edit->Color(), TDataEntryControl::FocusRequiredColor);
    }
  }
  edit->SetDate(QVariant());
  edit->SetReadOnly(true);
  EXPECT_TRUE(edit->ValidationFailed()) << "the required check still applies when read-only";
}

TEST_F(DateEditTest, TheFormWideCheckAppliesAShiftAndNeedsNoFocus) {
  edit->SetDate(Day(2024, 3, 7));
  edit->setText(QStringLiteral("+3"));
  EXPECT_FALSE(edit->ValidationFailed());
  EXPECT_EQ(edit->Date().toDouble(), Day(2024, 3, 10));
  EXPECT_EQ(edit->text(), QStringLiteral("10.03.2024"));
}

TEST_F(DateEditTest, ShownFormatsTodayKeysAndFilters) {
  edit->SetDate(Day(2024, 3, 7) + 0.5);
  EXPECT_EQ(edit->text(), QStringLiteral("07.03.2024"));
  Focus(edit);
  EXPECT_EQ(edit->text(), QStringLiteral("07.03.2024")) << "focused, a date still reads as a date";
  EXPECT_EQ(edit->selectedText(), edit->text());
  QTest::keyClicks(edit, QStringLiteral("1a.b/2"));
  EXPECT_EQ(edit->text(), QStringLiteral("12")) << "only digits, + and - reach the text";
  QTest::keyClick(edit, Qt::Key_F5);
  EXPECT_EQ(edit->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
  EXPECT_EQ(std::floor(edit->Date().toDouble()), DateTime::Today());
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(edit->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
  edit->SetDate(0);
  EXPECT_EQ(edit->text(), QString());
  edit->SetDate(Day(2024, 3, 7));
  edit->SetReadOnly(true);
  EXPECT_EQ(edit->Color(), clBtnFace);
  EXPECT_FALSE(edit->Button()->isVisible());
  edit->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(edit, Qt::Key_F5);
  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(edit->Date().toDouble(), Day(2024, 3, 7)) << "F5 and double click do nothing when read-only";
  edit->resize(105, 40);
  EXPECT_EQ(edit->height(), 21);
}

TEST_F(DateEditTest, ACancelButtonTakesTheFocusWithoutACheck) {
  auto* cancel = Add<TQPLBtn>(QStringLiteral("btnNezapis"));
  cancel->SetCancel(true);
  cancel->show();
  Type(QStringLiteral("3102"));
  cancel->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(cancel->hasFocus());
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(DateEditTest, HandlersReplaceTheCalendarAndToday) {
  int buttons = 0, doubleClicks = 0;
  edit->OnButtonClick = [&] { ++buttons; };
  edit->OnDblClick = [&] { ++doubleClicks; };
  edit->SetDate(Day(2024, 3, 7));
  Focus(edit);
  QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
  edit->Button()->click();
  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(buttons, 2);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(edit->Date().toDouble(), Day(2024, 3, 7));
}

// Runs `keys` on the calendar once it shows, then saves a picture of it.
void OnCalendar(const std::function<void(TfrmMonthCalendar&)>& keys) {
  WhenModal<TfrmMonthCalendar>([keys](TfrmMonthCalendar* form) { keys(*form); });
}

TEST_F(DateEditTest, TheCalendarStartsAtTheDateAndItsKeysMoveTheDay) {
  const struct {
    const char* typed;
    std::vector<Qt::Key> keys;
    TDateTime expected;
  } cases[] = {
      {"07032024", {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}, Day(2024, 3, 15)},
      {"07032024", {Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Enter}, Day(2024, 2, 21)},
      {"+3", {Qt::Key_Return}, Day(2024, 3, 10)},
      {"07032024", {Qt::Key_Right, Qt::Key_Escape}, Day(2024, 3, 7)},
  };
  for (const auto& c : cases) {
    edit->SetDate(Day(2024, 3, 7));
    Type(QString::fromUtf8(c.typed));
    QDate start;
    OnCalendar([&](TfrmMonthCalendar& form) {
      start = form.Date();
      EXPECT_EQ(form.Caption(), QStringLiteral("Zvoľte dátum..."));
      QWidget* days = form.MC->findChild<QAbstractItemView*>();
      days->setFocus();
      for (Qt::Key key : c.keys)
        QTest::keyClick(days, key);
    });
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(frmMonthCalendar, nullptr) << "the calendar is freed after each use";
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(start, c.typed[0] == '+' ? QDate(2024, 3, 10) : QDate(2024, 3, 7)) << c.typed;
    EXPECT_EQ(edit->Date().toDouble(), c.expected) << c.typed;
    if (c.expected != Day(2024, 3, 7)) {
      EXPECT_EQ(edit->text(), FormatDateTime(QStringLiteral("dd.mm.yyyy"), c.expected));
    }
  }
}

TEST_F(DateEditTest, PictureOfTheMonthCalendar) {
  edit->SetDate(Day(2024, 3, 7));
  Focus(edit);
  OnCalendar([](TfrmMonthCalendar& form) {
    EXPECT_TRUE(form.grab().save(TestOutputPath(QStringLiteral("month-calendar.png"))));
    form.SetModalResult(mrCancel);
  });
  edit->CalendarButtonClick();
  EXPECT_EQ(edit->Date().toDouble(), Day(2024, 3, 7));
}

} // namespace
