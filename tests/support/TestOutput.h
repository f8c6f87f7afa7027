#pragma once
#include <QtCore/QString>

// A path for a picture or file that a test leaves behind for a person to look
// at: "test-output/<name>" in the build folder (CTest names it in
// VIMEK_BINARY_DIR), else in a temporary folder of this process. Never a fixed
// path shared with other test runs.
QString TestOutputPath(const QString& name);
