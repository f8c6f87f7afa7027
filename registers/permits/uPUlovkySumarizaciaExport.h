#pragma once
#include "registers/common/Exporters.h"
#include <QtCore/QObject>
#include <QtCore/QString>
#include <functional>

class QWidget;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;
class TXbTable;

// The catch summary of the working year as the dBASE III file the branch
// sends the union's council: one record per fishing ground and fish species
// with the number, weight and value of the fish, texts in code page 852.
// Created, run once with Exportuj and freed by the catch-summary chooser
// (through the exporter registered as kCatchSummaryExporter).
class TExportSumarizacieUlovkov : public QObject {
  Q_OBJECT
public:
  // Works on the given connection (the main connection when null) for the
  // working year and the own organisation of the run-time settings.
  explicit TExportSumarizacieUlovkov(QWidget* owner = nullptr, TIBDatabase* database = nullptr);
  ~TExportSumarizacieUlovkov() override;

  // Reads the summary, asks for the file and writes it, stopping at the
  // first step that does not go on.
  TExportResult Exportuj();
  // True when the summary has rows; otherwise the outcome says why not.
  bool NacitajUdaje();
  // True when the user chose a file.
  bool ZvolSubor();
  // True when the file is complete. It is written under a temporary name in
  // the target's folder and put in the target's place only then, so a failure
  // leaves the target as it was.
  bool ZapisSubor();

  // The target chosen by ZvolSubor.
  const QString& FileName() const { return fileName_; }
  // The proposed file name: "UL", the year's last digit in two places and
  // the organisation's number in three ("UL04425.dbf").
  static QString ProposedFileName(int year, int organisationNumber);
  // Asks for the target with the proposed name; empty when cancelled. Tests
  // replace it.
  static std::function<QString(QWidget* owner, const QString& proposed)> AskFileName;

  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TXbTable* dbf;

private:
  void ReadOrganisation();
  void WarnOfUnnumberedSpecies();
  void OpenSummary();
  void DefineFields();
  void AppendSummaryRows();

  QWidget* owner_;
  int year_;
  int orgNumber_ = 0;
  QString orgName_;
  QString fileName_;
  TExportResult result_;
};

// Registers the export as kCatchSummaryExporter.
void RegisterCatchSummaryExporter();
