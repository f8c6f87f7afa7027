// Two workstations on one database: a save never overwrites what the other
// committed after the dialog loaded the row, on the embedded file and on a
// server.
#include "app/QPLUnit.h"
#include "db/IBError.h"
#include "registers/common/DialogPattern.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/common/TestRegisters.h"
#include "tests/registers/common/TwoWorkstations.h"

namespace {

// A member's title and street: the columns the two users changed.
class TfrmTestAddress : public TDialogForm {
public:
  explicit TfrmTestAddress(QWidget* owner = nullptr) : TDialogForm(owner) {
    TRegisterLayout controls(*this);
    eDBTitul = controls.Add<TIBEdit>(QStringLiteral("eDBTitul"), 15);
    eDBUlica = controls.Add<TIBEdit>(QStringLiteral("eDBUlica"), 25);
    dlg.AddCaption = QStringLiteral("Pridanie adresy");
    dlg.EditCaption = QStringLiteral("Oprava adresy");
    dlg.Table = QStringLiteral("C_CLENOV");
    dlg.Field(QStringLiteral("TITUL"), eDBTitul);
    dlg.Field(QStringLiteral("ULICA"), eDBUlica);
    dlg.SaveFailed = [this](int handled) { failures.push_back(handled); };
    dlg.FormCreate(controls.Widget(), QSize(200, 60));
  }
  TIBEdit *eDBTitul, *eDBUlica;
  std::vector<int> failures;
};

class ConcurrentSaveTest : public TwoWorkstationsTest {};

TEST_P(ConcurrentSaveTest, ASaveNeverOverwritesWhatAnotherWorkstationCommitted) {
  struct Case {
    const char* what;
    const char* other; // what the other workstation commits after the load
    const char* titul; // what this one types
    const char* ulica;
    const char* refusal; // "changed", "gone", "" (saved)
    QVariantList stored; // TITUL, ULICA, MENO afterwards
  };
  const QVariant null;
  const Case cases[] = {
      {"the other changed the street, this one the title",
       "update c_clenov set ulica='Hlavná 1' where jedin=1",
       "Ing.",
       "",
       "changed",
       {null, QStringLiteral("Hlavná 1"), QStringLiteral("Ján")}},
      {"both changed the title",
       "update c_clenov set titul='Mgr.' where jedin=1",
       "Ing.",
       "",
       "changed",
       {QStringLiteral("Mgr."), null, QStringLiteral("Ján")}},
      {"the other changed a column this dialog does not write",
       "update c_clenov set meno='Jozef' where jedin=1",
       "Ing.",
       "Hlavná 2",
       "",
       {QStringLiteral("Ing."), QStringLiteral("Hlavná 2"), QStringLiteral("Jozef")}},
      {"the other wrote the same values back",
       "update c_clenov set titul=null, ulica=null where jedin=1",
       "Ing.",
       "Hlavná 3",
       "",
       {QStringLiteral("Ing."), QStringLiteral("Hlavná 3"), QStringLiteral("Ján")}},
      {"the other deleted the row", "delete from c_clenov where jedin=1", "Ing.", "", "gone", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    ExecCommitted(*db, QStringLiteral("delete from c_clenov"));
    ExecCommitted(*db, QStringLiteral("insert into c_clenov (jedin,meno,priezvisko) values (1,'Ján','Novák')"));
    TfrmTestAddress dialog;
    dialog.Jedin = 1;
    dialog.SetTag(2);
    bool open = false;
    QString keptTitul, keptUlica;
    script.Then([&](TForm& f) {
      OtherCommits(QString::fromUtf8(c.other));
      dialog.eDBTitul->setText(QString::fromUtf8(c.titul));
      dialog.eDBUlica->setText(QString::fromUtf8(c.ulica));
      Press(f, Qt::Key_F12);
      open = f.isVisible();
      keptTitul = dialog.eDBTitul->text();
      keptUlica = dialog.eDBUlica->text();
      if (open) Press(f, Qt::Key_Escape);
    });
    const int result = dialog.ShowModal();
    const QString refusal = QString::fromLatin1(c.refusal);
    EXPECT_EQ(result, refusal.isEmpty() ? mrOk : mrCancel);
    EXPECT_EQ(open, !refusal.isEmpty());
    if (refusal == QLatin1String("changed")) {
      EXPECT_EQ(Messages(), QStringList{TDialogPattern::ChangedByOtherMessage});
    } else if (refusal == QLatin1String("gone")) {
      EXPECT_EQ(Messages(), QStringList{NumberedMessageText(1012)});
    } else {
      EXPECT_EQ(Messages(), QStringList());
    }
    if (open) { // the user's entries are still there to redo
      EXPECT_EQ(keptTitul, QString::fromUtf8(c.titul));
      EXPECT_EQ(keptUlica, QString::fromUtf8(c.ulica));
    }
    EXPECT_EQ(Row(QStringLiteral("select titul, ulica, meno from c_clenov where jedin=1")), c.stored);
  }
}

// While the other workstation holds an uncommitted change of the row, the
// save meets a lock conflict: the lock message, the dialog open with its
// entries, and nothing written; once the other is done, the save goes through.
TEST_P(ConcurrentSaveTest, ALockConflictKeepsTheDialogOpenWithItsEntries) {
  ExecCommitted(*db, QStringLiteral("insert into c_clenov (jedin,meno,priezvisko) values (1,'Ján','Novák')"));
  const std::unique_ptr<TIBDatabase> other = Other();
  TIBTransaction holding(other.get());
  TfrmTestAddress dialog;
  dialog.Jedin = 1;
  dialog.SetTag(2);
  bool openAfterConflict = false;
  QString kept;
  script.Then([&](TForm& f) {
    holding.StartTransaction();
    TIBQuery query;
    query.SetDatabase(other.get());
    query.SetTransaction(&holding);
    query.SetSQL(QStringLiteral("update c_clenov set meno='Jozef' where jedin=1"));
    query.ExecSQL();
    dialog.eDBUlica->setText(QStringLiteral("Hlavná 1"));
    Press(f, Qt::Key_F12);
    openAfterConflict = f.isVisible();
    kept = dialog.eDBUlica->text();
    holding.Rollback();
    Press(f, Qt::Key_F12);
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_TRUE(openAfterConflict);
  EXPECT_EQ(kept, QStringLiteral("Hlavná 1"));
  EXPECT_EQ(dialog.failures, std::vector<int>{IBErrorCodes::LockConflict});
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Row(QStringLiteral("select ulica, meno from c_clenov where jedin=1")),
            (QVariantList{QStringLiteral("Hlavná 1"), QStringLiteral("Ján")}));
}

VIMEK_ON_BOTH_TARGETS(ConcurrentSaveTest);

} // namespace
