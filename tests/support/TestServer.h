#pragma once
#include <QtCore/QString>
#include <optional>

// The Firebird server the environment names for the server tests:
//   VIMEK_FB_DATABASE  a database on it ("127.0.0.1/3057:/path/Vimek-test.fdb")
//   VIMEK_FB_USER      default SYSDBA
//   VIMEK_FB_PASSWORD
//   VIMEK_FB_FOLDER    a folder the server may write and this process read
//                      (default: the folder of VIMEK_FB_DATABASE's file)
// scripts/test starts a private server and sets them.
struct TTestServer {
  QString Database; // the connection string
  QString Server;   // its server part ("127.0.0.1/3057")
  QString User, Password, Folder;
  // A connection string for another file of the folder on the same server.
  QString DatabaseNamed(const QString& fileName) const;
};
std::optional<TTestServer> TestServer();

// True in a CI run (CI set and not "false"), where a server test that cannot
// run fails instead of being skipped.
bool RunningInCi();

// Declares `name` as the environment's server, or leaves the test (or its
// SetUp): skipped on a developer's machine, failed in CI.
#define VIMEK_REQUIRE_SERVER(name)                                                                                     \
  const std::optional<TTestServer> name = TestServer();                                                                \
  if (!name) {                                                                                                         \
    if (RunningInCi()) FAIL() << "CI run without a Firebird server: VIMEK_FB_DATABASE is not set";                     \
    GTEST_SKIP() << "no Firebird server named in VIMEK_FB_DATABASE (host/port:path)";                                  \
  }
