#pragma once
#include <QtCore/QList>
#include <QtWidgets/QApplication>

class QTranslator;

// The application object of the program: an exception that leaves an event
// handler goes to the application's exception handler instead of ending the
// program, and the message loop goes on.
class TApplication : public QApplication {
  Q_OBJECT
public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Runs the program: sets the title, creates the main window (which logs in
// and checks the database) and runs the message loop until the main window
// closes or termination is requested. Returns the process's exit code.
int RunVimek(QApplication& application);

// Installs the Slovak texts of Qt's own dialogs and buttons (owned by
// `owner`); answers the installed translators.
QList<QTranslator*> InstallSlovakQtTexts(QObject* owner);
