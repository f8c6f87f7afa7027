#pragma once
#include <QtCore/QString>

// A database name as the settings file holds it, taken apart once for the
// connection and the server's services alike. Forms that name a server:
//   host:path, host/port:path, [ipv6]:path, [ipv6]/port:path (the host a
//   name, an IPv4 address or "localhost"), and the URL forms
//   inet://host/path, inet://host:port/path (also inet4, inet6, xnet, wnet;
//   an IPv6 host in brackets).
// Anything else is a local file for the engine of this process: a bare path,
// a drive letter ("C:\..."), a path holding a colon ("/data/a:b.fdb").
class TConnectionString {
public:
  static TConnectionString Parse(const QString& name);

  bool Remote() const { return !host_.isEmpty() || !scheme_.isEmpty(); }
  // "inet", "inet4", "inet6", "xnet", "wnet" for the URL forms, else empty.
  const QString& Scheme() const { return scheme_; }
  // The host as written, an IPv6 address without its brackets.
  const QString& Host() const { return host_; }
  // The port or service name; empty for the server's default.
  const QString& Port() const { return port_; }
  // The file (or alias) the server opens; the whole name for a local file.
  const QString& Path() const { return path_; }
  // The server part as the name writes it ("127.0.0.1/3057", "[::1]",
  // "inet://host:3057"); empty for a local file.
  const QString& Server() const { return server_; }
  // The same server part with another host (scheme and port kept); empty
  // for a local file.
  QString ServerAt(const QString& host) const;

  // The service manager's name on the server a server part names (as
  // Server() gives it); empty for the engine of this process.
  static QString ServiceManager(const QString& server);

private:
  QString scheme_, host_, port_, path_, server_;
};
