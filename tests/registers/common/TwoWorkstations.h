#pragma once
// Two workstations on one database, on the embedded file and on the server
// the environment names: the main connection is this workstation, Other()
// opens the other one.
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/support/SqlTestRoutines.h"
#include "tests/support/TestServer.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <string>

enum class TTarget { Embedded, Server };

class TwoWorkstationsTest : public RegisterTest, public ::testing::WithParamInterface<TTarget> {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    if (HasFatalFailure() || GetParam() == TTarget::Embedded) {
      name_ = fresh->Path();
      return;
    }
    VIMEK_REQUIRE_SERVER(server);
    // The fresh database, copied where the server keeps its files.
    serverFile_ = server->Folder + QStringLiteral("/vimek-concurrent-%1.fdb").arg(QCoreApplication::applicationPid());
    SetMainDatabase(nullptr);
    db->Close();
    QFile::remove(serverFile_);
    ASSERT_TRUE(QFile::copy(fresh->Path(), serverFile_));
    name_ = server->Server + QLatin1Char(':') + serverFile_;
    user_ = server->User;
    password_ = server->Password;
    db = Other();
    SetMainDatabase(db.get());
  }
  void TearDown() override {
    RegisterTest::TearDown();
    if (!serverFile_.isEmpty()) QFile::remove(serverFile_);
  }
  std::unique_ptr<TIBDatabase> Other() const {
    auto other = std::make_unique<TIBDatabase>();
    other->SetDatabaseName(name_);
    other->SetUserName(user_);
    other->SetPassword(password_);
    other->Open();
    return other;
  }
  // Commits one statement as the other workstation.
  void OtherCommits(const QString& sql) const {
    const std::unique_ptr<TIBDatabase> other = Other();
    ExecCommitted(*other, sql);
    other->Close();
  }
  QVariantList Row(const QString& sql) const { return SelectRows(*db, sql).value(0); }

  QString name_, serverFile_, user_ = QStringLiteral("SYSDBA"), password_;
};

inline std::string TargetName(const ::testing::TestParamInfo<TTarget>& info) {
  return info.param == TTarget::Embedded ? "Embedded" : "Server";
}

#define VIMEK_ON_BOTH_TARGETS(suite)                                                                                   \
  INSTANTIATE_TEST_SUITE_P(Targets, suite, ::testing::Values(TTarget::Embedded, TTarget::Server), TargetName)
