#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/ui/rpFmtForm.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// The engine runs before the fixture's text objects exist and after they are gone.
struct RunningEngine {
  RunningEngine() { rpEngineStart(); }
  ~RunningEngine() { rpEngineEnd(); }
};

class FmtForm : public ::testing::Test, private RunningEngine {
protected:
  // Clicks the row of the list whose text it is.
  static void ClickRow(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    const QRect rect = list->visualItemRect(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  static void TypeInto(QLineEdit* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  TrpMemoView first, second;
};

TEST_F(FmtForm, NumberKindPlacesAndSeparatorPackIntoOneCode) {
  first.DisplayFormatCode = rpMakeFormatCode(2, 1);
  first.DisplayFormatText = F("d.m.yyyy");
  WhenModal<TrpFmtForm>([](TrpFmtForm* form) {
    EXPECT_EQ(form->windowTitle(), F("Formáty premenných"));
    EXPECT_EQ(form->CatLB->currentItem()->text(), F("Dátum"));
    EXPECT_EQ(form->TypeLB->currentItem()->text(), F("11.15.1998"));
    EXPECT_FALSE(form->DecEdit->isEnabled());
    ClickRow(form->CatLB, F("Číslo"));
    EXPECT_EQ(form->TypeLB->currentRow(), 0) << "a new category starts at its first kind";
    ClickRow(form->TypeLB, F("1 234,50"));
    EXPECT_TRUE(form->DecEdit->isEnabled());
    EXPECT_FALSE(form->FormatEdit->isEnabled());
    TypeInto(form->DecEdit, F("2"));
    TypeInto(form->SplEdit, F(","));
    form->grab().save(TestOutputPath(F("display-format-dialog.png")));
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  ASSERT_TRUE(rpEditDisplayFormat({&first, &second}));
  const qint32 expected = 1 * (1 << 24) + 3 * (1 << 16) + 2 * (1 << 8) + 44;
  EXPECT_EQ(first.DisplayFormatCode, expected);
  EXPECT_EQ(second.DisplayFormatCode, expected) << "every selected text object takes the format";
  EXPECT_EQ(first.DisplayFormatText, F("d.m.yyyy")) << "the custom text stays when the custom kind is not chosen";
}

TEST_F(FmtForm, DateKindKeepsTheCustomTextAndPacksNoPlaces) {
  first.DisplayFormatCode = rpMakeFormatCode(1, 4, 3, u'.');
  first.DisplayFormatText = F("#,##0.000");
  WhenModal<TrpFmtForm>([](TrpFmtForm* form) {
    EXPECT_EQ(form->FormatEdit->text(), F("#,##0.000")) << "the custom kind shows the text";
    EXPECT_EQ(form->DecEdit->text(), F("3"));
    ClickRow(form->CatLB, F("Dátum"));
    ClickRow(form->TypeLB, F("15 november 1998"));
    EXPECT_EQ(form->DecEdit->text(), QString());
    EXPECT_EQ(form->SplEdit->text(), QString());
    EXPECT_EQ(form->FormatEdit->text(), QString());
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  ASSERT_TRUE(rpEditDisplayFormat({&first}));
  EXPECT_EQ(first.DisplayFormatCode, rpMakeFormatCode(2, 3, 0, u','));
  EXPECT_EQ(first.DisplayFormatText, F("#,##0.000"));
}

TEST_F(FmtForm, CustomKindTakesTheTypedTextAndCancelChangesNothing) {
  first.DisplayFormatCode = rpMakeFormatCode(3, 0);
  WhenModal<TrpFmtForm>([](TrpFmtForm* form) {
    ClickRow(form->TypeLB, F("Vlastný"));
    TypeInto(form->FormatEdit, F("hh.nn"));
    QTest::mouseClick(form->Button2, Qt::LeftButton);
  });
  EXPECT_FALSE(rpEditDisplayFormat({&first}));
  EXPECT_EQ(first.DisplayFormatCode, rpMakeFormatCode(3, 0));
  EXPECT_EQ(first.DisplayFormatText, QString());
  WhenModal<TrpFmtForm>([](TrpFmtForm* form) {
    ClickRow(form->TypeLB, F("Vlastný"));
    TypeInto(form->FormatEdit, F("hh.nn"));
    TypeInto(form->DecEdit, F("999")); // disabled for times: typing does nothing
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  ASSERT_TRUE(rpEditDisplayFormat({&first}));
  EXPECT_EQ(first.DisplayFormatCode, rpMakeFormatCode(3, 4, 0, u','));
  EXPECT_EQ(first.DisplayFormatText, F("hh.nn"));
}

TEST_F(FmtForm, PlacesStayWithinTheirEightBits) {
  first.DisplayFormatCode = rpMakeFormatCode(1, 1);
  WhenModal<TrpFmtForm>([](TrpFmtForm* form) {
    TypeInto(form->DecEdit, F("300"));
    form->SplEdit->selectAll();
    form->SplEdit->insert(F("€")); // beyond the separator's 8 bits
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  ASSERT_TRUE(rpEditDisplayFormat({&first}));
  EXPECT_EQ(first.DisplayFormatCode, rpMakeFormatCode(1, 1, 255, u','));
}

} // namespace
