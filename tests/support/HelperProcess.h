#pragma once
#include <QtCore/QMap>
#include <QtCore/QProcess>
#include <QtCore/QString>

// Runs one helper of this very test executable in a process of its own, for
// tests that need a second process (two writers of one file, a program that
// is killed). A helper is a disabled test (DISABLED_ in its name) that does
// the second process's work; the environment tells it what to do, and it
// answers through lines on its standard output.
class THelperProcess : public QProcess {
public:
  // Starts the helper test "Suite.DISABLED_Name" with the variables added to
  // this process's environment; false when it did not start.
  bool Start(const QString& helperTest, const QMap<QString, QString>& environment = {});
  // The next output line that starts with `marker`; empty when none came
  // within the time or the process ended.
  QString WaitForLine(const QString& marker, int timeoutMs = 60000);
  // Sends one line to the helper's standard input.
  void Send(const QByteArray& line);
};
