#include "console/editor/text/CodeEditVirtualKeys.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QKeySequence>

namespace {

struct KeyPair {
  quint16 virtualKey;
  int qtKey;
  bool keypad;
};

// Keys that are not letters, digits or function keys (those follow in ranges).
constexpr KeyPair kKeys[] = {
    {vk::Back, Qt::Key_Backspace, false}, {vk::Tab, Qt::Key_Tab, false},
    {vk::Tab, Qt::Key_Backtab, false},    {vk::Return, Qt::Key_Return, false},
    {vk::Return, Qt::Key_Enter, true},    {vk::Pause, Qt::Key_Pause, false},
    {vk::Escape, Qt::Key_Escape, false},  {vk::Space, Qt::Key_Space, false},
    {vk::Prior, Qt::Key_PageUp, false},   {vk::Next, Qt::Key_PageDown, false},
    {vk::End, Qt::Key_End, false},        {vk::Home, Qt::Key_Home, false},
    {vk::Left, Qt::Key_Left, false},      {vk::Up, Qt::Key_Up, false},
    {vk::Right, Qt::Key_Right, false},    {vk::Down, Qt::Key_Down, false},
    {vk::Insert, Qt::Key_Insert, false},  {vk::Delete, Qt::Key_Delete, false},
    {vk::Apps, Qt::Key_Menu, false},      {vk::Multiply, Qt::Key_Asterisk, true},
    {vk::Add, Qt::Key_Plus, true},        {vk::Subtract, Qt::Key_Minus, true},
    {vk::Decimal, Qt::Key_Period, true},  {vk::Divide, Qt::Key_Slash, true},
    {0xBA, Qt::Key_Semicolon, false},     {0xBB, Qt::Key_Equal, false},
    {0xBC, Qt::Key_Comma, false},         {0xBD, Qt::Key_Minus, false},
    {0xBE, Qt::Key_Period, false},        {0xBF, Qt::Key_Slash, false},
    {0xC0, Qt::Key_QuoteLeft, false},     {0xDB, Qt::Key_BracketLeft, false},
    {0xDC, Qt::Key_Backslash, false},     {0xDD, Qt::Key_BracketRight, false},
    {0xDE, Qt::Key_Apostrophe, false},
};

// Key codes of the keyboard's keys as X11 and Wayland report them (the
// kernel's code plus 8): the digit row "1" ... "9", "0" is 10 ... 19. Other
// platforms report 0 for the scan code, and the Qt key is used.
constexpr quint32 kScanCodeDigit1 = 10, kScanCodeDigit0 = 19;

} // namespace

quint16 VirtualKeyFromKeyEvent(const QKeyEvent& event) {
  const quint32 scanCode = event.nativeScanCode();
  if (!event.modifiers().testFlag(Qt::KeypadModifier) && scanCode >= kScanCodeDigit1 && scanCode <= kScanCodeDigit0)
    return quint16(vk::Digit0 + (scanCode - kScanCodeDigit1 + 1) % 10);
  return VirtualKeyFromQt(event.key(), event.modifiers());
}

quint16 VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return quint16((keypad ? vk::Numpad0 : vk::Digit0) + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return quint16(vk::KeyA + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return quint16(vk::F1 + (qtKey - Qt::Key_F1));
  for (const KeyPair& pair : kKeys)
    if (pair.qtKey == qtKey && pair.keypad == keypad) return pair.virtualKey;
  // A keypad key without its modifier (Enter), or the other way round.
  for (const KeyPair& pair : kKeys)
    if (pair.qtKey == qtKey) return pair.virtualKey;
  return 0;
}

int QtKeyFromVirtualKey(quint16 key, bool* keypad) {
  if (keypad) *keypad = false;
  if (key >= vk::Digit0 && key <= vk::Digit0 + 9) return Qt::Key_0 + (key - vk::Digit0);
  if (key >= vk::KeyA && key <= vk::KeyA + 25) return Qt::Key_A + (key - vk::KeyA);
  if (key >= vk::F1 && key <= vk::F1 + 23) return Qt::Key_F1 + (key - vk::F1);
  if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9) {
    if (keypad) *keypad = true;
    return Qt::Key_0 + (key - vk::Numpad0);
  }
  for (const KeyPair& pair : kKeys) {
    if (pair.virtualKey != key) continue;
    if (keypad) *keypad = pair.keypad;
    return pair.qtKey;
  }
  return 0;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  return shift;
}

Qt::KeyboardModifiers QtModifiersFromShiftState(TShiftState shift) {
  Qt::KeyboardModifiers modifiers;
  if (shift & ssShift) modifiers |= Qt::ShiftModifier;
  if (shift & ssAlt) modifiers |= Qt::AltModifier;
  if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
  return modifiers;
}

TShortCut ShortCut(quint16 key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift & ssShift) result |= 0x2000;
  if (shift & ssCtrl) result |= 0x4000;
  if (shift & ssAlt) result |= 0x8000;
  return result;
}

void ShortCutToKey(TShortCut shortCut, quint16& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = 0;
  if (shortCut & 0x2000) shift |= ssShift;
  if (shortCut & 0x4000) shift |= ssCtrl;
  if (shortCut & 0x8000) shift |= ssAlt;
}

QString ShortCutToText(TShortCut shortCut) {
  quint16 key = 0;
  TShiftState shift = 0;
  ShortCutToKey(shortCut, key, shift);
  bool keypad = false;
  const int qtKey = QtKeyFromVirtualKey(key, &keypad);
  if (qtKey == 0) return QString();
  Qt::KeyboardModifiers modifiers = QtModifiersFromShiftState(shift);
  if (keypad) modifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(modifiers, Qt::Key(qtKey))).toString(QKeySequence::NativeText);
}
