#include "schema/UpgradePackage.h"
#include "core/Exception.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "schema/BaseScript.h"
#include "util/UxMemDS.h"
#include "util/XMLDataset.h"
#include <QtCore/QBuffer>
#include <zlib.h>

QByteArray InflateZlib(const QByteArray& compressed) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) throw EStreamError(QStringLiteral("Nie je možné rozbaliť dáta (zlib)."));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
  stream.avail_in = uInt(compressed.size());
  QByteArray out;
  char buffer[16384];
  int result = Z_OK;
  do {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    result = inflate(&stream, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) break;
    out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
  } while (result != Z_STREAM_END && (stream.avail_in > 0 || stream.avail_out == 0));
  inflateEnd(&stream);
  if (result != Z_STREAM_END) throw EStreamError(QStringLiteral("Poškodené alebo neúplné komprimované dáta."));
  return out;
}

QString LoadUpdatePackage(const QByteArray& packageZlib, TXMLDataset& reader, TUxMemoryData& md) {
  QByteArray packet;
  try {
    packet = InflateZlib(packageZlib);
  } catch (const EStreamError& error) {
    return error.Message();
  }
  QBuffer stream(&packet);
  stream.open(QIODevice::ReadOnly);
  reader.SetDataSet(&md);
  reader.SetFileVersion(2);
  reader.LoadFromStream(&stream);
  reader.SetDataSet(nullptr);
  return reader.LastError();
}

void ApplyUpgradeScript(TIBSQL& ibs, TIBQuery& ib1, int version, const QString& script) {
  ibs.ExecImmediate(script);
  ib1.SetSQL(QStringLiteral("insert into database_updates\n(version,updated) values(:VER,current_timestamp)"));
  ib1.ParamByName(QStringLiteral("VER")).SetValue(version);
  ib1.ExecSQL();
}

void UpgradeToSupportedVersion(const QString& path) {
  TUxMemoryData md;
  TXMLDataset reader;
  const QString problem = LoadUpdatePackage(UpdatePackageZlib(), reader, md);
  if (!problem.isEmpty()) throw EStreamError(problem);
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.Open();
  TIBTransaction transaction(&database);
  TIBSQL ibs(&database, &transaction);
  TIBQuery ib1;
  ib1.SetDatabase(&database);
  ib1.SetTransaction(&transaction);
  transaction.StartTransaction();
  ib1.SetSQL(QStringLiteral("select coalesce(max(version), 0) from database_updates"));
  ib1.Open();
  const int current = ib1.FieldByNumber(0).AsInteger();
  ib1.Close();
  transaction.Commit();
  for (int version = current + 1; version <= md.RecordCount(); ++version) {
    if (!md.Locate(QStringLiteral("VERSION_NUMBER"), version))
      throw EStreamError(QStringLiteral("update script not found: %1").arg(version));
    transaction.StartTransaction();
    ApplyUpgradeScript(ibs, ib1, version, md.FieldByName(QStringLiteral("LONG_SCRIPT")).AsString());
    transaction.Commit();
  }
  database.Close();
}

void CreateUpgradedDatabase(const QString& path) {
  CreateDatabaseFromBaseScript(path);
  UpgradeToSupportedVersion(path);
}
