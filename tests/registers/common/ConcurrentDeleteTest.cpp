// Two workstations on one database: a delete never takes a row that the other
// changed after this list loaded it, from a register's list and from a
// dialog's child grid, on the embedded file and on a server.
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "registers/common/ChildGrid.h"
#include "tests/registers/common/TestRegisters.h"
#include "tests/registers/common/TwoWorkstations.h"

namespace {

// The child rows of a test owner: the groups after the owner's key.
class TTestChildOwner : public TChildGridOwner {
public:
  TIBTransaction& ChildTransaction() const override { return transaction_; }
  int ChildOwnerKey() const override { return 1; }
  quint16 ChildYear() const override { return 2026; }

private:
  mutable TIBTransaction transaction_{MainDatabase(), TIBTransactionKind::ReadCommitted};
};

// Where the rows to delete are listed: a register's list or a child grid.
enum class TLister { List, ChildGrid };

struct TDeleteCase {
  const char* what;
  const char* other;     // what the other workstation commits after the load
  QList<int> marked;     // the marked rows (none: the current row, 2)
  const char* refusal;   // "changed", "gone", "" (deleted)
  const char* remaining; // the groups afterwards
};

class ConcurrentDeleteTest : public TwoWorkstationsTest {
protected:
  void SetUp() override {
    TwoWorkstationsTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    for (const char* values : {"(1,'Owner')", "(2,'A')", "(3,'B')", "(4,'C')"})
      Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values ") + QLatin1String(values));
  }
  QString Remaining() const {
    QStringList names;
    for (const QVariant& name : Column(QStringLiteral("select nazov from c_clenenie_clenov where jedin>1 order by "
                                                      "jedin")))
      names.append(name.toString());
    return names.join(QLatin1Char(','));
  }
  // Loads the rows in `grid` (after `load`), lets the other workstation
  // commit, marks the rows and deletes with Yes to the question.
  void LoadChangeDelete(TDbGridQPL& grid, TIBQuery& rows, const std::function<void()>& load, const QString& other,
                        const QList<int>& marked, const std::function<void()>& remove) {
    load();
    for (const int key : marked) {
      ASSERT_TRUE(rows.Locate(QStringLiteral("jedin"), key));
      grid.CheckRow();
    }
    ASSERT_TRUE(rows.Locate(QStringLiteral("jedin"), 2));
    if (!other.isEmpty()) OtherCommits(other);
    Answer({mrYes});
    remove();
  }
};

const TDeleteCase kCases[] = {
    {"the other changed the row", "update c_clenenie_clenov set nazov='A2' where jedin=2", {}, "changed", "A2,B,C"},
    {"the other deleted the row", "delete from c_clenenie_clenov where jedin=2", {}, "gone", "B,C"},
    {"the other changed another row", "update c_clenenie_clenov set nazov='C2' where jedin=4", {}, "", "B,C2"},
    {"the other changed one of the marked rows",
     "update c_clenenie_clenov set nazov='B2' where jedin=3",
     {2, 3},
     "changed",
     "A,B2,C"},
    {"the other changed no marked row", "update c_clenenie_clenov set nazov='C2' where jedin=4", {2, 3}, "", "C2"},
    {"nothing changed", "", {}, "", "B,C"},
};

TEST_P(ConcurrentDeleteTest, ADeleteNeverTakesARowAnotherWorkstationChangedSinceTheListLoadedIt) {
  for (const TLister lister : {TLister::List, TLister::ChildGrid})
    for (const TDeleteCase& c : kCases) {
      SCOPED_TRACE(std::string(lister == TLister::List ? "list: " : "child grid: ") + c.what);
      Exec(QStringLiteral("delete from c_clenenie_clenov where jedin>1"));
      for (const char* values : {"(2,'A')", "(3,'B')", "(4,'C')"})
        Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values ") + QLatin1String(values));
      const QString other = QString::fromUtf8(c.other);
      bool deleted = false;
      if (lister == TLister::List) {
        TfrmTestGroups form(nullptr, 2026);
        LoadChangeDelete(
            *form.list.gr1, *form.list.ib1, [&] { ShowActive(form); }, other, c.marked,
            [&] { deleted = DeleteMarkedRecords(*form.list.gr1, form.list.Table); });
      } else {
        TTestChildOwner owner;
        QWidget parent;
        TChildGrid children(
            owner, QStringLiteral("c_clenenie_clenov"),
            {QStringLiteral("select a.jedin,a.nazov from c_clenenie_clenov a"), QStringLiteral("where a.jedin>:JEDIN")},
            [] { return std::unique_ptr<TForm>(); }, [](TForm&, int) {});
        children.Build(parent, QStringLiteral("Skupiny"), QStringLiteral("gbSkupiny"), QStringLiteral("tbSkupiny"),
                       QStringLiteral("Skupiny"));
        bool afterDelete = false;
        children.AfterDelete = [&] { afterDelete = true; };
        LoadChangeDelete(
            *children.grid, *children.query, [&] { children.Refresh(); }, other, c.marked,
            [&] {
              children.Delete();
              deleted = afterDelete;
            });
      }
      const QString refusal = QString::fromLatin1(c.refusal);
      const QString question = c.marked.isEmpty() ? QStringLiteral("Naozaj vymazať označený záznam?")
                                                  : QStringLiteral("Naozaj vymazať všetky označené záznamy?");
      QStringList expected{question};
      if (refusal == QLatin1String("changed")) expected.append(ChangedBeforeDeleteMessage);
      if (refusal == QLatin1String("gone")) expected.append(NumberedMessageText(1012));
      EXPECT_EQ(Messages(), expected);
      EXPECT_EQ(deleted, refusal.isEmpty());
      EXPECT_EQ(Remaining(), QString::fromLatin1(c.remaining));
    }
}

// While the other workstation holds an uncommitted change of the row, the
// delete meets a lock conflict at once: a message, nothing deleted; once the
// other is done, the delete goes through.
TEST_P(ConcurrentDeleteTest, ARowAnotherWorkstationIsSavingIsALockConflictNotAWait) {
  TfrmTestGroups form(nullptr, 2026);
  ShowActive(form);
  const std::unique_ptr<TIBDatabase> other = Other();
  TTestStatement holding(other.get(), QStringLiteral("update c_clenenie_clenov set nazov='A' where jedin=3"));
  holding.Query().ExecSQL();
  for (const int key : {2, 3}) {
    ASSERT_TRUE(form.list.ib1->Locate(QStringLiteral("jedin"), key));
    form.list.gr1->CheckRow();
  }
  Answer({mrYes});
  EXPECT_FALSE(DeleteMarkedRecords(*form.list.gr1, form.list.Table));
  ASSERT_EQ(Messages().size(), 2);
  EXPECT_EQ(Remaining(), QStringLiteral("A,B,C"));
}

VIMEK_ON_BOTH_TARGETS(ConcurrentDeleteTest);

// Only a select of the table's own rows, one row per row, gets their versions.
TEST(RowVersionTest, OnlyAListOfTheTablesOwnRowsGetsTheirVersions) {
  const struct {
    QStringList select;
    const char* table;
    const char* versioned; // the select afterwards, its lines joined; "" when left as it is
  } cases[] = {
      {{QStringLiteral("select a.jedin,a.nazov from c_krmiv a")},
       "c_krmiv",
       "select a.jedin,a.nazov ,a.rdb$record_version as ROW_VERSION from c_krmiv a"},
      {{QStringLiteral("SELECT A.ZAKLAD,A.JEDIN"), QStringLiteral("FROM FA_POLOZKY A where a.fakt=:JEDIN")},
       "fa_polozky",
       "SELECT A.ZAKLAD,A.JEDIN|,a.rdb$record_version as ROW_VERSION FROM FA_POLOZKY A where a.fakt=:JEDIN"},
      {{QStringLiteral("select a.jedin,(select max(x) from c_krmiv a) as m"), QStringLiteral("from c_krmiv a")},
       "c_krmiv",
       ""},
      {{QStringLiteral("select a.jedin,b.nazov from c_ceniny a join c_krmiv b on b.jedin=a.x")}, "c_krmiv", ""},
      {{QStringLiteral("select sum(a.mnozstvo),a.jedin from e_krmenia a"), QStringLiteral("group by a.jedin")},
       "e_krmenia",
       ""},
      {{QStringLiteral("select distinct a.jedin from c_krmiv a")}, "c_krmiv", ""},
      {{QStringLiteral("select first 10 a.jedin from c_krmiv a")}, "c_krmiv", ""},
      {{QStringLiteral("select b.jedin from c_krmiv b")}, "c_krmiv", ""},
      {{QStringLiteral("select a.jedin from c_krmiv a")}, "", ""},
  };
  for (const auto& c : cases) {
    QStringList select = c.select;
    const bool added = AddRowVersion(select, QLatin1String(c.table));
    const QString versioned = QString::fromLatin1(c.versioned);
    EXPECT_EQ(added, !versioned.isEmpty()) << c.select.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(select.join(QLatin1Char('|')), versioned.isEmpty() ? c.select.join(QLatin1Char('|')) : versioned);
    EXPECT_EQ(select.size(), c.select.size());
  }
}

} // namespace
