#pragma once
#include <QtCore/QByteArrayList>
#include <QtCore/QProcess>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// A CUPS scheduler of the test's own: its configuration, spool and sockets in
// a temporary folder, listening on a local socket only, and this process's
// CUPS client pointed at it for the object's lifetime. Its printers write
// every job into a pipe that the object reads, one document a job.
class TPrivateCups {
public:
  TPrivateCups();
  ~TPrivateCups();
  TPrivateCups(const TPrivateCups&) = delete;
  TPrivateCups& operator=(const TPrivateCups&) = delete;

  // Empty when the scheduler runs; else why it could not start.
  QString Error() const { return error_; }
  // Adds an enabled printer from the driver description; false with `error` set when refused.
  bool AddPrinter(const QString& name, const QString& ppdPath, QString* error);
  // The documents the printers wrote, in the order they came, once `count`
  // have come or the time is up.
  QByteArrayList WaitForDocuments(int count, int timeoutMs);

private:
  bool Start();
  void WriteConfiguration() const;
  void ReadPipe();
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  QString error_;
  std::unique_ptr<QProcess> scheduler_;
  std::thread reader_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  QByteArrayList documents_;
};
