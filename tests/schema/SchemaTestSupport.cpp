#include "tests/schema/SchemaTestSupport.h"
#include "core/CodePage1250.h"
#include "db/IBError.h"
#include "db/IBServices.h"
#include "schema/BaseScript.h"
#include "schema/UpgradePackage.h"
#include "tests/support/SqlTestRoutines.h"
#include <QtCore/QFile>
#include <zlib.h>

void MakeBaseDatabase(const QString& path) {
  CreateDatabaseFromBaseScript(path);
  // Test copies need no synchronous writes; the template's mode goes with every copy.
  TIBServices().SetWriteMode(path, false);
}

void MakeUpgradedDatabase(const QString& path) {
  MakeBaseDatabase(path);
  UpgradeToSupportedVersion(path);
}

QByteArray PackScripts(const QStringList& scripts, int firstVersion) {
  QByteArray xml = "<?xml version=\"1.0\" standalone=\"yes\"?><datapacket version=\"2.0\"><metadata fielddefs=\"yes\">"
                   "<fielddefs count=\"2\"><fielddef name=\"VERSION_NUMBER\" datatype=\"integer\"/>"
                   "<fielddef name=\"LONG_SCRIPT\" datatype=\"memo\"/></fielddefs></metadata><recorddata>";
  for (int i = 0; i < scripts.size(); ++i) {
    const QByteArray bytes = Cp1250::Encode(scripts[i]);
    xml += "<row><field name=\"VERSION_NUMBER\" value=\"" + QByteArray::number(firstVersion + i) +
           "\"/><field name=\"LONG_SCRIPT\" size=\"" + QByteArray::number(bytes.size()) + "\"><![CDATA[" +
           bytes.toBase64() + "]]></field></row>";
  }
  xml += "</recorddata></datapacket>";
  uLongf size = compressBound(uLong(xml.size()));
  QByteArray out(qsizetype(size), Qt::Uninitialized);
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(xml.constData()),
           uLong(xml.size()));
  out.resize(qsizetype(size));
  return out;
}

void SchemaTest::SetUp() {
  ASSERT_TRUE(config_.IsValid());
  fresh = std::make_unique<FreshDatabase>(maker_);
  db = fresh->Connect();
  dialogs = std::make_unique<TScriptedMessageDialogs>();
}

void SchemaTest::TearDown() {
  dialogs.reset();
  if (db) db->Close();
  db.reset();
  fresh.reset();
}

void SchemaTest::Exec(const QString& sql, const QVariantMap& params) { ExecCommitted(*db, sql, params); }

QList<QVariantList> SchemaTest::Rows(const QString& sql, const QVariantMap& params) {
  return SelectRows(*db, sql, params);
}

QVariant SchemaTest::Scalar(const QString& sql, const QVariantMap& params) {
  const QList<QVariantList> rows = Rows(sql, params);
  return rows.isEmpty() ? QVariant() : rows.first().value(0);
}

QString SchemaTest::ErrorOf(const QString& sql, const QVariantMap& params) {
  try {
    Exec(sql, params);
  } catch (const EIBInterBaseError& error) {
    return error.Message();
  }
  return {};
}
