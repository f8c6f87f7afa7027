#include "db/ConnectionString.h"
#include <QtCore/QRegularExpression>

namespace {

// A host name or IPv4 address of at least two characters (one letter and a
// colon is a drive), or an IPv6 address in brackets.
const QString kHost = QStringLiteral("([A-Za-z0-9_.\\-]{2,}|\\[[0-9A-Fa-f:.]+\\])");

QString Unbracketed(const QString& host) {
  return host.startsWith(QLatin1Char('[')) ? host.mid(1, host.size() - 2) : host;
}

} // namespace

TConnectionString TConnectionString::Parse(const QString& name) {
  static const QRegularExpression url(
      QStringLiteral("^(inet[46]?|xnet|wnet)://(") + kHost + QStringLiteral("(:([A-Za-z0-9_-]*))?)?/(.*)$"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression legacy(QStringLiteral("^(") + kHost + QStringLiteral("(/([A-Za-z0-9_-]+))?):(.*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
  TConnectionString parts;
  if (const QRegularExpressionMatch match = url.match(name); match.hasMatch()) {
    parts.scheme_ = match.captured(1).toLower();
    parts.host_ = Unbracketed(match.captured(3));
    parts.port_ = match.captured(5);
    parts.path_ = match.captured(6);
    parts.server_ = name.left(match.capturedStart(6) - 1);
  } else if (const QRegularExpressionMatch match = legacy.match(name); match.hasMatch()) {
    parts.host_ = Unbracketed(match.captured(2));
    parts.port_ = match.captured(4);
    parts.path_ = match.captured(5);
    parts.server_ = match.captured(1);
  } else {
    parts.path_ = name;
  }
  return parts;
}

QString TConnectionString::ServerAt(const QString& host) const {
  if (!Remote()) return {};
  const QString written = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
  if (!scheme_.isEmpty())
    return scheme_ + QStringLiteral("://") + written + (port_.isEmpty() ? QString() : QLatin1Char(':') + port_);
  return written + (port_.isEmpty() ? QString() : QLatin1Char('/') + port_);
}

QString TConnectionString::ServiceManager(const QString& server) {
  if (server.isEmpty()) return {};
  // The URL forms end their server part before a slash, the others before a colon.
  return server.contains(QLatin1String("://")) ? server + QStringLiteral("/service_mgr")
                                               : server + QStringLiteral(":service_mgr");
}
