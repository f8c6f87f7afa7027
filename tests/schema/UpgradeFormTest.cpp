// The upgrade form's run on a base database with small packages of its own.
#include "app/AppContext.h"
#include "app/fUpdate.h"
#include "controls/QPLBtn.h"
#include "tests/schema/SchemaTestSupport.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtWidgets/QListWidget>

namespace {

const QString kCreateTable = QStringLiteral("CREATE TABLE T_UPG (A INTEGER NOT NULL, B VARCHAR(20))");
// A body with semicolons and a colon that is no parameter: it must reach the server as one statement.
const QString kProcedure =
    QStringLiteral("CREATE PROCEDURE P_UPG (X INTEGER) RETURNS (Y INTEGER) AS\r\nDECLARE Z INTEGER;\r\nBEGIN\r\n"
                   "  Z = :X + 1;\r\n  Y = Z * 2;\r\n  SUSPEND;\r\nEND");
const QString kInsert = QStringLiteral("INSERT INTO T_UPG (A, B) VALUES (3, 'tri')");
const QString kStart = QStringLiteral("Kontrola počtu pripojených užívateľov");
const QString kOk = QStringLiteral("--- OK");
const QString kEnd = QStringLiteral("Aktualizácia databázy bola ukončená.");
const QString kRefused1 = QStringLiteral("CHYBA - Všetci musia ukončiť sprácu s programom.");
const QString kRefused2 = QStringLiteral("Po ukončení práce, znova zatlačte tlačidlo aktualizácie");

QString Applied(int version) { return QStringLiteral("  --- aktualizácia na verziu %1").arg(version); }

QStringList Lines(const TfrmUpdate& form) {
  QStringList lines;
  for (int i = 0; i < form.lb->count(); ++i)
    lines << form.lb->item(i)->text();
  return lines;
}

} // namespace

class UpgradeFormTest : public BaseDatabaseTest {
protected:
  std::unique_ptr<TfrmUpdate> Form(const QStringList& scripts, int supported, int firstVersion = 1) {
    return std::make_unique<TfrmUpdate>(db.get(), PackScripts(scripts, firstVersion), supported);
  }
  QList<int> Versions() {
    QList<int> versions;
    for (const QVariantList& row :
         Rows(QStringLiteral("select version from database_updates where updated is not null order by version")))
      versions << row.value(0).toInt();
    return versions;
  }
  QStringList Messages() const {
    QStringList texts;
    for (const TMessageRequest& request : dialogs->Requests())
      texts << request.Text;
    return texts;
  }
};

TEST_F(UpgradeFormTest, FromVersionZeroAppliesEveryScriptInOrderAndCloses) {
  auto form = Form({kCreateTable, kProcedure, kInsert}, 3);
  EXPECT_TRUE(Messages().isEmpty());
  form->btnGoClick();
  EXPECT_EQ(Versions(), (QList<int>{1, 2, 3}));
  EXPECT_EQ(Lines(*form), (QStringList{kStart, kOk, Applied(1), Applied(2), Applied(3), kEnd}));
  EXPECT_EQ(Scalar(QStringLiteral("select y from p_upg(4)")).toInt(), 10);
  EXPECT_EQ(Scalar(QStringLiteral("select b from t_upg where a=3")).toString(), QStringLiteral("tri"));
  QCoreApplication::processEvents();
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_TRUE(form->btnGo->isEnabled());
}

TEST_F(UpgradeFormTest, OneVersionBelowRunsOnlyTheLastScript) {
  auto form = Form({kCreateTable, kProcedure, kInsert}, 3);
  // UpdateDatabase applies only the next version: earlier ones are done, later ones wait.
  EXPECT_FALSE(form->UpdateDatabase(2));
  EXPECT_TRUE(form->UpdateDatabase(1));
  EXPECT_TRUE(form->UpdateDatabase(1));
  EXPECT_TRUE(form->UpdateDatabase(2));
  ASSERT_EQ(Versions(), (QList<int>{1, 2}));
  form->btnGoClick();
  EXPECT_EQ(Lines(*form), (QStringList{kStart, kOk, Applied(3), kEnd}));
  EXPECT_EQ(Versions(), (QList<int>{1, 2, 3}));
  QCoreApplication::processEvents();
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(UpgradeFormTest, FailingScriptStopsAtItsVersionAndTheNextPressResumesThere) {
  Exec(QStringLiteral("CREATE GENERATOR G_UPG"));
  const QString failing = QStringLiteral("CREATE GENERATOR G_UPG");
  auto form = Form({kCreateTable, failing, kInsert}, 3);
  form->btnGoClick();
  EXPECT_EQ(Versions(), (QList<int>{1}));
  EXPECT_EQ(Lines(*form), (QStringList{kStart, kOk, Applied(1), Applied(2), kEnd}));
  EXPECT_TRUE(Messages().contains(QStringLiteral("Chyba v príkaze:\r\n\r\n") + failing));
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from t_upg")).toInt(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->ModalResult(), mrNone); // the form stays open

  Exec(QStringLiteral("DROP GENERATOR G_UPG"));
  form->btnGoClick();
  EXPECT_EQ(Lines(*form), (QStringList{kStart, kOk, Applied(2), Applied(3), kEnd}));
  EXPECT_EQ(Versions(), (QList<int>{1, 2, 3}));
}

TEST_F(UpgradeFormTest, PackageSizeAgainstTheSupportedVersion) {
  const QString extra = QStringLiteral("INSERT INTO T_UPG (A) VALUES (4)");
  const struct {
    const char* Case;
    QByteArray Package;
    int Supported;
    const char* Message; // empty: no message
    bool Terminates;
  } cases[] = {
      {"exact", PackScripts({kCreateTable, kInsert}), 2, "", false},
      {"more rows", PackScripts({kCreateTable, kInsert, extra}), 2, "(ResCount=3 ; V3=2)", false},
      {"fewer rows", PackScripts({kCreateTable, kInsert}), 4, "(ResCount=2 ; V3=4)", true},
      {"damaged package", QByteArray("not a zlib stream"), 2, "(ResCount=0 ; V3=2)", true},
  };
  for (const auto& c : cases) {
    dialogs.reset(); // the previous recorder hands the service back first
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    ResetTerminationRequest();
    TfrmUpdate form(db.get(), c.Package, c.Supported);
    const QStringList messages = Messages();
    if (*c.Message) {
      EXPECT_EQ(messages.size(), 1) << c.Case;
      EXPECT_EQ(messages.value(0), QStringLiteral("Chyba v \"update resource\"! %1.\r\n\r\nProgram bude ukončený.")
                                       .arg(QLatin1String(c.Message)))
          << c.Case;
    } else {
      EXPECT_TRUE(messages.isEmpty()) << c.Case;
    }
    EXPECT_EQ(TerminationRequested(), c.Terminates) << c.Case;
  }
  ResetTerminationRequest();
  // With more rows than the supported version only the supported ones are applied.
  TfrmUpdate form(db.get(), PackScripts({kCreateTable, kInsert, extra}), 2);
  form.btnGoClick();
  EXPECT_EQ(Versions(), (QList<int>{1, 2}));
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from t_upg")).toInt(), 1);
}

TEST_F(UpgradeFormTest, MissingScriptNumberStopsTheRun) {
  auto form = Form({kCreateTable, kProcedure, kInsert}, 3, 2); // versions 2, 3, 4
  form->btnGoClick();
  EXPECT_TRUE(Versions().isEmpty());
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("update script not found")});
}

TEST_F(UpgradeFormTest, AnotherAttachmentRefusesTheRun) {
  auto form = Form({kCreateTable, kProcedure, kInsert}, 3);
  auto other = fresh->Connect();
  form->btnGoClick();
  EXPECT_EQ(Lines(*form), (QStringList{kStart, kRefused1, kRefused2, kEnd}));
  EXPECT_TRUE(Versions().isEmpty());
  other->Close();
  form->btnGoClick();
  EXPECT_EQ(Versions(), (QList<int>{1, 2, 3}));
}

TEST_F(UpgradeFormTest, AnAttachmentArrivingDuringTheRunStopsItBeforeTheNextScript) {
  auto form = Form({kCreateTable, kProcedure, kInsert}, 3);
  std::unique_ptr<TIBDatabase> other;
  QObject::connect(form->lb->model(), &QAbstractItemModel::rowsInserted, form.get(), [&] {
    if (!other && form->lb->item(form->lb->count() - 1)->text() == Applied(1)) other = fresh->Connect();
  });
  form->btnGoClick();
  EXPECT_EQ(Versions(), (QList<int>{1}));
  EXPECT_EQ(Lines(*form), (QStringList{kStart, kOk, Applied(1), kRefused1, kRefused2, kEnd}));
  if (other) other->Close();
}

TEST_F(UpgradeFormTest, TooManyRecordFormatsRefuseTheScript) {
  Exec(QStringLiteral("CREATE TABLE T_FMT (A INTEGER)"));
  // Every column change gives the table a new record format.
  for (int i = 0; i < 100; ++i) {
    Exec(QStringLiteral("ALTER TABLE T_FMT ADD B INTEGER"));
    Exec(QStringLiteral("ALTER TABLE T_FMT DROP B"));
  }
  ASSERT_GE(Scalar(QStringLiteral("select max(rdb$format) from rdb$relations")).toInt(), 200);
  auto form = Form({kCreateTable}, 1);
  form->btnGoClick();
  EXPECT_TRUE(Versions().isEmpty());
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("Nie je možné aktualizovať databázu. Musíte vykonať:\r\n\r\n1. "
                                                   "Zálohovanie databázy\r\n2. Obnovu databázy zo zálohy\r\n3. "
                                                   "Aktualizáciu databázy")});
}

TEST_F(UpgradeFormTest, ShortPackageClosesTheModalFormAtOnce) {
  auto form = Form({kCreateTable}, 2);
  ASSERT_TRUE(TerminationRequested());
  bool forced = false;
  // A safety net only: the form must not wait for it.
  QTimer::singleShot(5000, form.get(), [&] {
    forced = true;
    form->SetModalResult(mrAbort);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_FALSE(forced);
  ResetTerminationRequest();
}
