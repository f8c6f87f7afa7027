#pragma once
#include "platform/MessageDialogs.h"
#include "tests/support/QStringPrinter.h"
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QVBoxLayout>
#include <gtest/gtest.h>
#include <ostream>

// The message of a required entry left empty.
inline const QString kRequiredMessage1001 =
    QStringLiteral("Hlásenie #1001\r\n\r\nPovinný údaj. Položka musí byť zadaná!\r\n");

// Types text key by key, letters with diacritics included (QTest's own
// typing knows only ASCII).
inline void TypeText(QWidget* widget, const QString& text) {
  // One key event per character as the keyboard sends it: a character
  // outside the basic plane (an emoji) arrives whole, as two UTF-16 units.
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString typed = text.mid(i, units);
    const QChar c = typed[0];
    i += units;
    QKeyEvent press(QEvent::KeyPress, c.unicode() < 0x80 ? int(c.toUpper().unicode()) : Qt::Key_unknown, Qt::NoModifier,
                    typed);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, typed);
    QApplication::sendEvent(widget, &release);
  }
}

// A shown, active dialog whose controls sit in tab order, with the message
// dialogs answered by a script that records every message.
class KitDialogTest : public testing::Test {
protected:
  template <class T> T* Add(const QString& name) {
    auto* control = new T(&dialog);
    control->setObjectName(name);
    layout->addWidget(control);
    return control;
  }
  void Show() {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void Focus(QWidget* control) {
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString() << " has no focus";
  }
  // The texts of the messages shown so far.
  QStringList Messages() const {
    QStringList texts;
    for (const TMessageRequest& request : messages.Requests())
      texts.append(request.Text);
    return texts;
  }

  QDialog dialog;
  QVBoxLayout* layout = new QVBoxLayout(&dialog);
  TScriptedMessageDialogs messages;
};
