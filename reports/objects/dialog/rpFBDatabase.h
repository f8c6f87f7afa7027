#pragma once
#include "reports/engine/rpControl.h"
#include <QtCore/QPointer>

class TIBDatabase;
class TIBTransaction;

// The report's own connection to a Firebird database, with the connection's
// default transaction in which the report's tables and queries work. Both
// live on the engine's host form and bear the object's name. The dialect is
// stored and shown only: every connection of the program speaks dialect 3.
class TrpFBDatabase : public TrpNonVisualControl {
public:
  TrpFBDatabase();
  ~TrpFBDatabase() override;

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  void OpenEditor() override { BrowseDatabaseName(); }

  TIBDatabase* Connection() const { return connection_; }
  TIBTransaction* Transaction() const { return transaction_; }
  // Connects or disconnects; the default transaction starts and ends with the connection.
  void SetConnected(bool connected);
  int SQLDialect = 3;

  // The designer's editors: the database file chooser and the parameter lines.
  void BrowseDatabaseName();
  void EditParams();

protected:
  void ComponentRenamed() override;

private:
  // Runs `change` with the connection closed, reopening it when it was open.
  void WithConnectionClosed(const std::function<void()>& change);

  QPointer<TIBDatabase> connection_;
  QPointer<TIBTransaction> transaction_;
};
