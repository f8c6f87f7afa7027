#include "db/IBServices.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBError.h"
#include "tests/db/DbTestSupport.h"
#include <QtCore/QFile>

namespace {

class IBServicesTest : public DbTest {
protected:
  QStringList lines;
  TIBServices Services() {
    TIBServices services;
    services.SetLineHandler([this](const QString& line) { lines.append(line); });
    return services;
  }
  QString Rows(TIBDatabase* database) {
    TIBTransaction transaction(database);
    transaction.StartTransaction();
    TIBQuery query;
    query.SetDatabase(database);
    query.SetTransaction(&transaction);
    query.SetSQL(QStringLiteral("SELECT ID, NAZOV, POZNAMKA FROM T_TEXT ORDER BY ID"));
    query.Open();
    QStringList rows;
    for (query.First(); !query.Eof(); query.Next())
      rows.append(query.FieldByNumber(0).AsString() + QLatin1Char('|') + query.FieldByNumber(1).AsString() +
                  QLatin1Char('|') + query.FieldByNumber(2).AsString());
    return rows.join(QLatin1Char('\n'));
  }
};

TEST_F(IBServicesTest, BackupRestoredIntoNewFileGivesSameRows) {
  for (int id = 1; id <= 50; ++id)
    Exec(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV, POZNAMKA) VALUES (:ID, :N, :P)"),
         {{QStringLiteral("ID"), id},
          {QStringLiteral("N"), QStringLiteral("Člen č. %1 – Ľubomír Šťastný").arg(id)},
          {QStringLiteral("P"), QStringLiteral("Poznámka ").repeated(id)}});
  const QString expected = Rows(db.get());
  const QString backup = fresh->Path() + QStringLiteral(".fbk");
  const QString restored = fresh->Path() + QStringLiteral(".restored.fdb");
  db->Close(); // the program closes its connection too: checksum-ignoring backups need the file alone
  TIBServices services = Services();
  services.Backup(fresh->Path(), backup);
  EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("T_TEXT")))
      << lines.join(QLatin1Char('\n')).toStdString();
  lines.clear();
  services.Restore(backup, restored);
  EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("T_TEXT")));
  TIBDatabase copy;
  copy.SetDatabaseName(restored);
  copy.Open();
  EXPECT_EQ(Rows(&copy), expected);
  EXPECT_EQ(copy.PageSize(), 8192);
  copy.Close();
  QFile::remove(backup);
  QFile::remove(restored);
}

TEST_F(IBServicesTest, RestoreOfMissingBackupFailsWithServerError) {
  TIBServices services = Services();
  EXPECT_THROW(services.Restore(fresh->Path() + QStringLiteral(".nie.fbk"), fresh->Path() + QStringLiteral(".x.fdb")),
               EIBInterBaseError);
  EXPECT_THROW(services.Backup(fresh->Path(), QString()), EIBError);
}

TEST_F(IBServicesTest, StatisticsValidationAndPropertiesRun) {
  TIBServices services = Services();
  services.Statistics(fresh->Path());
  EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Database header page information")))
      << lines.join(QLatin1Char('\n')).toStdString();
  lines.clear();
  db->Close(); // validation needs the database alone
  services.Validate(fresh->Path(), voValidateDB | voCheckDB | voValidateFull);
  services.SetSweepInterval(fresh->Path(), 12345);
  services.SetPageBuffers(fresh->Path(), 512);
  services.SetWriteMode(fresh->Path(), true);
  db->Open();
  const TIBDatabaseInfo info(*db);
  EXPECT_EQ(info.SweepInterval(), 12345);
  EXPECT_TRUE(info.ForcedWrites());
  services.SetWriteMode(fresh->Path(), false);
  EXPECT_FALSE(info.ForcedWrites());
  EXPECT_THROW(services.SetSweepInterval(fresh->Path(), -1), EIBError);
}

} // namespace
