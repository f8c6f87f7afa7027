#include "core/ui/Form.h"
#include "core/gui/ColorConvert.h"
#include "core/ui/EventBoundary.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class PreviewForm : public TForm {
public:
  QLineEdit* edit = new QLineEdit(this);
  QList<int> previewed;
  bool allowClose = true;
  int closeHooks = 0;

protected:
  bool FormKeyDown(QKeyEvent* event) override {
    previewed << event->key();
    if (event->key() == Qt::Key_F12) {
      SetModalResult(mrOk);
      return true;
    }
    return event->key() == Qt::Key_X;
  }
  void FormCloseQuery(bool& canClose) override { canClose = allowClose; }
  void FormClose(TCloseAction&) override { ++closeHooks; }
};

// A form whose handlers fail the way a refused save does: by throwing.
class FailingForm : public PreviewForm {
public:
  bool failCloseQuery = false;

protected:
  bool FormKeyDown(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F5) throw std::runtime_error("F5 zlyhal");
    return PreviewForm::FormKeyDown(event);
  }
  void FormCloseQuery(bool& canClose) override {
    if (failCloseQuery) throw std::runtime_error("zatvorenie zlyhalo");
    PreviewForm::FormCloseQuery(canClose);
  }
};

// Collects what reaches the event boundary's handler while it lives.
class ReportedExceptions {
public:
  ReportedExceptions() : previous_(SetEventExceptionHandler([this](std::exception_ptr e) { Record(e); })) {}
  ~ReportedExceptions() { SetEventExceptionHandler(std::move(previous_)); }
  QStringList texts;

private:
  void Record(std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& error) {
      texts << QString::fromUtf8(error.what());
    }
  }
  TEventExceptionHandler previous_;
};

// Sends the key; true when an exception came back out of Qt's key delivery.
bool KeyClickThrows(QWidget* widget, Qt::Key key) {
  try {
    QTest::keyClick(widget, key);
    return false;
  } catch (...) {
    return true;
  }
}

} // namespace

TEST(Form, AFailingHandlerReportsAtTheBoundaryAndTheFormGoesOn) {
  ReportedExceptions reported;
  FailingForm form;
  form.SetKeyPreview(true);
  form.show();
  // The failing key goes to the handler from inside the preview, counts as
  // handled (the edit does not type it) and the next keys work as before.
  EXPECT_FALSE(KeyClickThrows(form.edit, Qt::Key_F5));
  EXPECT_EQ(reported.texts, QStringList({QStringLiteral("F5 zlyhal")}));
  EXPECT_FALSE(KeyClickThrows(form.edit, Qt::Key_A));
  EXPECT_EQ(form.edit->text(), QStringLiteral("a"));
  EXPECT_EQ(form.previewed, QList<int>({Qt::Key_A}));
  // A failing close query keeps the form open.
  form.failCloseQuery = true;
  EXPECT_FALSE(form.Close());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.closeHooks, 0);
  EXPECT_EQ(reported.texts.value(1), QStringLiteral("zatvorenie zlyhalo"));
  form.failCloseQuery = false;
  EXPECT_TRUE(form.Close());
}

TEST(Form, AGuardedSignalHandsItsArgumentsOnAndReportsAFailure) {
  ReportedExceptions reported;
  QLineEdit edit;
  QPushButton button;
  QStringList typed;
  ConnectGuarded(&edit, &QLineEdit::textChanged, &edit, [&](const QString& text) {
    typed << text;
    if (text == QLatin1String("ab")) throw std::runtime_error("zlý text");
  });
  ConnectGuarded(&button, &QPushButton::clicked, &button, [] { throw std::runtime_error("tlačidlo zlyhalo"); });
  EXPECT_FALSE(KeyClickThrows(&edit, Qt::Key_A));
  EXPECT_FALSE(KeyClickThrows(&edit, Qt::Key_B));
  EXPECT_FALSE(KeyClickThrows(&edit, Qt::Key_C));
  EXPECT_EQ(typed, QStringList({QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc")}));
  button.show();
  EXPECT_FALSE(KeyClickThrows(&button, Qt::Key_Space));
  EXPECT_EQ(reported.texts, QStringList({QStringLiteral("zlý text"), QStringLiteral("tlačidlo zlyhalo")}));
}

TEST(Form, KeyPreviewSeesControlKeysOnceAndCanConsumeThem) {
  PreviewForm form;
  form.SetKeyPreview(true);
  form.show();
  QTest::keyClick(form.edit, Qt::Key_A);
  QTest::keyClick(form.edit, Qt::Key_X);
  QTest::keyClick(form.edit, Qt::Key_F1); // unaccepted by the edit: travels to the parent
  EXPECT_EQ(form.edit->text(), QStringLiteral("a"));
  EXPECT_EQ(form.previewed, (QList<int>{Qt::Key_A, Qt::Key_X, Qt::Key_F1}));
}

// A form that saves or cancels with F12 and Esc, typed into its edit.
class SaveCancelForm : public TForm {
public:
  QLineEdit* edit = new QLineEdit(this);
  bool canSave = true;
  QStringList ran;

protected:
  bool FormKeyDown(QKeyEvent* event) override {
    if (!canSave) return SaveCancelKeyDown(event, [this] { ran << QStringLiteral("cancel"); });
    return SaveCancelKeyDown(
        event, [this] { ran << QStringLiteral("cancel"); }, [this] { ran << QStringLiteral("save"); });
  }
};

TEST(Form, EscCancelsAndF12SavesOnlyWithoutHeldModifiers) {
  const struct {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool canSave;
    QStringList ran;
  } cases[] = {
      {"Esc", Qt::Key_Escape, Qt::NoModifier, true, {QStringLiteral("cancel")}},
      {"F12", Qt::Key_F12, Qt::NoModifier, true, {QStringLiteral("save")}},
      {"F12 on a form with nothing to save", Qt::Key_F12, Qt::NoModifier, false, {}},
      {"Esc on a form with nothing to save", Qt::Key_Escape, Qt::NoModifier, false, {QStringLiteral("cancel")}},
      {"Ctrl+F12 is the control's", Qt::Key_F12, Qt::ControlModifier, true, {}},
      {"Shift+Esc is the control's", Qt::Key_Escape, Qt::ShiftModifier, true, {}},
      {"Alt+F12 is the control's", Qt::Key_F12, Qt::AltModifier, true, {}},
      {"another key", Qt::Key_F11, Qt::NoModifier, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SaveCancelForm form;
    form.canSave = c.canSave;
    form.SetKeyPreview(true);
    form.show();
    QTest::keyClick(form.edit, c.key, c.modifiers);
    EXPECT_EQ(form.ran, c.ran);
  }
}

TEST(Form, ModalResultEndsTheModalRun) {
  PreviewForm form;
  form.SetKeyPreview(true);
  QTimer::singleShot(0, &form, [&] { QTest::keyClick(form.edit, Qt::Key_F12); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  QTimer::singleShot(0, &form, [&] { form.reject(); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Form, ModalResultRunsTheCloseQueryAndCloseHook) {
  PreviewForm form;
  form.SetKeyPreview(true);
  form.allowClose = false;
  QTimer::singleShot(0, &form, [&] {
    QTest::keyClick(form.edit, Qt::Key_F12); // refused by the close query
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_TRUE(form.isVisible());
    form.allowClose = true;
    QTest::keyClick(form.edit, Qt::Key_F12);
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(form.closeHooks, 1);
}

TEST(Form, CloseQueryCanKeepTheFormOpen) {
  PreviewForm form;
  form.show();
  form.allowClose = false;
  EXPECT_FALSE(form.Close());
  EXPECT_TRUE(form.isVisible());
  form.allowClose = true;
  EXPECT_TRUE(form.Close());
}

TEST(Form, AWindowThatMayGrowShowsItsWholeCaption) {
  const QString caption = QStringLiteral("Prevod údajov z predchádzajúceho roku");
  TForm growing;
  growing.SetCaption(caption);
  growing.resize(150, 100);
  growing.show();
  QFont bold = growing.font();
  bold.setBold(true);
  EXPECT_GT(growing.width(), QFontMetrics(bold).horizontalAdvance(caption));
  // A window laid out by its layout keeps the layout's height.
  TForm laidOut;
  laidOut.SetCaption(caption);
  (new QVBoxLayout(&laidOut))->addWidget(new QLineEdit(&laidOut));
  laidOut.show();
  EXPECT_GT(laidOut.width(), QFontMetrics(bold).horizontalAdvance(caption));
  EXPECT_EQ(laidOut.height(), laidOut.sizeHint().height());
  // A window of fixed size keeps it.
  TForm fixed;
  fixed.SetCaption(caption);
  fixed.setFixedSize(150, 100);
  fixed.show();
  EXPECT_EQ(fixed.width(), 150);
}

TEST(ColorConvert, StoredColoursMapToRgb) {
  EXPECT_EQ(ToQColor(clAqua), QColor(0, 255, 255));
  EXPECT_EQ(ToQColor(TColor(0x2FFF63)), QColor(0x63, 0xFF, 0x2F));
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), TColor(0x563412));
  EXPECT_EQ(ToQColor(clNone).alpha(), 0);
}
