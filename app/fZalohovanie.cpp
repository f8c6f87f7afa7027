#include "app/fZalohovanie.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "db/IBDatabase.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBServices.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QVBoxLayout>
#include <filesystem>

namespace {

const QString fileNameValue = QStringLiteral("BackupFileName");

enum class TOutcome { Succeeded, Failed, Reported };

} // namespace

const QString TfrmZalohovanie::DefaultFileName = QStringLiteral("Vimek.fbk");
const QString TfrmZalohovanie::UnfinishedSuffix = QStringLiteral(".nedokoncena");

bool ServiceOutputFailed(const QStringList& lines) {
  for (const QString& line : lines)
    if (line.contains(QLatin1String("ERROR:")) || line.contains(QLatin1String("Exiting before completion")))
      return true;
  return false;
}

void ReopenConnection(TIBDatabase& database) {
  database.Open();
  if (&database == MainDatabase()) RunMainConnectionChecks();
}

TfrmZalohovanie::TfrmZalohovanie(QWidget* owner, TIBDatabase* database)
    : TForm(owner), database_(database ? database : MainDatabase()) {
  setObjectName(QStringLiteral("frmZalohovanie"));
  SetCaption(QStringLiteral("Zálohovanie a obnovenie databázy programu"));
  SetKeyPreview(true);
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);

  eAdresar = new TIBEdit(this);
  eAdresar->setObjectName(QStringLiteral("eAdresar"));
  eAdresar->SetReadOnly(true);
  eSubor = new TIBEdit(this);
  eSubor->setObjectName(QStringLiteral("eSubor"));
  eSubor->SetRequired(true);
  auto* priebeh = new QGroupBox(QStringLiteral(" Priebeh činnosti: "), this);
  mPriebeh = new QPlainTextEdit(priebeh);
  mPriebeh->setObjectName(QStringLiteral("mPriebeh"));
  mPriebeh->setReadOnly(true);
  mPriebeh->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mPriebeh->setLineWrapMode(QPlainTextEdit::NoWrap);
  (new QVBoxLayout(priebeh))->addWidget(mPriebeh);
  btnZalohuj = new TQPLBtn(QStringLiteral("Zálohuj"), this);
  btnZalohuj->setObjectName(QStringLiteral("btnZalohuj"));
  btnObnov = new TQPLBtn(QStringLiteral("Obnov"), this);
  btnObnov->setObjectName(QStringLiteral("btnObnov"));
  btnObnov->setFocusPolicy(Qt::ClickFocus);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Priečinok:")), 0, 0);
  fields->addWidget(eAdresar, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Súbor:")), 1, 0);
  fields->addWidget(eSubor, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnZalohuj);
  buttons->addWidget(btnObnov);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(priebeh, 1);
  layout->addLayout(buttons);
  resize(560, 420);

  Reconnect = [this] { ReopenConnection(*database_); };
  connect(btnZalohuj, &QPushButton::clicked, this, &TfrmZalohovanie::btnZalohujClick);
  connect(btnObnov, &QPushButton::clicked, this, &TfrmZalohovanie::btnObnovClick);
  FormCreate();
}

TfrmZalohovanie::~TfrmZalohovanie() = default;

void TfrmZalohovanie::FormCreate() {
  eAdresar->setText(ResolveProgramPath(IniSettings.Backups));
  const QString stored = fp->ReadString(fileNameValue, DefaultFileName).trimmed();
  eSubor->setText(stored.isEmpty() ? DefaultFileName : stored);
  mPriebeh->clear();
  RemoveUnfinishedBackup();
}

QString TfrmZalohovanie::UnfinishedFileName() const { return FullBackupFileName() + UnfinishedSuffix; }

void TfrmZalohovanie::RemoveUnfinishedBackup() {
  // Left by a backup whose program ended midway (killed, a power cut): never
  // a backup to restore from, and the file of the name is still the one
  // before it.
  const QString unfinished = UnfinishedFileName();
  if (!QFileInfo::exists(unfinished)) return;
  QFile::remove(unfinished);
  GrayMessageDlg(QStringLiteral("Predchádzajúce zálohovanie do súboru %1 nebolo dokončené (program bol prerušený). "
                                "Jeho nedokončený súbor bol odstránený; záložný súbor %1, ak existuje, zostal taký, "
                                "aký bol pred ním.")
                     .arg(eSubor->text()),
                 TMsgDlgType::Warning, mbOK, 0, mrOk);
}

void TfrmZalohovanie::FormClose(TCloseAction&) { fp->WriteString(fileNameValue, eSubor->text()); }

QString TfrmZalohovanie::FullBackupFileName() const { return eAdresar->text() + QLatin1Char('/') + eSubor->text(); }

void TfrmZalohovanie::AppendLine(const QString& line) {
  output_ << line;
  mPriebeh->appendPlainText(line);
  QApplication::processEvents();
}

bool TfrmZalohovanie::EnsureBackupFolder() {
  if (QFileInfo(eAdresar->text()).isDir()) return true;
  if (GrayMessageDlg(QStringLiteral("Priečinok pre zálohovanie neexistuje. Mám ho vytvoriť?"),
                     TMsgDlgType::Confirmation, mbYes | mbNo, 0, mrYes) != mrYes)
    return false;
  if (QDir().mkpath(eAdresar->text())) return true;
  RedMessageDlg(QStringLiteral("Nastala chyba pri vytváraní priečinka pre záložný súbor. Zálohovanie bolo prerušené."),
                TMsgDlgType::Error, mbOK, 0, mrOk);
  return false;
}

bool TfrmZalohovanie::RunService(TQPLBtn* button,
                                 const std::function<void(TIBServices&, const QString& database)>& service) {
  setEnabled(false);
  button->setEnabled(false);
  mPriebeh->clear();
  output_.clear();
  TOutcome outcome = TOutcome::Failed;
  std::exception_ptr unknown;
  try {
    // Read while the connection is still open.
    const TIBDatabaseInfo info(*database_);
    const QString fileName = info.DbFileName();
    TIBServices services;
    // The service manager of the server the connection goes to, at its host and port.
    services.SetServerOf(database_->DatabaseName());
    services.SetUserName(database_->UserName());
    services.SetPassword(database_->Password());
    services.SetLineHandler([this](const QString& line) { AppendLine(line); });
    database_->Close();
    service(services, fileName);
    outcome = ServiceOutputFailed(output_) ? TOutcome::Failed : TOutcome::Succeeded;
  } catch (const std::exception& error) {
    if (HandleDatabaseError(error) != 0)
      outcome = TOutcome::Reported;
    else
      unknown = std::current_exception();
  }
  button->setEnabled(true);
  setEnabled(true);
  // The connection comes back whatever happened; a failure to open it is a
  // database error like any other, shown to the user, never one that escapes
  // with the program left without its connection unnoticed.
  try {
    Reconnect();
  } catch (const std::exception& error) {
    if (outcome != TOutcome::Failed) outcome = TOutcome::Reported;
    if (HandleDatabaseError(error) == 0 && !unknown) unknown = std::current_exception();
  }
  if (unknown) std::rethrow_exception(unknown);
  if (outcome == TOutcome::Failed)
    RedMessageDlg(QStringLiteral("Služba servera ohlásila chybu, činnosť nebola dokončená. Podrobnosti sú v priebehu "
                                 "činnosti."),
                  TMsgDlgType::Error, mbOK, 0, mrOk);
  return outcome == TOutcome::Succeeded;
}

void TfrmZalohovanie::btnZalohujClick() {
  if (eSubor->ValidationFailed() || !EnsureBackupFolder()) return;
  RemoveUnfinishedBackup();
  const QString backupFile = FullBackupFileName();
  // Written under another name and given its own only when complete, so an
  // interrupted backup never replaces the last good one nor passes for one.
  const QString unfinished = UnfinishedFileName();
  const bool done = RunService(btnZalohuj, [&](TIBServices& services, const QString& database) {
    const auto cleanup = qScopeGuard([&] { QFile::remove(unfinished); });
    // Without ignoring checksums: with it the server attaches as to a damaged
    // database, which it refuses while any other workstation is connected.
    services.Backup(database, unfinished, boIgnoreLimbo, true);
    if (ServiceOutputFailed(output_)) return;
    // A backup that left no file did not succeed, whatever the output said.
    if (QFileInfo(unfinished).size() <= 0) {
      AppendLine(QStringLiteral("ERROR: záložný súbor nevznikol"));
      return;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(unfinished).toStdString(), QFile::encodeName(backupFile).toStdString(),
                            error);
    if (error) AppendLine(QStringLiteral("ERROR: záložný súbor sa nepodarilo zapísať pod jeho menom"));
  });
  if (done) MessageDlg(QStringLiteral("Zálohovanie úspešne dokončené."), TMsgDlgType::Information, mbOK);
}

void TfrmZalohovanie::btnObnovClick() {
  const QString backupFile = FullBackupFileName();
  if (backupFile.endsWith(UnfinishedSuffix)) {
    RedMessageDlg(
        QStringLiteral("Súbor %1 je nedokončená záloha, obnoviť z neho databázu nie je možné.").arg(eSubor->text()),
        TMsgDlgType::Error, mbOK, 0, mrOk);
    return;
  }
  if (eSubor->text().trimmed().isEmpty() || !QFileInfo(backupFile).isFile()) {
    RedMessageDlg(QStringLiteral("Nie je možné vykonať obnovenie databázy, lebo záložný súbor nebol nájdený."),
                  TMsgDlgType::Error, mbOK, 0, mrOk);
    return;
  }
  const int others = database_->Connected() ? database_->AttachmentCount() - 1 : 0;
  if (others > 0) {
    RedMessageDlg(QStringLiteral("Obnovenie databázy nie je možné, kým sú k nej pripojení ďalší užívatelia (%1). "
                                 "Požiadajte ich o ukončenie programu.")
                      .arg(others),
                  TMsgDlgType::Error, mbOK, 0, mrOk);
    return;
  }
  if (RedMessageDlg(QStringLiteral("Obnovenie nahradí celú databázu programu údajmi zo záložného súboru %1. "
                                   "Údaje zapísané po vytvorení zálohy sa stratia.\n\nMám databázu obnoviť?")
                        .arg(eSubor->text()),
                    TMsgDlgType::Confirmation, mbYes | mbNo, 0, mrNo) != mrYes)
    return;
  const bool localFile = !TIBDatabase::IsRemoteName(database_->DatabaseName());
  const bool done = RunService(btnObnov, [&](TIBServices& services, const QString& database) {
    if (!localFile) {
      services.Restore(backupFile, database, roReplace | roCreate, 8192, true);
      return;
    }
    // A local file is replaced only by a complete restored copy, so a failed
    // restore leaves the database as it was.
    const QString restored = database + QStringLiteral(".obnova");
    QFile::remove(restored);
    struct Cleanup {
      QString path;
      ~Cleanup() { QFile::remove(path); }
    } cleanup{restored};
    services.Restore(backupFile, restored, roCreate, 8192, true);
    if (ServiceOutputFailed(output_)) return;
    // Only a copy that opens replaces the database, so the connection can always come back.
    TIBDatabase copy;
    copy.SetDatabaseName(restored);
    copy.SetUserName(database_->UserName());
    copy.SetPassword(database_->Password());
    copy.Open();
    copy.Close();
    const QString previous = database + QStringLiteral(".povodna");
    QFile::remove(previous);
    if (!QFile::rename(database, previous) || !QFile::rename(restored, database)) {
      QFile::rename(previous, database);
      AppendLine(QStringLiteral("ERROR: databázový súbor sa nepodarilo nahradiť"));
      return;
    }
    QFile::remove(previous);
  });
  if (done) MessageDlg(QStringLiteral("Obnovenie databázy úspešne dokončené."), TMsgDlgType::Information, mbOK);
}

bool TfrmZalohovanie::FormKeyDown(QKeyEvent* event) {
  return SaveCancelKeyDown(event, [this] { SetModalResult(mrCancel); });
}
