#pragma once
// Shared by the register test executables: a fresh upgraded database as the
// main connection, scripted message dialogs, a registry in a temporary
// folder, and a script of actions for the modal forms the code under test shows.
#include "app/AppContext.h"
#include "core/ui/Form.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "schema/UpgradePackage.h"
#include "tests/controls/KitTestSupport.h" // PrintTo, TypeText
#include "tests/db/DbTestSupport.h"
#include "tests/support/DialogLayoutCheck.h"
#include "tests/support/FreshDatabase.h"
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtCore/QVariantMap>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Plays one action on each modal form as it is shown, in order; a form shown
// with no action left is cancelled (so a failing test does not hang).
class TModalScript : public QObject {
public:
  TModalScript() { qApp->installEventFilter(this); }
  ~TModalScript() override { qApp->removeEventFilter(this); }
  void Then(std::function<void(TForm&)> action) { actions_.push_back(std::move(action)); }
  int Pending() const { return int(actions_.size()); }
  int Unexpected() const { return unexpected_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* form = qobject_cast<TForm*>(watched);
    if (event->type() != QEvent::Show || !form || !form->isModal()) return false;
    std::function<void(TForm&)> action;
    if (actions_.empty()) {
      ++unexpected_;
      action = [](TForm& f) { f.SetModalResult(mrCancel); };
    } else {
      action = std::move(actions_.front());
      actions_.pop_front();
    }
    QPointer<TForm> guard(form);
    QTimer::singleShot(0, form, [guard, action] {
      if (guard) action(*guard);
    });
    return false;
  }

private:
  std::deque<std::function<void(TForm&)>> actions_;
  int unexpected_ = 0;
};

// Sends a key to the widget that has the focus in the form (the form itself
// when none has), as the user's keyboard would.
inline void Press(QWidget& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

// A dialog of the layout checks, made afresh each time: its name and maker.
using TDialogMaker = std::function<std::unique_ptr<TForm>()>;
using TNamedDialog = std::pair<QString, TDialogMaker>;
template <class Form, class... Args> TNamedDialog Dialog(const char* name, Args... args) {
  return {QString::fromLatin1(name), [=] { return std::make_unique<Form>(nullptr, args...); }};
}

// Shows a dialog as the user gets it when adding a row.
inline void ShowAsAdded(TForm& form) {
  form.SetTag(1);
  form.show();
  QApplication::processEvents();
}

// Each dialog, shown for adding, fits the small screen and Tab goes down it.
inline void ExpectEachDialogFitsAndTabsDown(const std::vector<TNamedDialog>& dialogs) {
  for (const auto& [name, make] : dialogs) {
    const std::unique_ptr<TForm> dialog = make();
    ShowAsAdded(*dialog);
    ExpectFitsTheScreen(*dialog, name);
    ExpectTabGoesDownTheDialog(*dialog, name);
    dialog->SetModalResult(mrCancel);
    dialog->close();
  }
}

class RegisterTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    previousConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path()));
    fresh = std::make_unique<FreshDatabase>(&CreateUpgradedDatabase);
    db = fresh->Connect();
    SetMainDatabase(db.get());
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    IniSettings = {};
    ProgramSettings = {};
    ProgramSettings.Rok = 2026;
    Organizacia = {};
  }
  void TearDown() override {
    EXPECT_EQ(script.Pending(), 0) << "modal forms expected but not shown";
    EXPECT_EQ(script.Unexpected(), 0) << "a modal form was shown that the test did not expect";
    dialogs.reset();
    SetMainDatabase(nullptr);
    if (db) db->Close();
    db.reset();
    fresh.reset();
    qputenv("XDG_CONFIG_HOME", previousConfig_);
  }

  // Runs a statement with named values in its own committed transaction.
  void Exec(const QString& sql, const QVariantMap& params = {}) const {
    TTestStatement statement(db.get(), sql, params);
    statement.Query().ExecSQL();
    statement.Commit();
  }
  // The first column of every row.
  QVariantList Column(const QString& sql, const QVariantMap& params = {}) const {
    TTestStatement statement(db.get(), sql, params);
    TIBQuery& query = statement.Query();
    query.Open();
    QVariantList values;
    for (query.First(); !query.Eof(); query.Next())
      values.append(query.FieldByNumber(0).AsVariant());
    statement.Commit();
    return values;
  }
  // The texts of the messages shown so far.
  QStringList Messages() const {
    QStringList texts;
    for (const TMessageRequest& request : dialogs->Requests())
      texts.append(request.Text);
    return texts;
  }
  // Fresh scripted message dialogs answering in order (the old ones
  // uninstall first, so that the new ones are not replaced by the standard).
  void Answer(QList<int> answers = {}) {
    dialogs.reset();
    dialogs = std::make_unique<TScriptedMessageDialogs>(std::move(answers));
  }
  // Types `typed` at the end of `field` and saves with F12: the save is
  // refused by the field's own message, which names the field by its caption
  // and the character as typed (an emoji whole); the dialog stays open with
  // the focus in the field. The caller cancels the dialog and checks that
  // nothing was stored.
  void ExpectUnstorableTextRefused(TForm& dialog, QWidget* field, const QString& caption,
                                   const QString& typed = QStringLiteral(" 😀"),
                                   const QString& named = QStringLiteral("„😀“ (U+1F600)")) {
    const qsizetype before = Messages().size();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_End);
    TypeText(field, typed);
    Press(dialog, Qt::Key_F12);
    EXPECT_EQ(Messages().mid(before),
              QStringList(QStringLiteral("Pole „%1“ obsahuje znak %2, ktorý program nemôže uložiť. "
                                         "Nahraďte ho, prosím, iným znakom.")
                              .arg(caption, named)));
    EXPECT_TRUE(dialog.isVisible());
    QWidget* focused = dialog.focusWidget();
    EXPECT_TRUE(focused == field || field->isAncestorOf(focused))
        << (focused ? focused->objectName().toStdString() : "");
  }
  static void ShowActive(QWidget& form) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  QTemporaryDir home_;
  QByteArray previousConfig_;
  std::unique_ptr<FreshDatabase> fresh;
  std::unique_ptr<TIBDatabase> db;
  std::unique_ptr<TScriptedMessageDialogs> dialogs;
  TModalScript script;
};
