#pragma once
#include "core/ui/Form.h"
#include "db/IBSQL.h"
#include "util/XMLDataset.h"
#include <QtCore/QByteArray>
#include <exception>

class QLabel;
class QListWidget;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxMemoryData;

// The upgrade form: brings the database from its version up to the version
// the program supports by applying the package's scripts in order, each in
// its own transaction together with the DATABASE_UPDATES row that records it,
// and only while this connection is the database's only attachment.
class TfrmUpdate : public TForm {
  Q_OBJECT
public:
  // On the main connection, with the package compiled into the program and
  // the program's version.
  explicit TfrmUpdate(QWidget* parent = nullptr);
  // On the given connection with the given zlib-packed package and supported
  // version (tests, tools).
  TfrmUpdate(TIBDatabase* database, const QByteArray& packageZlib, int supportedVersion, QWidget* parent = nullptr);
  ~TfrmUpdate() override;

  // The upgrade run of the "Aktualizuj" button.
  void btnGoClick();
  // Applies script `version` when the database is exactly one version below
  // it; true when it is applied now or was before, false when it is not.
  bool UpdateDatabase(int version);
  // max(VERSION) of DATABASE_UPDATES; 0 when the table is empty or unreadable.
  int ZistiVerziu();
  // Appends a progress line, selects it and lets the form repaint.
  void AddItem(const QString& text);

  int SupportedVersion() const { return supportedVersion_; }
  int PackageRowCount() const;

  QListWidget* lb;
  QLabel* Label1;
  TQPLBtn* btnGo;
  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TIBSQL ibs;
  TXMLDataset XML;
  TUxMemoryData* md;

protected:
  void FormShow() override;

private:
  void BuildForm();
  // Loads the package into md and checks its row count against the supported version.
  void FormCreate(const QByteArray& packageZlib);
  // True when this connection is the only attachment; otherwise the two
  // refusal lines are shown.
  bool OnlyAttachment();
  bool RunScript(int version);

  TIBDatabase* database_;
  int supportedVersion_;
  bool closeAtOnce_ = false;
  bool errorReported_ = false; // the failing script's error already went through the handler
};
