#include "reports/objects/dialog/rpFBDatabase.h"
#include "core/ui/Form.h"
#include "db/IBDatabase.h"
#include "db/IBTransaction.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpDialogEditors.h"
#include <QtCore/QDir>

TrpFBDatabase::TrpFBDatabase() {
  SetKind(10, QStringLiteral("Database"), QStringLiteral("TrpFBDatabase"));
  Flags |= 0x4000;
  IconBitmap = rpDialogIcon("RP_FBDB");
  connection_ = new TIBDatabase(rpDialogForm());
  connection_->SetLoginPrompt(true);
  transaction_ = new TIBTransaction(connection_, TIBTransactionKind::ReadCommitted, rpDialogForm());
  connection_->SetDefaultTransaction(transaction_);
}

TrpFBDatabase::~TrpFBDatabase() {
  delete transaction_.data();
  delete connection_.data();
}

void TrpFBDatabase::ComponentRenamed() {
  if (connection_) connection_->setObjectName(Name);
}

void TrpFBDatabase::SetConnected(bool connected) {
  if (connected == connection_->Connected()) return;
  if (connected) {
    connection_->Open();
    transaction_->StartTransaction();
  } else {
    if (transaction_->InTransaction()) transaction_->Commit();
    connection_->Close();
  }
}

void TrpFBDatabase::WriteProperty(const QString& name, const QVariant& value) {
  TrpNonVisualControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("DATABASENAME"))
    connection_->SetDatabaseName(rpValueToText(value));
  else if (n == QLatin1String("LOGINPROMPT"))
    connection_->SetLoginPrompt(rpValueToInteger(value) != 0);
  else if (n == QLatin1String("CONNECTED"))
    SetConnected(rpValueToInteger(value) != 0);
  else if (n == QLatin1String("PARAMS"))
    connection_->SetParams(rpSplitLines(rpValueToText(value)));
  else if (n == QLatin1String("SQLDIALECT"))
    SQLDialect = int(rpValueToInteger(value));
}

QVariant TrpFBDatabase::ReadProperty(const QString& name) {
  const QVariant inherited = TrpNonVisualControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (n == QLatin1String("DATABASENAME")) return connection_->DatabaseName();
  if (n == QLatin1String("LOGINPROMPT")) return connection_->LoginPrompt();
  if (n == QLatin1String("CONNECTED")) return connection_->Connected();
  if (n == QLatin1String("PARAMS")) return connection_->Params().join(QStringLiteral("\r\n"));
  if (n == QLatin1String("PARAMS.COUNT")) return rpIntegerValue(connection_->Params().size());
  if (n == QLatin1String("SQLDIALECT")) return rpIntegerValue(SQLDialect);
  return inherited;
}

QVariant TrpFBDatabase::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                   const QVariant& a3) {
  QVariant result = TrpNonVisualControl::CallMethod(run, name, a1, a2, a3);
  if (!rpIsNull(result)) return result;
  QStringList lines = connection_->Params();
  if (StringsMethod(run, lines, name.toUpper(), result, a1, a2, a3, QStringLiteral("PARAMS")))
    connection_->SetParams(lines);
  return result;
}

void TrpFBDatabase::ListProperties() {
  TrpNonVisualControl::ListProperties();
  AddPropertyRec(QStringLiteral("Connected"), ptBoolean);
  AddPropertyRec(QStringLiteral("DatabaseName"), ptText, [this] { BrowseDatabaseName(); });
  AddPropertyRec(QStringLiteral("LoginPrompt"), ptBoolean);
  AddPropertyRec(QStringLiteral("Params"), ptEditor | ptSingleOnly, [this] { EditParams(); });
  AddPropertyRec(QStringLiteral("Params.Count"), 0);
  AddPropertyRec(QStringLiteral("SQLDialect"), ptInteger);
}

void TrpFBDatabase::LoadFromStream(TBinaryReader& stream) {
  TrpNonVisualControl::LoadFromStream(stream);
  connection_->SetDatabaseName(rpReadReportString(stream));
  connection_->SetLoginPrompt(rpReadBoolean(stream));
  if (RecordVersionPair() > 20) SQLDialect = rpReadInteger(stream);
  QStringList params;
  rpReadReportMemo(stream, params);
  connection_->SetParams(params);
  if (!rpReadBoolean(stream)) return;
  // The record is whole by now: a connection that fails keeps the component
  // and its settings, so the template loses nothing; the user learns why.
  try {
    SetConnected(true);
  } catch (const Exception& e) {
    rpGlobals().ErrorBox(
        QStringLiteral("Databázu %1 nie je možné pripojiť: %2").arg(connection_->DatabaseName(), e.Message()),
        rpLoadStr(55206));
  }
}

void TrpFBDatabase::SaveToStream(TBinaryWriter& stream) {
  RecordSubVersion = 1;
  TrpNonVisualControl::SaveToStream(stream);
  rpWriteString(stream, connection_->DatabaseName());
  rpWriteBoolean(stream, connection_->LoginPrompt());
  rpWriteInteger(stream, SQLDialect);
  rpWriteMemo(stream, connection_->Params());
  rpWriteBoolean(stream, connection_->Connected());
}

void TrpFBDatabase::WriteXmlElement(QString& element) {
  TrpNonVisualControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("DatabaseName"), connection_->DatabaseName());
  if (connection_->LoginPrompt()) element += QStringLiteral(" LoginPrompt=\"True\"");
  rpXmlAttribute(element, QStringLiteral("Params.text"), connection_->Params().join(QStringLiteral("\r\n")));
  if (connection_->Connected()) element += QStringLiteral(" Connected=\"True\"");
  rpXmlAttribute(element, QStringLiteral("SQLDialect"), SQLDialect);
}

void TrpFBDatabase::WithConnectionClosed(const std::function<void()>& change) {
  const bool wasConnected = connection_->Connected();
  SetConnected(false);
  change();
  if (wasConnected) SetConnected(true);
}

void TrpFBDatabase::BrowseDatabaseName() {
  WithConnectionClosed([this] {
    const QString chosen = rpChooseDatabaseFile();
    if (!chosen.isEmpty()) connection_->SetDatabaseName(QDir(chosen).absolutePath());
  });
}

void TrpFBDatabase::EditParams() {
  const QString before = connection_->Params().join(QLatin1Char('\n'));
  QString text = before;
  if (!rpEditLines(text) || (Restrictions & rrModify) || text == before) return;
  WithConnectionClosed([this, &text] { connection_->SetParams(rpSplitLines(text)); });
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->SetModified(true);
}
