#include "app/SingleInstance.h"
#include "app/SysInfo.h"
#include "core/Exception.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QSharedMemory>
#include <QtCore/QSystemSemaphore>
#include <QtCore/QtEndian>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>
#include <QtWidgets/QWidget>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

// How long one announcement or activation may take; the lock is held meanwhile.
constexpr int SendTimeoutMs = 250;
constexpr int SendAttempts = 3;

bool ProcessGone(quint32 processId) { return processId != 0 && ::kill(pid_t(processId), 0) != 0 && errno == ESRCH; }

} // namespace

void TRtInstanceTable::Clear() { std::memset(block_, 0, BlockSize); }

quint16 TRtInstanceTable::Read16(int offset) const { return qFromLittleEndian<quint16>(block_ + offset); }
void TRtInstanceTable::Write16(int offset, quint16 value) { qToLittleEndian(value, block_ + offset); }
quint32 TRtInstanceTable::Read32(int offset) const { return qFromLittleEndian<quint32>(block_ + offset); }
void TRtInstanceTable::Write32(int offset, quint32 value) { qToLittleEndian(value, block_ + offset); }

quint32 TRtInstanceTable::ProcessId(int index) const {
  // A damaged count never reads past the block.
  if (index < 0 || index >= qMin<int>(Count(), Capacity)) return 0;
  return Read32(4 + 4 * index);
}

bool TRtInstanceTable::Register(quint32 processId, quint16 limit) {
  if (Maximum() == 0) Write16(0, limit);
  const int count = Count();
  if (count >= Capacity) return false; // no room: treated as beyond the limit
  const bool within = count < Maximum();
  Write32(4 + 4 * count, processId);
  Write16(2, quint16(count + 1));
  return within;
}

void TRtInstanceTable::RemoveAt(int index) {
  const int count = qMin<int>(Count(), Capacity);
  std::memmove(block_ + 4 + 4 * index, block_ + 4 + 4 * (index + 1), size_t(4 * (count - index - 1)));
  Write32(4 + 4 * (count - 1), 0);
  Write16(2, quint16(count - 1));
}

bool TRtInstanceTable::Unregister(quint32 processId) {
  const int count = qMin<int>(Count(), Capacity);
  for (int i = 0; i < count; ++i) {
    if (ProcessId(i) != processId) continue;
    RemoveAt(i);
    return true;
  }
  return false;
}

int TRtInstanceTable::DropEntries(const std::function<bool(quint32)>& gone) {
  int dropped = 0;
  for (int i = qMin<int>(Count(), Capacity) - 1; i >= 0; --i) {
    if (!gone(ProcessId(i))) continue;
    RemoveAt(i);
    ++dropped;
  }
  return dropped;
}

QString InstanceBaseName(const QString& executablePath) {
  return (QStringLiteral("Rt") + executablePath).toUpper().replace(QLatin1Char('\\'), QLatin1Char('_'));
}

template <class Action> auto TRtAppInstances::Locked(Action action) {
  lock_->acquire();
  struct Release {
    QSystemSemaphore* lock;
    ~Release() { lock->release(); }
  } release{lock_.get()};
  return action();
}

TRtAppInstances::TRtAppInstances(const QString& executablePath, QObject* parent)
    : QObject(parent), processId_(quint32(QCoreApplication::applicationPid())) {
  baseName_ = InstanceBaseName(executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : executablePath);
  lock_ = std::make_unique<QSystemSemaphore>(baseName_ + QStringLiteral("_Otx"), 1, QSystemSemaphore::Open);
  if (lock_->error() != QSystemSemaphore::NoError)
    throw Exception(QStringLiteral("Failed to create event\r") + lock_->errorString());
  table_ = std::make_unique<QSharedMemory>(baseName_ + QStringLiteral("_Map"));
  Locked([this] {
    if (table_->create(TRtInstanceTable::BlockSize)) {
      TRtInstanceTable(table_->data()).Clear();
      return;
    }
    if (table_->error() != QSharedMemory::AlreadyExists || !table_->attach())
      throw Exception(QStringLiteral("Failed to create FileMapping\r") + table_->errorString());
    if (table_->size() < TRtInstanceTable::BlockSize)
      throw Exception(QStringLiteral("Failed to create FileMappingView"));
  });
  Listen();
}

TRtAppInstances::~TRtAppInstances() {
  if (registered_) UnregisterInstance();
}

QString TRtAppInstances::ServerName(quint32 processId) const {
  // Socket names are file names: the base name holds slashes and colons.
  const QByteArray hash = QCryptographicHash::hash(baseName_.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return QStringLiteral("vimek-%1-%2").arg(QString::fromLatin1(hash)).arg(processId);
}

void TRtAppInstances::Listen() {
  server_ = new QLocalServer(this);
  const QString name = ServerName(processId_);
  QLocalServer::removeServer(name);   // left behind by a killed process that had this id
  if (!server_->listen(name)) return; // without a listener this instance cannot be activated; it still runs
  connect(server_, &QLocalServer::newConnection, this, &TRtAppInstances::ReadRequest);
}

void TRtAppInstances::ReadRequest() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      while (socket->canReadLine()) {
        const QList<QByteArray> words = socket->readLine().trimmed().split(' ');
        if (words.value(0) == "activate") {
          BringWindowToFront(MainWindowOfProcess(processId_));
          emit ActivationRequested();
        } else if (words.value(0) == "notify" && words.size() == 3) {
          emit Notified(words[1].toInt(), words[2].toUInt());
        }
      }
    });
  }
}

bool TRtAppInstances::Send(quint32 processId, const QByteArray& request) {
  // A bounded number of attempts: the lock may be held meanwhile.
  for (int attempt = 0; attempt < SendAttempts; ++attempt) {
    QLocalSocket socket;
    socket.connectToServer(ServerName(processId));
    if (!socket.waitForConnected(SendTimeoutMs)) {
      if (ProcessGone(processId)) return false;
      continue;
    }
    socket.write(request);
    const bool written = socket.waitForBytesWritten(SendTimeoutMs);
    socket.disconnectFromServer();
    if (written) return true;
  }
  return false;
}

bool TRtAppInstances::EnforceInstanceLimit(quint16 limit) {
  if (registered_) return withinLimit_;
  if (RegisterInstance(limit)) return true;
  ActivateInstance(0);
  return false;
}

bool TRtAppInstances::RegisterInstance(quint16 limit) {
  if (registered_) return withinLimit_;
  withinLimit_ = Locked([&] {
    TRtInstanceTable table(table_->data());
    // Entries of killed instances would block every later start.
    table.DropEntries(&ProcessGone);
    return table.Register(processId_, limit);
  });
  registered_ = true;
  if (withinLimit_) NotifyInstances(InstanceStarted, processId_);
  return withinLimit_;
}

void TRtAppInstances::UnregisterInstance() {
  if (!registered_) return;
  Locked([this] { return TRtInstanceTable(table_->data()).Unregister(processId_); });
  registered_ = false;
  NotifyInstances(InstanceEnded, processId_);
}

quint32 TRtAppInstances::InstanceProcessId(int index) {
  return Locked([&] { return TRtInstanceTable(table_->data()).ProcessId(index); });
}

int TRtAppInstances::InstanceCount() {
  return Locked([&] { return int(TRtInstanceTable(table_->data()).Count()); });
}

bool TRtAppInstances::ActivateInstance(int index) {
  const quint32 processId = InstanceProcessId(index);
  if (processId == 0) return false;
  if (processId == processId_) {
    BringWindowToFront(MainWindowOfProcess(processId_));
    return true;
  }
  return Send(processId, QByteArrayLiteral("activate\n"));
}

void TRtAppInstances::NotifyInstances(int kind, quint32 value) {
  const QByteArray request =
      QByteArrayLiteral("notify ") + QByteArray::number(kind) + ' ' + QByteArray::number(value) + '\n';
  Locked([&] {
    TRtInstanceTable table(table_->data());
    for (int i = 0; i < table.Count(); ++i) {
      const quint32 processId = table.ProcessId(i);
      if (processId == processId_) {
        // Our own listener would answer only once the lock is free again.
        QMetaObject::invokeMethod(
            this, [this, kind, value] { emit Notified(kind, value); }, Qt::QueuedConnection);
        continue;
      }
      Send(processId, request);
    }
  });
}

void BringWindowToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

namespace {
TRtAppInstances* appInstances = nullptr;
void ReleaseAppInstances() {
  delete appInstances;
  appInstances = nullptr;
}
} // namespace

TRtAppInstances& AppInstances() {
  if (!appInstances) {
    appInstances = new TRtAppInstances;
    qAddPostRoutine(&ReleaseAppInstances);
  }
  return *appInstances;
}
