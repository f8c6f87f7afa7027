#include "tests/support/TestServer.h"
#include "db/ConnectionString.h"
#include <QtCore/QFileInfo>

QString TTestServer::DatabaseNamed(const QString& fileName) const {
  const QChar separator = Server.contains(QLatin1String("://")) ? QLatin1Char('/') : QLatin1Char(':');
  return Server + separator + Folder + QLatin1Char('/') + fileName;
}

std::optional<TTestServer> TestServer() {
  const QString database = qEnvironmentVariable("VIMEK_FB_DATABASE");
  const TConnectionString parts = TConnectionString::Parse(database);
  if (!parts.Remote()) return std::nullopt;
  TTestServer server;
  server.Database = database;
  server.Server = parts.Server();
  server.User = qEnvironmentVariable("VIMEK_FB_USER", QStringLiteral("SYSDBA"));
  server.Password = qEnvironmentVariable("VIMEK_FB_PASSWORD");
  server.Folder = qEnvironmentVariable("VIMEK_FB_FOLDER", QFileInfo(parts.Path()).path());
  return server;
}

bool RunningInCi() {
  const QString ci = qEnvironmentVariable("CI").trimmed().toLower();
  return !ci.isEmpty() && ci != QLatin1String("false") && ci != QLatin1String("0");
}
