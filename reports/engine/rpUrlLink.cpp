#include "reports/engine/rpUrlLink.h"
#include <QtCore/QUrl>

bool rpIsPageLink(const QString& link, int* page) {
  const qsizetype at = link.lastIndexOf(QLatin1Char('@'));
  if (at < 0) return false;
  bool ok = false;
  const int number = link.mid(at + 1).trimmed().toInt(&ok);
  if (ok && page) *page = number;
  return ok;
}

QString rpOpenableUrl(const QString& link) {
  QString text = link.trimmed();
  if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) text.prepend(QLatin1String("http://"));
  const QUrl url(text, QUrl::StrictMode);
  if (!url.isValid()) return QString();
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) return url.path().contains(QLatin1Char('@')) ? url.toString() : QString();
  if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty())
    return url.toString();
  return QString();
}
