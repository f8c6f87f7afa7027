#pragma once
#include "core/Color.h"
#include <QtCore/QString>
#include <limits>
#include <optional>

// A colour from its stored text: a colour constant's name ("clRed",
// "clBtnFace", "clNone"; any letter case) or a number, decimal or hexadecimal
// with "$" or "0x" in front. nullopt for any other text.
std::optional<TColor> StringToColor(QStringView text);
