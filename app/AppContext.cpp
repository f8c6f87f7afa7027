#include "app/AppContext.h"
#include "db/IBDatabase.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QThread>

TIniSettings IniSettings;
TProgramSettings ProgramSettings;
TOrganizacia Organizacia;

namespace {
TIBDatabase* mainDatabase = nullptr;
std::function<void()> mainConnectionChecks;
TImageList* imageList16 = nullptr;
TImageList* imageList32 = nullptr;
QString programFilePath;
bool terminationRequested = false;
QString applicationTitle;
} // namespace

TIBDatabase* MainDatabase() { return mainDatabase; }
void SetMainDatabase(TIBDatabase* database) { mainDatabase = database; }

void SetMainConnectionChecks(std::function<void()> checks) { mainConnectionChecks = std::move(checks); }
void RunMainConnectionChecks() {
  if (mainConnectionChecks) mainConnectionChecks();
}

TImageList* ImageList16() { return imageList16; }
TImageList* ImageList32() { return imageList32; }
void SetImageLists(TImageList* il16, TImageList* il32) {
  imageList16 = il16;
  imageList32 = il32;
}

QString ProgramFilePath() {
  return programFilePath.isEmpty() ? QCoreApplication::applicationFilePath() : programFilePath;
}

void SetProgramFilePath(const QString& path) { programFilePath = path; }

QString ProgramFolder() { return QFileInfo(ProgramFilePath()).absolutePath() + QLatin1Char('/'); }

QString ApplicationTitle() { return applicationTitle; }
void SetApplicationTitle(const QString& title) { applicationTitle = title; }

void RequestTermination() {
  terminationRequested = true;
  // Ends every running event loop, the modal ones included. With none
  // running the flag alone tells the caller; Qt's exit would also make every
  // later event loop, a message box's among them, return at once.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

bool TerminationRequested() { return terminationRequested; }
void ResetTerminationRequest() { terminationRequested = false; }

QString ResolveProgramPath(const QString& stored) {
  if (TIBDatabase::IsRemoteName(stored)) return stored;
  QString path = stored;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (QDir::isRelativePath(path)) path = ProgramFolder() + path;
  return QDir::cleanPath(path);
}
