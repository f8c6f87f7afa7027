#pragma once
#include "core/DateTime.h"
#include "reports/engine/rpDataDictionary.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportBase.h"
#include <functional>

// The report information stored after a template's pages.
struct TrpReportInfo {
  QString Comment, Name, Author;
  QString VersionMajor, VersionMinor, VersionRelease, VersionBuild;
  QString Password;
  bool AskPassword = false;
  TDateTime Created = 0;
  TDateTime LastChange = 0;
  bool operator==(const TrpReportInfo&) const = default;
};

// The report template: its pages with their objects, the data dictionary and
// the report information, and the template files (".rpf" stream, ".rpt"
// template with description). Bad input never crashes a load: it ends with
// the error message and, for a file that is not a template, one empty page.
class TrpReport : public TrpReportBase {
  Q_OBJECT
public:
  static constexpr quint8 kStreamVersion = 25;

  explicit TrpReport(QObject* owner = nullptr);
  ~TrpReport() override;

  TrpDataset* Dataset() const override { return nullptr; }
  bool UseDefaultDataSetName() const override { return true; }
  int CurrentBandType() const override { return -1; }
  TrpDataset* PageDataBandDataSet(int) const override { return nullptr; }

  // Reads a template stream. `fromFile` is false for the copies kept in
  // memory around a build, which never ask for the password.
  void LoadFromStream(const QByteArray& data, bool fromFile);
  QByteArray SaveToStream();
  // False when the file does not exist; remembers the name in FileName.
  bool LoadFromFile(const QString& fileName);
  // Raises Exception when the file cannot be written.
  void SaveToFile(const QString& fileName);
  // The ".rpt" file: description lines, an optional picture (bitmap file form) and the pages.
  void WriteTemplateFile(const QString& fileName, const QStringList& description, const QImage& picture);
  // With `load`: reads the pages into the report (description and picture are
  // dropped); without: fills the description and the picture only. False when
  // the file cannot be read.
  bool ReadTemplateFile(const QString& fileName, QStringList* description, bool load, QImage* picture);

  // Empties pages, dictionary, two-pass flag and report information.
  void ClearTemplate();
  void ClearReportInfo() { Info = {}; }
  void SelectPrinterByName(const QString& name);
  // The object of that name on any page (ignoring case), or null.
  TrpView* FindObject(const QString& name) const;

  TrpPages Pages;
  TrpDataDictionary Dictionary{this};
  TrpReportInfo Info;
  bool UseCurrentPrinter = false;
  bool DoublePassReport = false;
  QString FileName;
  // The clock that stamps the last change on saving.
  std::function<TDateTime()> Now;

private:
  void ReadPagesSection(TBinaryReader& stream);
  void WritePagesSection(TBinaryWriter& stream);
  void ReadObjectRecord(TBinaryReader& stream, quint8 kind);
  void ReadReportInfo(TBinaryReader& stream);
  void WriteReportInfo(TBinaryWriter& stream);
  bool PasswordAccepted();
  void FailUnsupported();
  void ResetToEmptyPage();
  void EnsureOnePage();
  void ForgetCurrentObjects();
};
