#include "console/editor/text/CodeEditKeyCmds.h"
#include "console/editor/text/CodeEditErrors.h"
#include "console/editor/text/CodeEditKbdHandler.h"
#include <QtCore/QObject>
#include <QtGui/QKeySequence>
#include <gtest/gtest.h>

namespace {

struct Binding {
  const char* command;
  const char* keys; // Qt's portable key-sequence text
};

// The default bindings in their order.
const Binding kDefaults[] = {
    {"ecUp", "Up"},
    {"ecSelUp", "Shift+Up"},
    {"ecScrollUp", "Ctrl+Up"},
    {"ecDown", "Down"},
    {"ecSelDown", "Shift+Down"},
    {"ecScrollDown", "Ctrl+Down"},
    {"ecLeft", "Left"},
    {"ecSelLeft", "Shift+Left"},
    {"ecWordLeft", "Ctrl+Left"},
    {"ecSelWordLeft", "Ctrl+Shift+Left"},
    {"ecRight", "Right"},
    {"ecSelRight", "Shift+Right"},
    {"ecWordRight", "Ctrl+Right"},
    {"ecSelWordRight", "Ctrl+Shift+Right"},
    {"ecPageDown", "PgDown"},
    {"ecSelPageDown", "Shift+PgDown"},
    {"ecPageBottom", "Ctrl+PgDown"},
    {"ecSelPageBottom", "Ctrl+Shift+PgDown"},
    {"ecPageUp", "PgUp"},
    {"ecSelPageUp", "Shift+PgUp"},
    {"ecPageTop", "Ctrl+PgUp"},
    {"ecSelPageTop", "Ctrl+Shift+PgUp"},
    {"ecLineStart", "Home"},
    {"ecSelLineStart", "Shift+Home"},
    {"ecEditorTop", "Ctrl+Home"},
    {"ecSelEditorTop", "Ctrl+Shift+Home"},
    {"ecLineEnd", "End"},
    {"ecSelLineEnd", "Shift+End"},
    {"ecEditorBottom", "Ctrl+End"},
    {"ecSelEditorBottom", "Ctrl+Shift+End"},
    {"ecToggleMode", "Ins"},
    {"ecCopy", "Ctrl+Ins"},
    {"ecCut", "Shift+Del"},
    {"ecPaste", "Shift+Ins"},
    {"ecDeleteChar", "Del"},
    {"ecDeleteLastChar", "Backspace"},
    {"ecDeleteLastChar", "Shift+Backspace"},
    {"ecDeleteLastWord", "Ctrl+Backspace"},
    {"ecUndo", "Alt+Backspace"},
    {"ecRedo", "Shift+Alt+Backspace"},
    {"ecLineBreak", "Return"},
    {"ecLineBreak", "Shift+Return"},
    {"ecTab", "Tab"},
    {"ecShiftTab", "Shift+Tab"},
    {"ecContextHelp", "F1"},
    {"ecSelectAll", "Ctrl+A"},
    {"ecCopy", "Ctrl+C"},
    {"ecPaste", "Ctrl+V"},
    {"ecCut", "Ctrl+X"},
    {"ecBlockIndent", "Ctrl+Shift+I"},
    {"ecBlockUnindent", "Ctrl+Shift+U"},
    {"ecLineBreak", "Ctrl+M"},
    {"ecInsertLine", "Ctrl+N"},
    {"ecDeleteWord", "Ctrl+T"},
    {"ecDeleteLine", "Ctrl+Y"},
    {"ecDeleteEOL", "Ctrl+Shift+Y"},
    {"ecUndo", "Ctrl+Z"},
    {"ecRedo", "Ctrl+Shift+Z"},
    {"ecGotoMarker0", "Ctrl+0"},
    {"ecGotoMarker1", "Ctrl+1"},
    {"ecGotoMarker2", "Ctrl+2"},
    {"ecGotoMarker3", "Ctrl+3"},
    {"ecGotoMarker4", "Ctrl+4"},
    {"ecGotoMarker5", "Ctrl+5"},
    {"ecGotoMarker6", "Ctrl+6"},
    {"ecGotoMarker7", "Ctrl+7"},
    {"ecGotoMarker8", "Ctrl+8"},
    {"ecGotoMarker9", "Ctrl+9"},
    {"ecSetMarker0", "Ctrl+Shift+0"},
    {"ecSetMarker1", "Ctrl+Shift+1"},
    {"ecSetMarker2", "Ctrl+Shift+2"},
    {"ecSetMarker3", "Ctrl+Shift+3"},
    {"ecSetMarker4", "Ctrl+Shift+4"},
    {"ecSetMarker5", "Ctrl+Shift+5"},
    {"ecSetMarker6", "Ctrl+Shift+6"},
    {"ecSetMarker7", "Ctrl+Shift+7"},
    {"ecSetMarker8", "Ctrl+Shift+8"},
    {"ecSetMarker9", "Ctrl+Shift+9"},
    {"ecNormalSelect", "Ctrl+Shift+N"},
    {"ecColumnSelect", "Ctrl+Shift+C"},
    {"ecLineSelect", "Ctrl+Shift+L"},
    {"ecMatchBracket", "Ctrl+Shift+B"},
};

// The binding of a key sequence text, through the Qt key table.
void KeyOf(const char* keys, quint16& key, TShiftState& shift) {
  const QKeyCombination combination = QKeySequence::fromString(QLatin1String(keys), QKeySequence::PortableText)[0];
  key = VirtualKeyFromQt(combination.key(), combination.keyboardModifiers());
  shift = ShiftStateFromQt(combination.keyboardModifiers());
}

TEST(CodeEditKeyCmdsTest, DefaultBindingsInOrder) {
  TCodeEditKeyStrokes strokes;
  strokes.AddBinding(ecUserFirst, vk::Char('Q'), ssAlt);
  strokes.LoadDefaultBindings();
  ASSERT_EQ(strokes.Count(), int(std::size(kDefaults)));
  EXPECT_EQ(strokes.Count(), 82);
  for (int i = 0; i < strokes.Count(); ++i) {
    const Binding& expected = kDefaults[i];
    SCOPED_TRACE(std::string(expected.command) + " " + expected.keys);
    quint16 key = 0;
    TShiftState shift = 0;
    KeyOf(expected.keys, key, shift);
    ASSERT_NE(key, 0);
    const TCodeEditKeyStroke& b = strokes.Items(i);
    EXPECT_EQ(CommandDisplayName(b.Command()), QLatin1String(expected.command));
    EXPECT_EQ(b.Key(), key);
    EXPECT_EQ(b.Shift(), shift);
    EXPECT_EQ(b.Key2(), 0);
    EXPECT_EQ(b.ShortCut2(), 0);
  }
  // Backspace with and without Shift deletes the last character.
  EXPECT_EQ(strokes.Items(strokes.FindSingleKey(vk::Back, 0)).Command(), ecDeleteLastChar);
  EXPECT_EQ(strokes.Items(strokes.FindSingleKey(vk::Back, ssShift)).Command(), ecDeleteLastChar);
  EXPECT_EQ(strokes.FindSingleKey(vk::Char('Q'), ssAlt), -1);
}

TEST(CodeEditKeyCmdsTest, ShortcutsPackKeyAndShiftInSixteenBits) {
  TCodeEditKeyStrokes strokes;
  TCodeEditKeyStroke& b = strokes.Add();
  b.SetShortCut(8230); // as a stored form keeps Shift+Up
  EXPECT_EQ(b.Key(), vk::Up);
  EXPECT_EQ(b.Shift(), ssShift);
  b.SetShortCut2(ShortCut(vk::Char('K'), ssCtrl | ssAlt));
  EXPECT_EQ(b.ShortCut2(), 0xC000 | 'K');
  EXPECT_EQ(b.Shift2(), ssCtrl | ssAlt);
  EXPECT_EQ(ShortCut(vk::F1, ssCtrl), 16496);
}

TEST(CodeEditKeyCmdsTest, DuplicateShortcutsAreRefusedButOwnShortcutIsAllowed) {
  TCodeEditKeyStrokes strokes;
  strokes.LoadDefaultBindings();
  TCodeEditKeyStroke& copy = strokes.Items(strokes.FindSingleKey(vk::Char('C'), ssCtrl));
  TCodeEditKeyStroke& undo = strokes.Items(strokes.FindSingleKey(vk::Char('Z'), ssCtrl));
  EXPECT_NO_THROW(copy.SetShortCut(copy.ShortCut()));
  try {
    undo.SetShortCut(copy.ShortCut());
    FAIL() << "no error";
  } catch (const ECodeKeyError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Shortcut already exists"));
  }
  EXPECT_EQ(undo.Key(), vk::Char('Z')); // unchanged
  // With a second key the pair differs, so the first key may repeat.
  undo.SetShortCut2(ShortCut(vk::Char('K'), 0));
  EXPECT_NO_THROW(undo.SetShortCut(copy.ShortCut()));
  TCodeEditKeyStroke& other = strokes.Add();
  other.SetShortCut2(ShortCut(vk::Char('K'), 0));
  EXPECT_THROW(other.SetShortCut(copy.ShortCut()), ECodeKeyError);
  EXPECT_NO_THROW(other.SetShortCut(0));
  EXPECT_NO_THROW(strokes.Add().SetShortCut(0));
  // A value with bits that name no modifier is checked as it is kept.
  TCodeEditKeyStroke& stray = strokes.Add();
  EXPECT_THROW(stray.SetShortCut(copy.ShortCut() | 0x0200), ECodeKeyError);
  EXPECT_EQ(stray.ShortCut(), 0);
  EXPECT_NO_THROW(stray.SetShortCut(ShortCut(vk::F1, ssCtrl | ssAlt) | 0x1100));
  EXPECT_EQ(stray.ShortCut(), ShortCut(vk::F1, ssCtrl | ssAlt));
}

TEST(CodeEditKeyCmdsTest, LookupsTellSingleKeysFromChords) {
  TCodeEditKeyStrokes strokes;
  TCodeEditKeyStroke& chord = strokes.Add();
  chord.SetCommand(ecBlockIndent);
  chord.SetShortCut(ShortCut(vk::Char('K'), ssCtrl));
  chord.SetShortCut2(ShortCut(vk::Char('I'), 0));
  EXPECT_EQ(strokes.FindSingleKey(vk::Char('K'), ssCtrl), -1);
  EXPECT_EQ(strokes.FindChordKey(vk::Char('K'), ssCtrl, vk::Char('I'), 0), 0);
  EXPECT_EQ(strokes.FindChordKey(vk::Char('K'), ssCtrl, vk::Char('I'), ssCtrl), -1);
  strokes.AddBinding(ecDeleteLine, vk::Char('K'), ssCtrl);
  EXPECT_EQ(strokes.FindSingleKey(vk::Char('K'), ssCtrl), 1);
  EXPECT_EQ(strokes.FindShortcutPair(ShortCut(vk::Char('K'), ssCtrl), ShortCut(vk::Char('I'), 0)), 0);
  strokes.AddBinding(ecUndo, vk::Char('K'), ssCtrl); // no check: lookups find the first
  EXPECT_EQ(strokes.FindSingleKey(vk::Char('K'), ssCtrl), 1);

  TCodeEditKeyStrokes copy;
  copy.Assign(strokes);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.Items(0).Command(), ecBlockIndent);
  EXPECT_EQ(copy.Items(0).Key2(), vk::Char('I'));
  copy.Delete(0);
  EXPECT_EQ(copy.FindSingleKey(vk::Char('K'), ssCtrl), 0);
}

TEST(CodeEditKeyCmdsTest, CommandNamesAndDisplayNames) {
  struct Case {
    TCodeEditorCommand code;
    const char* name; // nullptr: no name
  };
  const Case cases[] = {{ecNone, "ecNone"},           {ecUp, "ecUp"},
                        {ecSelGotoXY, "ecSelGotoXY"}, {ecGotoMarker0 + 4, "ecGotoMarker4"},
                        {ecImeStr, "ecImeStr"},       {ecUserFirst, "ecUserFirst"},
                        {ecGotFocus, nullptr},        {ecUserFirst + 5, nullptr}};
  for (const Case& c : cases) {
    QString name;
    TCodeEditorCommand code = 0;
    EXPECT_EQ(CommandCodeToName(c.code, name), c.name != nullptr) << c.code;
    if (c.name) {
      EXPECT_EQ(name, QLatin1String(c.name));
      EXPECT_TRUE(CommandNameToCode(QLatin1String(c.name).toString().toUpper(), code));
      EXPECT_EQ(code, c.code);
      EXPECT_EQ(CommandDisplayName(c.code), QLatin1String(c.name));
    } else {
      EXPECT_EQ(CommandDisplayName(c.code), QString::number(c.code));
    }
  }
  TCodeEditorCommand code = 77;
  EXPECT_FALSE(CommandNameToCode(QStringLiteral("ecFly"), code));
  EXPECT_EQ(code, 77);

  TCodeEditKeyStrokes strokes;
  strokes.LoadDefaultBindings();
  const auto textOf = [](const char* keys) {
    return QKeySequence::fromString(QLatin1String(keys), QKeySequence::PortableText).toString(QKeySequence::NativeText);
  };
  EXPECT_EQ(strokes.Items(strokes.FindSingleKey(vk::Char('C'), ssCtrl)).DisplayName(),
            QStringLiteral("ecCopy - ") + textOf("Ctrl+C") + QStringLiteral(" "));
  TCodeEditKeyStroke& user = strokes.Add();
  user.SetCommand(ecUserFirst + 5);
  EXPECT_EQ(user.DisplayName(), QStringLiteral("1006 - "));
  user.SetShortCut(ShortCut(vk::Char('K'), ssCtrl));
  user.SetShortCut2(ShortCut(vk::Delete, ssShift));
  EXPECT_EQ(user.DisplayName(), QStringLiteral("1006 - ") + textOf("Ctrl+K") + u' ' + textOf("Shift+Del"));
}

TEST(CodeEditKeyCmdsTest, VirtualKeysMapToQtKeysAndBack) {
  for (int key = 1; key < 256; ++key) {
    bool keypad = false;
    const int qtKey = QtKeyFromVirtualKey(quint16(key), &keypad);
    if (qtKey == 0) continue;
    EXPECT_EQ(VirtualKeyFromQt(qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier), key) << key;
  }
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backtab, Qt::ShiftModifier), vk::Tab);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter, Qt::NoModifier), vk::Return);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_5, Qt::KeypadModifier), vk::Numpad0 + 5);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::NoModifier), 0xBD);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier), 0);
  EXPECT_EQ(QtModifiersFromShiftState(ShiftStateFromQt(Qt::ShiftModifier | Qt::AltModifier)),
            Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(ShortCutToText(0), QString());
}

TEST(CodeEditKeyCmdsTest, HandlerChainsRunNewestFirstAndOnlyOnceAtATime) {
  TCodeEditKbdHandler handler;
  QObject sender;
  QStringList calls;
  handler.KeyDownHandlers.Add([&](QObject* s, quint16& key, TShiftState) {
    EXPECT_EQ(s, &sender);
    calls << QStringLiteral("first");
  });
  const int stopper = handler.KeyDownHandlers.Add([&](QObject*, quint16& key, TShiftState shift) {
    calls << QStringLiteral("stopper");
    if (shift & ssCtrl) key = 0;
  });
  handler.KeyDownHandlers.Add([&](QObject*, quint16& key, TShiftState shift) {
    calls << QStringLiteral("newest");
    quint16 again = key;
    handler.RunKeyDownHandlers(&sender, again, shift); // ignored: the chain is running
  });
  quint16 key = vk::Char('A');
  handler.RunKeyDownHandlers(&sender, key, 0);
  EXPECT_EQ(calls.join(u','), QStringLiteral("newest,stopper,first"));
  calls.clear();
  handler.RunKeyDownHandlers(&sender, key, ssCtrl);
  EXPECT_EQ(calls.join(u','), QStringLiteral("newest,stopper"));
  EXPECT_EQ(key, 0);
  calls.clear();
  handler.KeyDownHandlers.Remove(stopper);
  key = vk::Char('A');
  handler.RunKeyDownHandlers(&sender, key, ssCtrl);
  EXPECT_EQ(calls.join(u','), QStringLiteral("newest,first"));

  QChar ch(u'x');
  int pressCalls = 0;
  handler.KeyPressHandlers.Add([&](QObject*, QChar&) { ++pressCalls; });
  handler.KeyPressHandlers.Add([&](QObject*, QChar& c) {
    ++pressCalls;
    c = QChar();
  });
  handler.RunKeyPressHandlers(&sender, ch);
  EXPECT_EQ(pressCalls, 1);
  EXPECT_TRUE(ch.isNull());

  // Mouse handlers cannot stop the run; a throwing handler clears the flag.
  int mouseCalls = 0;
  handler.MouseDownHandlers.Add([&](QObject*, TMouseButton, TShiftState, int, int) { ++mouseCalls; });
  const int thrower = handler.MouseDownHandlers.Add([&](QObject*, TMouseButton, TShiftState, int x, int) {
    ++mouseCalls;
    if (x < 0) throw std::runtime_error("boom");
  });
  EXPECT_THROW(handler.RunMouseDownHandlers(&sender, mbLeft, 0, -1, 0), std::runtime_error);
  handler.MouseDownHandlers.Remove(thrower);
  handler.RunMouseDownHandlers(&sender, mbLeft, 0, 5, 5);
  EXPECT_EQ(mouseCalls, 2);

  Qt::CursorShape cursor = Qt::IBeamCursor;
  handler.MouseCursorHandlers.Add([](QObject*, const TBufferCoord& at, Qt::CursorShape& c) {
    if (at.Line == 3) c = Qt::ArrowCursor;
  });
  handler.RunMouseCursorHandlers(&sender, {1, 3}, cursor);
  EXPECT_EQ(cursor, Qt::ArrowCursor);
}

} // namespace
