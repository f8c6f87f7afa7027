#pragma once
// Two workstations on one database, on the embedded file and on the server
// the environment names: the main connection is this workstation, Other()
// opens the other one.
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "registers/common/ChildGrid.h"
#include "registers/common/DialogForm.h"
#include "registers/common/DialogPattern.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/support/SqlTestRoutines.h"
#include "tests/support/TestServer.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <span>
#include <string>

enum class TTarget { Embedded, Server };

// A save in a dialog after the other workstation committed `other`: the
// answer the save must give ("changed", "gone", "" for saved) and the rows
// the test's statement reads afterwards (TwoWorkstationsTest::Rows).
struct TConcurrentEdit {
  const char* what;
  const char* other;
  const char* refusal;
  QStringList stored;
};

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
  // Every row of the statement, its columns' texts joined by "/".
  QStringList Rows(const QString& sql) const {
    QStringList rows;
    for (const QVariantList& row : SelectRows(*db, sql)) {
      QStringList columns;
      for (const QVariant& value : row)
        columns.append(value.toString());
      rows.append(columns.join(QLatin1Char('/')));
    }
    return rows;
  }

  // What a save left: whether its dialog stayed open, and its entries then.
  struct TSaveOutcome {
    bool open = false;
    QString kept;
  };
  // In the dialog in front, which loaded its row: the other workstation
  // commits `other`, this user enters, saves with F12; a dialog the save
  // left open is cancelled after `entries` read what it kept.
  TSaveOutcome SaveAfterOther(TForm& f, const char* other, const std::function<void()>& enter,
                              const std::function<QString()>& entries) const {
    OtherCommits(QString::fromUtf8(other));
    enter();
    Press(f, Qt::Key_F12);
    const TSaveOutcome outcome{f.isVisible(), entries()};
    if (outcome.open) f.SetModalResult(mrCancel);
    return outcome;
  }
  // The save answered as `refusal` says ("changed", "gone", "" for saved):
  // refused with its message and the dialog open with `typed` still in it,
  // or closed with no message.
  void ExpectAnswer(const char* refusalName, const TSaveOutcome& outcome, const QString& typed) const {
    const QString refusal = QString::fromLatin1(refusalName);
    EXPECT_EQ(outcome.open, !refusal.isEmpty());
    QStringList expected;
    if (refusal == QLatin1String("changed")) expected.append(TDialogPattern::ChangedByOtherMessage);
    if (refusal == QLatin1String("gone")) expected.append(NumberedMessageText(1012));
    EXPECT_EQ(Messages(), expected);
    if (outcome.open) EXPECT_EQ(outcome.kept, typed); // there to redo
  }
  // Each case from the rows `reset` lays down: `save` opens the dialogs and
  // saves through SaveAfterOther; then the answer and the rows `stored`
  // reads are checked against the case.
  void ExpectEachSave(std::span<const TConcurrentEdit> cases, const std::function<void()>& reset,
                      const std::function<TSaveOutcome(const TConcurrentEdit&)>& save, const QString& typed,
                      const QString& stored) {
    for (const TConcurrentEdit& c : cases) {
      SCOPED_TRACE(c.what);
      Answer();
      reset();
      ExpectAnswer(c.refusal, save(c), typed);
      EXPECT_EQ(Rows(stored), c.stored);
    }
  }
  // Shows `owner` for editing its row `key` in 2026, runs `inOwner` in it and cancels it.
  void EditOwner(TDialogForm& owner, int key, const std::function<void(TForm&)>& inOwner) {
    owner.dlg.Rok = 2026;
    owner.dlg.ClearForPass();
    owner.Jedin = key;
    owner.SetTag(2);
    script.Then([inOwner](TForm& f) {
      inOwner(f);
      f.SetModalResult(mrCancel);
    });
    owner.ShowModal();
  }
  // Edits the row `childKey` of `child` in `owner` (row `key`): the child
  // dialog runs `inChild`.
  void EditChild(TDialogForm& owner, int key, TChildGrid& child, int childKey,
                 const std::function<void(TForm&)>& inChild) {
    EditOwner(owner, key, [&, childKey](TForm&) {
      script.Then(inChild);
      if (child.query->Locate(QStringLiteral("jedin"), childKey))
        child.Edit();
      else
        ADD_FAILURE() << "no child row " << childKey;
    });
  }
  // Deletes the row `childKey` of `child` in `owner` (row `key`), Yes to the
  // question, after the other workstation committed `other`; then checks
  // the messages of `refusal` ("changed", "gone", "" for deleted).
  void DeleteChildAfterOther(TDialogForm& owner, int key, TChildGrid& child, int childKey, const char* other,
                             const char* refusal) {
    Answer({mrYes});
    bool found = false;
    EditOwner(owner, key, [&](TForm&) {
      found = child.query->Locate(QStringLiteral("jedin"), childKey);
      OtherCommits(QString::fromUtf8(other));
      if (found) child.Delete();
    });
    ASSERT_TRUE(found) << "no child row " << childKey;
    QStringList expected{QStringLiteral("Naozaj vymazať označený záznam?")};
    if (QLatin1String(refusal) == QLatin1String("changed")) expected.append(ChangedBeforeDeleteMessage);
    if (QLatin1String(refusal) == QLatin1String("gone")) expected.append(NumberedMessageText(1012));
    EXPECT_EQ(Messages(), expected);
  }

  QString name_, serverFile_, user_ = QStringLiteral("SYSDBA"), password_;
};

inline std::string TargetName(const ::testing::TestParamInfo<TTarget>& info) {
  return info.param == TTarget::Embedded ? "Embedded" : "Server";
}

#define VIMEK_ON_BOTH_TARGETS(suite)                                                                                   \
  INSTANTIATE_TEST_SUITE_P(Targets, suite, ::testing::Values(TTarget::Embedded, TTarget::Server), TargetName)
