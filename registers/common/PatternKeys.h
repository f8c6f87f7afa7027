#pragma once
#include <Qt>

// The list and dialog patterns act on their keys only while none of these
// is held, so that the keys stay free for the controls' own shortcuts.
constexpr Qt::KeyboardModifiers kHeldModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
