#pragma once
#include "core/ui/Form.h"
#include <QtCore/QDateTime>

class QLabel;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxFormPlacement;

// Puts a shortcut to the program on the current user's desktop (a
// ".desktop" file named after `name`); true when it was written.
bool CreateDesktopShortcut(const QString& description, const QString& name);

// "<bytes> B (<whole megabytes> MB)", in 64 bits, halves to even.
QString DatabaseSizeText(qint64 bytes);

// The system information window: shows, read-only, the computer, the
// program and the database connection (sizes in 64 bits), and offers a
// desktop shortcut to the program.
class TfrmInfo : public TForm {
  Q_OBJECT
public:
  // The product's names shown as the program name.
  static const QString ProductShortName;
  static const QString ProductLongName;

  // Works on the given connection (the main window's when null).
  explicit TfrmInfo(QWidget* owner = nullptr, TIBDatabase* database = nullptr);

  // The moment the window was opened, shown next to the version.
  QDateTime DatumCas;

  void btnOkClick();
  void btnDesktopIconClick();
  // Fills every label (the show handler's work).
  void FillLabels();

  QLabel *lWindows, *lProcesor, *lDisplay, *lRAM, *lPageFile, *lNetwordName, *lTempDir;
  QLabel *lProgramVersion, *lApp, *lFileSize, *lProgramDir;
  QLabel *lServerName, *lDatabaseName, *lODS, *lServerVersion, *lUsersCount, *lPageSize, *lDatabaseSize, *lForcedWrites,
      *lSweep, *lReserve, *lCurrentMemory, *lRDBFormat;
  TQPLBtn *btnOk, *btnDesktopIcon;
  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TUxFormPlacement* fp;

protected:
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  void FillComputer();
  void FillProgram();
  void FillDatabase();
  QList<QLabel*> DatabaseValueLabels() const;

  TIBDatabase* database_;
};
