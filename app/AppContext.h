#pragma once
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <functional>

class TIBDatabase;
class TImageList;

// The application context: the run-time records and the one database
// connection of the process. Registers reach them here instead of linking the
// main window, which fills them at start.

// The settings-file record, filled by the login.
struct TIniSettings {
  QString Reports;          // report-template folder
  QString ReportsPreferred; // equal to Reports at every login; prints look here first
  QString IniFileName;      // the settings file: the program's path with ".ini"
  QString Database;         // path or host:path of the database
  QString User_Name;
  QString Password;
  bool ShiftForClose = false;
  QString Backups; // backup folder
};

// The run-time settings read from the settings table after login.
struct TProgramSettings {
  quint16 Rok = 0;    // the working year
  QVariant ZO_JEDIN;  // key of the own local organisation, or Null
  QVariant JUX_JEDIN; // key of the union's council, or Null
  qint16 BRIGADA_PREDPISANA = 0;
  bool PRIEZVISKA_VELKYMI = false;
};

// The own organisation's identity, the organisation variables of every report.
struct TOrganizacia {
  QString Nazov, Ulica, PSC, Mesto, ICO, DIC, ICDPH, Banka_Predcislie, Banka_Cislo, Banka_Kod, Banka_IBAN;
};

extern TIniSettings IniSettings;
extern TProgramSettings ProgramSettings;
extern TOrganizacia Organizacia;

// The connection of the process (the main window's IBD); null before the
// main window exists.
TIBDatabase* MainDatabase();
void SetMainDatabase(TIBDatabase* database);
// The checks the owner of the main connection runs once it is connected
// (schema version, settings table); a form that had to close the connection
// (backup, restore) runs them after opening it again. Nothing is run while
// no owner has set them.
void SetMainConnectionChecks(std::function<void()> checks);
void RunMainConnectionChecks();

// The main window's 16- and 32-pixel image lists, shared by the register
// forms' tool bars; null before the main window exists.
TImageList* ImageList16();
TImageList* ImageList32();
void SetImageLists(TImageList* il16, TImageList* il32);

// The program file's full path; tests put a program path into a temporary
// folder so that the settings file and the default database land there.
QString ProgramFilePath();
void SetProgramFilePath(const QString& path);
// The program's folder with a trailing separator.
QString ProgramFolder();

// The application's title (the product line; the task-bar name on the
// original platform). Kept apart from the window captions, which show their
// own text only.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Asks the program to end once control is back in the message loop: open
// modal windows close with the cancel result and the start-up stops at its
// next step.
void RequestTermination();
bool TerminationRequested();
// Forgets a request (tests run several start-ups in one process).
void ResetTerminationRequest();

// Resolves a folder or database path stored in the settings file: a server
// name ("host:path") stays as it is; otherwise backslashes become slashes and
// a relative path is taken below the program's folder, so a stored
// "Data\Vimek.fdb" names <program folder>/Data/Vimek.fdb.
QString ResolveProgramPath(const QString& stored);
