#pragma once
#include <QtCore/QString>
#include <QtCore/Qt>

class QKeyEvent;

// Keys as the editor's bindings store them: 16-bit virtual-key codes, so that
// stored bindings read the same as they always did. One table maps them to
// and from Qt keys.
namespace vk {
constexpr quint16 Back = 0x08, Tab = 0x09, Return = 0x0D, Pause = 0x13, Escape = 0x1B, Space = 0x20, Prior = 0x21,
                  Next = 0x22, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
                  Insert = 0x2D, Delete = 0x2E, Digit0 = 0x30, KeyA = 0x41, Apps = 0x5D, Numpad0 = 0x60,
                  Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F, F1 = 0x70;
// The key of a digit or a capital letter ('0'..'9', 'A'..'Z').
constexpr quint16 Char(char c) { return quint16(c); }
} // namespace vk

// The modifier keys and mouse buttons held with a key or a mouse event.
enum TShiftStateFlag : quint8 {
  ssShift = 0x01,
  ssAlt = 0x02,
  ssCtrl = 0x04,
  ssLeft = 0x08,
  ssRight = 0x10,
  ssMiddle = 0x20,
  ssDouble = 0x40,
};
using TShiftState = quint8;

enum TMouseButton : quint8 { mbLeft, mbRight, mbMiddle };

// A key with its shift state in 16 bits: the virtual-key code in the low
// byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 0 is no key.
using TShortCut = quint16;
TShortCut ShortCut(quint16 key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, quint16& key, TShiftState& shift);
// Qt's native key-sequence text of the shortcut ("" for 0).
QString ShortCutToText(TShortCut shortCut);

// The virtual key of a Qt key (0 when there is none); keypad keys are told
// apart by the keypad modifier.
quint16 VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The virtual key of a key event. The digit keys of the main keyboard are
// told by where they lie, not by what they type: X11 reports Ctrl+Shift+1 as
// "!" on an English layout and Ctrl+1 as "+" on a Slovak one, yet both are
// bindings of the digit 1.
quint16 VirtualKeyFromKeyEvent(const QKeyEvent& event);
// The Qt key of a virtual key (0 when there is none); `keypad` tells whether
// it lies on the numeric keypad.
int QtKeyFromVirtualKey(quint16 key, bool* keypad = nullptr);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers QtModifiersFromShiftState(TShiftState shift);
