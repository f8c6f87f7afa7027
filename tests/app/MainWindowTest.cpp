#include "app/AppContext.h"
#include "app/ExceptionHandler.h"
#include "app/FormRegistry.h"
#include "app/MainNavigation.h"
#include "app/fMain.h"
#include "controls/IBCurrencyEdit.h"
#include "core/Exception.h"
#include "platform/MessageDialogs.h"
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>
#include <gtest/gtest.h>

namespace {

// What a form saw when the main window opened it.
struct Opened {
  QString name;
  TFormArgs args;
  bool mainVisible = false;
};

// A form that closes itself as soon as it shows.
class ClosingForm : public TForm {
protected:
  void FormShow() override {
    QTimer::singleShot(0, this, [this] { SetModalResult(mrOk); });
  }
};

// Registers a recording factory for every form of the navigation table.
class RegisteredForms {
public:
  RegisteredForms() {
    for (const TNavigationEntry& entry : NavigationEntries()) {
      const QString name = QString::fromUtf8(entry.target);
      if (entry.mode == TNavigationMode::Action) {
        FormRegistry::RegisterAction(name, [this, name] { opened.append({name, {}, frmMain->isVisible()}); });
        continue;
      }
      FormRegistry::RegisterForm(name, [this, name](QWidget*, const TFormArgs& args) -> TForm* {
        opened.append({name, args, frmMain->isVisible()});
        return new ClosingForm;
      });
    }
  }
  ~RegisteredForms() {
    for (const TNavigationEntry& entry : NavigationEntries())
      FormRegistry::Unregister(QString::fromUtf8(entry.target));
  }
  QList<Opened> opened;
};

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    IniSettings = {};
    ProgramSettings = {};
  }
  void ShowWindow(TfrmMain& window) {
    window.eRok->SetValue(2008);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  TScriptedMessageDialogs dialogs;
};

TEST_F(MainWindowTest, ButtonsWithoutARegisteredFormAreDisabled) {
  FormRegistry::RegisterForm(QStringLiteral("TfrmCZO"), [](QWidget*, const TFormArgs&) { return new ClosingForm; });
  FormRegistry::RegisterAction(QStringLiteral("ShowPUlovkySumarizaciaVyber"), [] {});
  TfrmMain window;
  FormRegistry::Unregister(QStringLiteral("TfrmCZO"));
  FormRegistry::Unregister(QStringLiteral("ShowPUlovkySumarizaciaVyber"));
  EXPECT_TRUE(window.Button(QStringLiteral("btnCZO"))->isEnabled());
  EXPECT_TRUE(window.Button(QStringLiteral("btnPUlovkyReviry"))->isEnabled());
  EXPECT_FALSE(window.Button(QStringLiteral("btnCClenov"))->isEnabled());
  EXPECT_FALSE(window.Button(QStringLiteral("btnEUlovkyKapitalne"))->isEnabled());
}

TEST_F(MainWindowTest, PagesAndButtonsFollowTheLayout) {
  TfrmMain window;
  ASSERT_EQ(window.pc1->count(), 4);
  const char* captions[] = {"&1. Evidencie", "&2. Číselníky", "&3. Prehľady", "&4. Služby"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(window.pc1->tabText(i), QString::fromUtf8(captions[i]));
  EXPECT_EQ(window.pc1->currentIndex(), 0);
  const struct {
    const char* button;
    QWidget* page;
    QRect geometry;
    const char* caption;
  } cases[] = {
      {"btnEBrigady", window.tsEvidencie, {0, 4, 165, 41}, "Brigády"},
      {"btnEPosta", window.tsEvidencie, {336, 268, 165, 41}, "Pošta"},
      {"btnCKrmiv", window.tsCiselniky, {336, 92, 165, 41}, "Krmivá"},
      {"btnPVlastnaProdukcia", window.tsPrehlady, {0, 224, 165, 41}, "Hospodárenie revírov"},
      {"btnSystemInfo", window.tsSluzby, {336, 268, 165, 41}, "Informácie o systéme"},
  };
  for (const auto& c : cases) {
    QPushButton* button = window.Button(QString::fromUtf8(c.button));
    ASSERT_NE(button, nullptr) << c.button;
    EXPECT_EQ(button->parentWidget(), c.page) << c.button;
    EXPECT_EQ(button->geometry(), c.geometry) << c.button;
    EXPECT_EQ(button->text(), QString::fromUtf8(c.caption)) << c.button;
  }
  int buttons = 0;
  for (QWidget* page : {window.tsEvidencie, window.tsCiselniky, window.tsPrehlady, window.tsSluzby})
    buttons += int(page->findChildren<QPushButton*>().size());
  EXPECT_EQ(buttons, int(NavigationEntries().size()));
}

TEST_F(MainWindowTest, TabOrderOfTheServicesPage) {
  TfrmMain window;
  const QStringList expected = {QStringLiteral("btnNastavenia"), QStringLiteral("btnZalohovanie"),
                                QStringLiteral("btnPrevodRoka"), QStringLiteral("btnSystemInfo"),
                                QStringLiteral("btnSImport"),    QStringLiteral("btnSServis")};
  QStringList chain;
  QWidget* widget = window.Button(expected.first());
  for (int i = 0; i < expected.size(); ++i) {
    chain.append(widget->objectName());
    do {
      widget = widget->nextInFocusChain();
    } while (!qobject_cast<QPushButton*>(widget));
  }
  EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowTest, ButtonsOpenTheirFormWithYearOrMode) {
  RegisteredForms forms;
  TfrmMain window;
  ShowWindow(window);
  const struct {
    const char* button;
    const char* form;
    int typ, typOd, typDo;
    bool mainVisible;
  } cases[] = {
      {"btnEBrigady", "TfrmEBrigady", 0, 0, 0, false},
      {"btnEPovolenkyVratenie", "TfrmEPovolenkyVratenie", 0, 0, 0, false},
      {"btnEFakturyVystavene", "TfrmEFaktury", 0, 11, 19, false},
      {"btnEFakturyPridate", "TfrmEFaktury", 0, 21, 29, false},
      {"btnEFakturyDodListyPrijate", "TfrmEFaktury", 0, 31, 39, false},
      {"btnEFakturyDodListyVystavene", "TfrmEFaktury", 0, 41, 49, false},
      {"btnEPokladnaBanka", "TfrmEPokladna", 2, 0, 0, false},
      {"btnEPokladna", "TfrmEPokladna", 1, 0, 0, false},
      {"btnCDruhyDokladov", "TfrmCDruhyDokladov", 0, 0, 0, false},
      {"btnPUlovkyReviry", "ShowPUlovkySumarizaciaVyber", 0, 0, 0, false},
      {"btnSystemInfo", "TfrmInfo", 0, 0, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    forms.opened.clear();
    QPushButton* button = window.Button(QString::fromUtf8(c.button));
    ASSERT_TRUE(button->isEnabled());
    button->click();
    ASSERT_EQ(forms.opened.size(), 1);
    const Opened& opened = forms.opened.first();
    EXPECT_EQ(opened.name, QString::fromUtf8(c.form));
    EXPECT_EQ(opened.mainVisible, c.mainVisible);
    if (opened.name != QLatin1String("ShowPUlovkySumarizaciaVyber")) {
      EXPECT_EQ(opened.args.Rok, 2008);
      EXPECT_EQ(opened.args.Typ, c.typ);
      EXPECT_EQ(opened.args.TypOd, c.typOd);
      EXPECT_EQ(opened.args.TypDo, c.typDo);
      EXPECT_EQ(opened.args.DatumCas.isValid(), c.mainVisible);
    }
    EXPECT_TRUE(window.isVisible()); // shown again after the form closed
  }
}

TEST_F(MainWindowTest, WorkingYearFollowsTheButtonsAndTheEdit) {
  RegisteredForms forms;
  TfrmMain window;
  ShowWindow(window);
  QTest::mouseClick(window.btnRokPlus, Qt::LeftButton);
  QTest::mouseClick(window.btnRokPlus, Qt::LeftButton);
  EXPECT_EQ(ProgramSettings.Rok, 2010);
  QTest::mouseClick(window.btnRokMinus, Qt::LeftButton);
  EXPECT_EQ(ProgramSettings.Rok, 2009);
  EXPECT_EQ(window.eRok->text(), QStringLiteral("2009"));
  window.Button(QStringLiteral("btnEBrigady"))->click();
  ASSERT_EQ(forms.opened.size(), 1);
  EXPECT_EQ(forms.opened[0].args.Rok, 2009);

  // Typed digit by digit the year passes through 2, 20, 200; only the last counts.
  window.eRok->setFocus();
  window.eRok->clear();
  QList<int> seen;
  QObject::connect(window.eRok, &QLineEdit::textChanged, [&] { seen.append(ProgramSettings.Rok); });
  QTest::keyClicks(window.eRok, QStringLiteral("2012"));
  ASSERT_GE(seen.size(), 4);
  EXPECT_EQ(seen.mid(seen.size() - 4), (QList<int>{2, 20, 201, 2012}));
  window.Button(QStringLiteral("btnEPovolenkyVratenie"))->click();
  EXPECT_EQ(forms.opened.last().args.Rok, 2012);
  EXPECT_TRUE(dialogs.Requests().isEmpty());
}

TEST_F(MainWindowTest, YearEditRefusesZeroAndNegativeWhenLeft) {
  TfrmMain window;
  ShowWindow(window);
  const struct {
    int year;
    int message;
  } cases[] = {{1, 0}, {0, 1043}, {-3, 1036}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.year);
    TScriptedMessageDialogs shown;
    window.eRok->setFocus();
    window.eRok->SetValue(c.year);
    QTest::keyClick(window.eRok, Qt::Key_Tab);
    if (c.message == 0) {
      EXPECT_TRUE(shown.Requests().isEmpty());
      EXPECT_FALSE(window.eRok->hasFocus());
    } else {
      ASSERT_EQ(shown.Requests().size(), 1);
      EXPECT_TRUE(shown.Requests()[0].Text.startsWith(QStringLiteral("Hlásenie #%1").arg(c.message)));
      EXPECT_TRUE(window.eRok->hasFocus());
    }
  }
  // "-" at year 1 gives 0 without a message; the check waits for the leave.
  TScriptedMessageDialogs shown;
  window.eRok->SetValue(1);
  window.btnRokMinus->click();
  EXPECT_EQ(ProgramSettings.Rok, 0);
  EXPECT_TRUE(shown.Requests().isEmpty());
}

TEST_F(MainWindowTest, ShiftForCloseMinimisesUnlessShiftIsHeld) {
  const struct {
    bool shiftForClose;
    bool shiftHeld;
    bool closes;
  } cases[] = {{false, false, true}, {true, false, false}, {true, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.shiftForClose << c.shiftHeld);
    IniSettings.ShiftForClose = c.shiftForClose;
    struct ShiftMain : TfrmMain {
      bool shift = false;
      bool ShiftHeld() const override { return shift; }
    } window;
    window.shift = c.shiftHeld;
    ShowWindow(window);
    bool closed = false;
    QObject::connect(&window, &TfrmMain::Closed, [&] { closed = true; });
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(closed, c.closes);
    EXPECT_EQ(window.isMinimized(), !c.closes);
  }
}

TEST_F(MainWindowTest, ExceptionInAFormIsReportedAndTheProgramGoesOn) {
  FormRegistry::RegisterForm(QStringLiteral("TfrmCZO"), [](QWidget*, const TFormArgs&) -> TForm* {
    throw Exception(QStringLiteral("Tabuľka C_ZO nie je dostupná."));
  });
  TfrmMain window;
  ShowWindow(window);
  window.Button(QStringLiteral("btnCZO"))->click();
  FormRegistry::Unregister(QStringLiteral("TfrmCZO"));
  ASSERT_EQ(dialogs.Requests().size(), 1);
  EXPECT_EQ(dialogs.Requests()[0].Text, QStringLiteral("Tabuľka C_ZO nie je dostupná."));
  EXPECT_EQ(dialogs.Requests()[0].Type, TMsgDlgType::Error);
  EXPECT_TRUE(window.isVisible());
}

TEST(ApplicationExceptionHandler, CanBeReplacedAndRestored) {
  QStringList reported;
  SetApplicationExceptionHandler([&](std::exception_ptr e) { reported.append(ExceptionText(e)); });
  EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("disk full"); }));
  EXPECT_TRUE(RunGuarded([] {}));
  EXPECT_FALSE(RunGuarded([] { throw 42; }));
  SetApplicationExceptionHandler(nullptr);
  EXPECT_EQ(reported, (QStringList{QStringLiteral("disk full"), QStringLiteral("Neznáma chyba programu.")}));
  TScriptedMessageDialogs dialogs;
  RunGuarded([] { throw Exception(QStringLiteral("Chyba")); });
  ASSERT_EQ(dialogs.Requests().size(), 1);
  EXPECT_EQ(dialogs.Requests()[0].Text, QStringLiteral("Chyba"));
}

} // namespace
