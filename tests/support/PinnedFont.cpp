#include "tests/support/PinnedFont.h"
#include <QtCore/QStringList>
#include <QtGui/QFontDatabase>
#include <stdexcept>

namespace {
// Metric-compatible with the proportional font that report templates name.
const QString kFontFile = QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");
} // namespace

QString PinnedFontFamily() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(kFontFile);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
      throw std::runtime_error("cannot load " + kFontFile.toStdString() + " (install fonts-liberation)");
    return families.first();
  }();
  return family;
}
