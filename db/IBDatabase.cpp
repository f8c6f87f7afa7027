#include "db/IBDatabase.h"
#include "core/CodePage1250.h"
#include "db/ConnectionString.h"
#include "db/FbClient.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "db/ServerSql.h"
#include <ibase.h>

using namespace FbClient;

TIBDatabase::TIBDatabase(QObject* parent) : QObject(parent) {}

TIBDatabase::~TIBDatabase() {
  try {
    Close();
  } catch (const Exception&) {
    // A destructor cannot report; the attachment is gone either way.
  }
}

void TIBDatabase::SetDatabaseName(const QString& name) {
  if (Connected()) throw EIBError(QStringLiteral("Názov databázy nie je možné zmeniť počas pripojenia."));
  databaseName_ = name;
}

namespace {

TIBLoginHandler& LoginHandler() {
  static TIBLoginHandler handler;
  return handler;
}

// The parameter lines' names without the prefix "isc_dpb_", in lower case.
QString ParamName(const QString& line) {
  QString name = line.section(QLatin1Char('='), 0, 0).trimmed().toLower();
  if (name.startsWith(QLatin1String("isc_dpb_"))) name.remove(0, 8);
  return name;
}

} // namespace

TIBTransaction* TIBDatabase::DefaultTransaction() const { return defaultTransaction_; }
void TIBDatabase::SetDefaultTransaction(TIBTransaction* transaction) { defaultTransaction_ = transaction; }

void TIBDatabase::SetLoginHandler(TIBLoginHandler handler) { LoginHandler() = std::move(handler); }

TIBDatabase::TLogin TIBDatabase::LoginValues() const {
  TLogin login{userName_, password_, QString()};
  for (const QString& line : params_) {
    if (line.trimmed().isEmpty()) continue;
    const QString name = ParamName(line);
    const QString value = line.section(QLatin1Char('='), 1);
    if (name == QLatin1String("user_name"))
      login.UserName = value;
    else if (name == QLatin1String("password"))
      login.Password = value;
    else if (name == QLatin1String("sql_role_name"))
      login.Role = value;
    else if (name != QLatin1String("lc_ctype"))
      throw EIBError(QStringLiteral("Neznámy parameter pripojenia „%1“.").arg(line.trimmed()));
  }
  if (loginPrompt_ && LoginHandler() && !LoginHandler()(databaseName_, login.UserName, login.Password))
    throw EIBError(QStringLiteral("Prihlásenie do databázy %1 bolo zrušené.").arg(databaseName_));
  return login;
}

bool TIBDatabase::IsRemoteName(const QString& name) { return TConnectionString::Parse(name).Remote(); }

QString TIBDatabase::SiteName() const { return TConnectionString::Parse(databaseName_).Server(); }

QString TIBDatabase::FileName() const { return TConnectionString::Parse(databaseName_).Path(); }

void TIBDatabase::Open() {
  if (Connected()) return;
  attachment_ = Connect(false, 0);
}

void TIBDatabase::CreateDatabase(int pageSize) {
  if (Connected()) throw EIBError(QStringLiteral("Databáza je už pripojená."));
  attachment_ = Connect(true, pageSize);
}

Firebird::IAttachment* TIBDatabase::Connect(bool create, int pageSize) {
  if (databaseName_.trimmed().isEmpty()) throw EIBError(QStringLiteral("Nie je zadaný názov databázy."));
  const TLogin login = LoginValues();
  QByteArray user, password, role;
  try {
    user = Cp1250::Encode(login.UserName);
    password = Cp1250::Encode(login.Password);
    role = Cp1250::Encode(login.Role);
  } catch (const ECodePageError& e) {
    throw EIBError(QStringLiteral("Meno alebo heslo nie je možné poslať serveru: %1").arg(e.Message()));
  }
  TBlock dpb(Firebird::IXpbBuilder::DPB);
  dpb.Tag(isc_dpb_utf8_filename);
  dpb.String(isc_dpb_user_name, user);
  if (!password.isEmpty()) dpb.String(isc_dpb_password, password);
  if (!role.isEmpty()) dpb.String(isc_dpb_sql_role_name, role);
  dpb.String(isc_dpb_lc_ctype, QByteArrayLiteral("WIN1250"));
  dpb.Int(isc_dpb_sql_dialect, SQL_DIALECT_V6);
  // A local file always goes to the engine in this process, whatever the
  // configured providers say, so no server needs to run.
  if (!IsRemoteName(databaseName_)) dpb.String(isc_dpb_config, QByteArrayLiteral("Providers=Engine12"));
  if (create) {
    dpb.String(isc_dpb_set_db_charset, QByteArrayLiteral("WIN1250"));
    dpb.Int(isc_dpb_page_size, pageSize);
  }
  const QByteArray name = databaseName_.toUtf8();
  TStatus status;
  const TKeepSignalHandlers keepSignalHandlers;
  TRef<Firebird::IProvider> provider(Master()->getDispatcher());
  Firebird::IAttachment* attachment =
      create ? provider->createDatabase(&status, name.constData(), dpb.Length(), dpb.Buffer())
             : provider->attachDatabase(&status, name.constData(), dpb.Length(), dpb.Buffer());
  status.Check();
  return attachment;
}

void TIBDatabase::Close() {
  if (!Connected()) return;
  emit BeforeDisconnect();
  TStatus status;
  attachment_->detach(&status);
  if (status.Failed()) {
    // The server may refuse while something is still open; drop the handle anyway.
    attachment_->release();
    attachment_ = nullptr;
    status.Check();
  }
  attachment_ = nullptr;
}

Firebird::IAttachment* TIBDatabase::Attachment() const {
  if (!attachment_) throw EIBError(QStringLiteral("Databáza nie je pripojená."));
  return attachment_;
}

qint64 TIBDatabase::ConnectionId() const { return TIBDatabaseInfo(*this).AttachmentId(); }
QStringList TIBDatabase::UserNames() const { return TIBDatabaseInfo(*this).UserNames(); }
int TIBDatabase::PageSize() const { return TIBDatabaseInfo(*this).PageSize(); }
int TIBDatabase::OdsVersion() const { return TIBDatabaseInfo(*this).OdsVersion(); }
int TIBDatabase::OdsMinorVersion() const { return TIBDatabaseInfo(*this).OdsMinorVersion(); }
QString TIBDatabase::ServerVersion() const { return TIBDatabaseInfo(*this).Version(); }

qint64 TIBDatabase::GeneratorValue(const QString& generatorName, qint64 step) {
  TIBTransaction transaction(this);
  transaction.StartTransaction();
  TIBQuery query;
  query.SetDatabase(this);
  query.SetTransaction(&transaction);
  // A generator name is an identifier, which cannot be a bound parameter.
  query.SetSQL(QStringLiteral("SELECT GEN_ID(%1, CAST(:STEP AS BIGINT)) FROM RDB$DATABASE")
                   .arg(ServerSql::CheckedName(generatorName)));
  query.ParamByName(QStringLiteral("STEP")).SetValue(step);
  query.Open();
  const qint64 value = query.FieldByNumber(0).AsLargeInt();
  query.Close();
  transaction.Commit();
  return value;
}
