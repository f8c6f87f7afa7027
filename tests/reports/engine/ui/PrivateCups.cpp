#include "tests/reports/engine/ui/PrivateCups.h"
#include <QtCore/QDeadlineTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>
#include <cups/cups.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kSocket = QStringLiteral("cups.sock");
const QString kPipe = QStringLiteral("output.pipe");

// Runs a CUPS command against the private scheduler; its output, or why it failed.
bool RunCupsTool(const QString& tool, const QStringList& arguments, QString* error) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    if (error) *error = tool + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll()) + process.errorString();
    return false;
  }
  return true;
}

} // namespace

TPrivateCups::TPrivateCups() {
  if (!Start()) return;
  reader_ = std::thread([this] { ReadPipe(); });
}

TPrivateCups::~TPrivateCups() {
  if (reader_.joinable()) {
    stopping_ = true;
    // Wakes the reader waiting for the next job's writer.
    const int fd = ::open(QFile::encodeName(Path(kPipe)).constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    reader_.join();
  }
  if (scheduler_) {
    scheduler_->terminate();
    if (!scheduler_->waitForFinished(10000)) scheduler_->kill();
    scheduler_->waitForFinished(5000);
  }
  cupsSetServer(nullptr);
}

bool TPrivateCups::Start() {
  const QString cupsd =
      QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
  if (cupsd.isEmpty()) {
    error_ = QStringLiteral("cupsd is not installed (Debian package cups)");
    return false;
  }
  if (!dir_.isValid()) {
    error_ = QStringLiteral("no temporary folder");
    return false;
  }
  // The scheduler runs its filters as another user, who must reach the pipe.
  ::chmod(QFile::encodeName(dir_.path()).constData(), 0755);
  for (const char* folder : {"spool", "cache", "state", "log", "tmp"})
    ::mkdir(QFile::encodeName(Path(QLatin1String(folder))).constData(), 0755);
  ::chmod(QFile::encodeName(Path(QStringLiteral("tmp"))).constData(), 01777);
  if (::mkfifo(QFile::encodeName(Path(kPipe)).constData(), 0666) != 0) {
    error_ = QStringLiteral("no pipe for the printer's output");
    return false;
  }
  ::chmod(QFile::encodeName(Path(kPipe)).constData(), 0666);
  WriteConfiguration();
  scheduler_ = std::make_unique<QProcess>();
  scheduler_->setProcessChannelMode(QProcess::MergedChannels);
  scheduler_->start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), Path(QStringLiteral("cupsd.conf")),
                            QStringLiteral("-s"), Path(QStringLiteral("cups-files.conf"))});
  const QDeadlineTimer deadline(15000);
  while (!QFileInfo::exists(Path(kSocket)) && !deadline.hasExpired() && scheduler_->state() != QProcess::NotRunning)
    QThread::msleep(50);
  if (!QFileInfo::exists(Path(kSocket))) {
    scheduler_->waitForFinished(100);
    error_ = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(scheduler_->readAll());
    QFile log(Path(QStringLiteral("log/error_log")));
    if (log.open(QIODevice::ReadOnly)) error_ += QString::fromLocal8Bit(log.readAll().right(2000));
    return false;
  }
  cupsSetServer(QFile::encodeName(Path(kSocket)).constData());
  return true;
}

void TPrivateCups::WriteConfiguration() const {
  QFile files(Path(QStringLiteral("cups-files.conf")));
  files.open(QIODevice::WriteOnly);
  QString text = QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                "PageLog %1/log/page_log\nFileDevice Yes\nSandboxing Relaxed\n")
                     .arg(dir_.path());
  if (::geteuid() != 0) {
    // Not root: the scheduler cannot change users, so it runs its filters as this one.
    const passwd* user = ::getpwuid(::geteuid());
    const group* group = ::getgrgid(::getegid());
    if (user) text += QStringLiteral("User %1\n").arg(QString::fromLocal8Bit(user->pw_name));
    if (group) text += QStringLiteral("Group %1\n").arg(QString::fromLocal8Bit(group->gr_name));
  }
  files.write(text.toUtf8());
  QFile daemon(Path(QStringLiteral("cupsd.conf")));
  daemon.open(QIODevice::WriteOnly);
  daemon.write(QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                   .arg(Path(kSocket))
                   .toUtf8());
}

bool TPrivateCups::AddPrinter(const QString& name, const QString& ppdPath, QString* error) {
  return RunCupsTool(QStringLiteral("lpadmin"),
                     {QStringLiteral("-h"), Path(kSocket), QStringLiteral("-p"), name, QStringLiteral("-E"),
                      QStringLiteral("-v"), QStringLiteral("file://") + Path(kPipe), QStringLiteral("-P"), ppdPath},
                     error);
}

void TPrivateCups::ReadPipe() {
  while (!stopping_) {
    // Each job opens the pipe, writes its document and closes it.
    const int fd = ::open(QFile::encodeName(Path(kPipe)).constData(), O_RDONLY);
    if (fd < 0) return;
    QByteArray document;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
      document.append(buffer, n);
    ::close(fd);
    if (stopping_) return;
    if (document.isEmpty()) continue;
    const std::lock_guard<std::mutex> lock(mutex_);
    documents_.append(document);
  }
}

QByteArrayList TPrivateCups::WaitForDocuments(int count, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (documents_.size() >= count || deadline.hasExpired()) return documents_;
    }
    QThread::msleep(50);
  }
}
