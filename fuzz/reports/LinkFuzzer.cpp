// Link texts of prepared-page objects named "URL...", as templates and ".rpp"
// files bring them. Whatever the text, an address handed to the desktop must
// be a web or mail address, and a page link is never also an address.
#include "reports/engine/rpUrlLink.h"
#include <QtCore/QUrl>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString link = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const QString url = rpOpenableUrl(link);
  if (!url.isEmpty()) {
    const QString scheme = QUrl(url).scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("mailto"))
      std::abort();
  }
  int page = 0;
  if (rpIsPageLink(link, &page) && !link.contains(QLatin1Char('@'))) std::abort();
  return 0;
}
