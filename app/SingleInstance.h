#pragma once
#include <QtCore/QObject>
#include <QtCore/QString>
#include <functional>
#include <memory>

class QLocalServer;
class QSharedMemory;
class QSystemSemaphore;
class QWidget;

// The process table of the running instances over a 1,032-byte block
// (little-endian): the maximum number of instances (0 = not yet set), the
// number of entries and up to 257 process ids, oldest first. The caller holds
// the instance lock around every call.
class TRtInstanceTable {
public:
  static constexpr int Capacity = 257;
  static constexpr int BlockSize = 4 + 4 * Capacity;

  explicit TRtInstanceTable(void* block) : block_(static_cast<unsigned char*>(block)) {}

  void Clear();
  quint16 Maximum() const { return Read16(0); }
  quint16 Count() const { return Read16(2); }
  // The index-th process id; 0 when index is not below the number of entries.
  quint32 ProcessId(int index) const;
  // Adds the process and tells whether it is within the limit (the first
  // registration fixes the limit). A process beyond the limit is entered all
  // the same, so that its end removes it; a full table refuses the entry and
  // answers false.
  bool Register(quint32 processId, quint16 limit);
  // Removes the first entry of the process, keeping the order of the
  // others; false when it was not there.
  bool Unregister(quint32 processId);
  // Removes the entries of processes that no longer run (left behind by a
  // killed instance); returns how many went.
  int DropEntries(const std::function<bool(quint32 processId)>& gone);

private:
  quint16 Read16(int offset) const;
  void Write16(int offset, quint16 value);
  quint32 Read32(int offset) const;
  void Write32(int offset, quint32 value);
  void RemoveAt(int index);

  unsigned char* block_;
};

// The base name of the guard's named objects: "Rt" and the executable path,
// upper-cased, backslashes replaced by underscores.
QString InstanceBaseName(const QString& executablePath);

// The single-instance controller: a process table shared by every process
// started from the same executable path, guarded by a cross-process lock,
// and a local socket per instance through which the others bring it to the
// front or announce their start and end.
class TRtAppInstances : public QObject {
  Q_OBJECT
public:
  // Message kinds of the announcements.
  static constexpr int InstanceStarted = 1;
  static constexpr int InstanceEnded = 2;

  // Uses the base name of the given path (the program file when empty).
  explicit TRtAppInstances(const QString& executablePath = QString(), QObject* parent = nullptr);
  ~TRtAppInstances() override;

  // EnforceInstanceLimit(1).
  bool EnsureSingleInstance() { return EnforceInstanceLimit(1); }
  // Registers this process; beyond the limit activates the oldest instance
  // and returns false: the caller then ends with exit code 0. Registering
  // twice in one process gives the first answer again.
  bool EnforceInstanceLimit(quint16 limit);
  bool RegisterInstance(quint16 limit);
  void UnregisterInstance();
  quint32 InstanceProcessId(int index);
  int InstanceCount();
  // Asks the index-th instance to restore and raise its main window; false
  // when it could not be reached.
  bool ActivateInstance(int index);
  // Announces kind and value to every registered instance, this one
  // included; an instance that does not answer in time is skipped.
  void NotifyInstances(int kind, quint32 value);

  const QString& BaseName() const { return baseName_; }
  // The local socket name of an instance's listener.
  QString ServerName(quint32 processId) const;

signals:
  // An announcement arrived (kind 1 started, 2 ended; value = process id).
  void Notified(int kind, quint32 value);
  // Another instance asked this one to come to the front.
  void ActivationRequested();

private:
  // Runs `action` on the table while holding the lock.
  template <class Action> auto Locked(Action action);
  void Listen();
  void ReadRequest();
  bool Send(quint32 processId, const QByteArray& request);

  QString baseName_;
  quint32 processId_;
  std::unique_ptr<QSystemSemaphore> lock_;
  std::unique_ptr<QSharedMemory> table_;
  QLocalServer* server_ = nullptr;
  bool registered_ = false;
  bool withinLimit_ = false;
};

// Restores a minimised window and brings it to the front.
void BringWindowToFront(QWidget* window);

// The process's controller, created on the first call and destroyed when the
// application object ends.
TRtAppInstances& AppInstances();
