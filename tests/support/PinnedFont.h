#pragma once
#include <QtCore/QString>

// The family of the font that tests which measure rendered text draw with. It
// is loaded from its file (installed by the scripts with fonts-liberation), so
// widths and line breaks do not depend on which other fonts a machine has.
// Raises std::runtime_error when the file cannot be loaded.
QString PinnedFontFamily();
