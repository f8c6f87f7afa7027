#pragma once
#include "core/DateTime.h"
#include "reports/engine/rpDataDictionary.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpInterpretator.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPrintJob.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpRunContext.h"
#include <QtCore/QPointer>
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

// The zoom a preview starts with and the buttons it shows.
enum class TrpPreviewZoom { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };
enum TrpPreviewButton : unsigned {
  pbZoom = 1,
  pbLoad = 2,
  pbSave = 4,
  pbPrint = 8,
  pbFind = 16,
  pbHelp = 32,
  pbExit = 64,
  pbPageSetup = 128
};

// rtMultiple: the whole report is built once per record of its Dataset.
enum TrpReportType { rtSimple, rtMultiple };

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

  TrpDataset* Dataset() const override { return dataset_; }
  void SetDataset(TrpDataset* dataset) { dataset_ = dataset; }
  bool UseDefaultDataSetName() const override { return true; }
  int CurrentBandType() const override;
  TrpDataset* PageDataBandDataSet(int dataBandType) const override;

  // Reads a template stream. `fromFile` is false for the copies kept in
  // memory around a build, which never ask for the password.
  void LoadFromStream(const QByteArray& data, bool fromFile);
  QByteArray SaveToStream();
  // False when the file does not exist; remembers the name in FileName.
  bool LoadFromFile(const QString& fileName);
  // Raises Exception when the file cannot be written.
  void SaveToFile(const QString& fileName);
  // Writes the XML form of the template into the file name with the extension
  // ".rp3"; raises Exception when the file cannot be written.
  void SaveAsXmlFile(const QString& fileName);
  // The ".rpt" file: description lines, an optional picture (bitmap file form) and the pages.
  void WriteTemplateFile(const QString& fileName, const QStringList& description, const QImage& picture);
  // With `load`: reads the pages into the report (description and picture are
  // dropped); without: fills the description and the picture only. False when
  // the file cannot be read.
  bool ReadTemplateFile(const QString& fileName, QStringList* description, bool load, QImage* picture);

  // --- values while a report runs
  // Binds the run's parser and interpreter to this report's name and
  // function look-up, and makes it the run's current report.
  void BindParser(TrpRunContext& run);
  // The value of a name: the OnGetValue event, the dictionary, the special
  // names, script variables, engine values and properties, and finally the
  // name evaluated as an expression (a name that leads back to itself raises
  // "Nedefinovaný symbol" outside the aggregate pass).
  void ResolveName(TrpRunContext& run, const QString& name, QVariant& value);
  // CURY, FREESPACE, FINALPASS, PAGEHEIGHT, PAGEWIDTH, Object.Property and named constants; Null otherwise.
  void GetInternalValue(TrpRunContext& run, const QString& name, QVariant& value);
  // The expression (with an optional " #suffix" format) evaluated and formatted;
  // during the aggregate pass `text` is left as it was.
  void GetFormattedValue(TrpRunContext& run, const QString& expression, QString& text) override;
  // The function libraries in registration order, then the built-in procedures and OnUserFunction.
  void CallReportFunction(TrpRunContext& run, const QString& name, const QString& p1, const QString& p2,
                          const QString& p3, QVariant& val);
  void RunBuiltinProcedure(TrpRunContext& run, const QString& name, const QString& p1, const QString& p2,
                           const QString& p3, QVariant& val);
  // The before-print event over the lines an object is about to print.
  void FireBeforePrint(QStringList& lines, TrpView* object) override;

  std::function<void(const QString& name, QVariant& value)> OnGetValue;
  std::function<void(const QString& name, const QString& p1, const QString& p2, const QString& p3, QVariant& val)>
      OnUserFunction;
  std::function<void(QStringList& lines, TrpView* object)> OnBeforePrint;

  // Empties pages, dictionary, two-pass flag and report information.
  void ClearTemplate();
  void ClearReportInfo() { Info = {}; }
  void SelectPrinterByName(const QString& name);
  // The object of that name on any page (ignoring case), or null.
  TrpView* FindObject(const QString& name) const override;

  // --- building prepared pages
  // Builds the template over its data sets into EMFPages (two passes with
  // DoublePassReport, so TOTALPAGES is known); the template is restored
  // afterwards. False when nothing was built or an error stopped the run
  // (its text goes to the error box and the pages are cleared). The build
  // runs in the report's own run context, so a report built meanwhile (from
  // an event of this one) leaves this run as it was.
  bool BuildPreparedPages();
  // The run context of this report's builds; it holds the last build's state afterwards.
  TrpRunContext& RunContext() { return runContext_; }
  // The ".rpp" file; a save failure raises Exception, a damaged file EStreamError.
  void SavePreparedFile(const QString& fileName);
  void LoadPreparedFile(const QString& fileName);

  // The build of the template page a subreport shows while pages build; null otherwise.
  class TrpPageBuild* SubreportBuild(int pageIndex) const;
  // One pass of the build into the prepared pages of RunReport: dialog pages
  // first (a cancelled one stops the build), then the report pages, once or
  // once per record of Dataset with rtMultiple. The composite report builds its members.
  virtual void BuildPages();
  // Frees the page builds that a two-pass run keeps between its passes.
  virtual void EndBuild();

  TrpReportType ReportType = rtSimple;
  // Replaces the data walk and the summary of every report page: the handler
  // shows bands itself (through its run context's Run). The report title is not shown either.
  std::function<void(TrpPage* page)> OnManualBuild;
  // Receives the non-visual controls of a dialog page when it is shown.
  std::function<void(TrpView* control)> OnCustomizeObject;
  // Raised once per build before the report pages are walked.
  std::function<void()> OnBuildStart;
  // Raised once per build after the dialog pages, before the report pages
  // are linked and prepared: objects may still add bands and objects to
  // their pages here (the template is restored after the build). An
  // exception stops the build with its message.
  std::function<void()> OnBeforeBuild;

  TrpEMFPages EMFPages;
  bool PrintIfEmpty = true;
  bool FinalPass = false;
  bool Terminated = false;
  bool CanRebuild = false;
  std::function<void(class TrpBand*band)> OnBeginBand, OnEndBand;
  std::function<void(int pageNumber)> OnBeginPage, OnEndPage;
  std::function<void()> OnBeginDoc, OnEndDoc;
  // Receives the number of the page being started while pages build; when
  // assigned it replaces the progress window.
  std::function<void(int pageNumber)> OnProgress;
  // OnProgress, else the progress window's line (ProgressText) while it shows.
  void ReportProgress(int pageNumber);
  // Once per row of cross cells of a horizontal band.
  std::function<void(class TrpBand* band)> OnBeginColumn;
  // Before each cross data cell; a changed width stays for the following cells.
  std::function<void(int column, int& width)> OnPrintColumn;

  // --- preview and build progress (rpReportPreview.cpp)
  // The title and file name of a report nobody has named.
  static inline const QString kUntitled = QStringLiteral("Bezmena");
  QString Title = kUntitled; // preview and progress captions
  bool ShowProgress = true;  // the progress window while pages build
  bool ModalPreview = true;
  bool ModifyPrepared = true;
  unsigned PreviewButtons = pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit;
  TrpPreviewZoom InitialZoom = TrpPreviewZoom::pzDefault;
  bool GrayedButtons = false;
  // An embedded preview panel (the window library's TrpPreview) that shows
  // the pages in place of a preview window; cleared when it is freed.
  QPointer<QObject> Preview;
  // The preview's print builds the pages again when another printer is chosen.
  bool RebuildPrinter = false;
  // Shows the prepared pages in the preview window (TrpGlobals::PreviewWindow);
  // nothing happens without prepared pages.
  void ShowPreview();
  // Builds, then shows whatever was built.
  void BuildAndShow();
  // The progress line for a page: the pass's prefix, two blanks and the
  // number, with " z " and the page total in the final pass of two.
  QString ProgressText(int pageNumber) const;

  // --- printing and exporting prepared pages (rpReportPrint.cpp)
  // The print dialog (TrpGlobals::PrintDialog, preset with DefaultCopies and
  // DefaultCollate; skipped without ShowPrintDialog), then PrintPages. The
  // preview passes its page (1-based) as `currentPage` to offer "current
  // page"; 0 disables that choice. False when nothing was printed: no
  // prepared pages, no printer, cancelled, or the print failed.
  bool PrintWithDialog(int currentPage = 0);
  // Prints the prepared pages: the page list ("" all, "1,3-5", "2-"),
  // copies, collation and odd/even (0 all, 1 odd, 2 even). True only when
  // the document was completed; a failure shows its message (error box)
  // and answers false.
  bool PrintPages(const QString& pageList, int copies, bool collate, int oddEven);
  // Sends the prepared pages of PrintSettings to the printer's device
  // (TrpGlobals::OpenPrintDevice); raises Exception when the device fails,
  // false when the user cancelled the output.
  virtual bool SendPagesToPrinter();
  // Changes the printer and re-applies every template page's paper; when the
  // new printer cannot be selected, says so and returns to the old one (false).
  bool SwitchPrinter(int oldIndex, int newIndex);
  // The preview's Save: writes the prepared pages through the filter, or as
  // a ".rpp" file when `filter` is null. The export run: OnBeforeExport may
  // rename or cancel, the options dialog must answer 1; then the file is
  // written page by page (progress per page, Terminated stops after a page).
  // True when the file was written; a failure shows its message.
  bool ExportToFile(class TrpExportFilter* filter, const QString& fileName);
  // The current filter's object and text callbacks (installed as the engine's export hooks during an export).
  void SendObjectToFilter(TrpView* object);
  void SendTextToFilter(const QRect& drawRect, int x, int y, const QString& text, int frameType, TrpView* object);

  int DefaultCopies = 1;
  bool DefaultCollate = true;
  bool ShowPrintDialog = true;
  // The PDF file a print writes while the virtual printer is current; empty: asked.
  QString PrintFileName;
  TrpPrintSettings PrintSettings; // the arguments of the running print
  class TrpExportFilter* CurrentFilter = nullptr;
  // Raised once per print job just before the printer document starts.
  std::function<void()> OnPrintReport;

  // --- designing
  // Shows the designer on the template and answers its modal result; 2
  // without showing anything while no designer is registered.
  int OpenDesigner();
  // Opens the designer on a copy of one prepared page; when the designer
  // leaves the page modified and the user agrees, the page is written back.
  // The template is as before afterwards. True when the page changed.
  bool EditPreparedPage(int index);
  // Set by every change in the designer; cleared when it shows and saves.
  bool Modified = false;
  // Set by changes made in template mode.
  bool ChangedInDesigner = false;

  TrpPages Pages;
  TrpDataDictionary Dictionary{this};
  TrpReportInfo Info;
  bool UseCurrentPrinter = false;
  bool DoublePassReport = false;
  QString FileName;
  // The clock that stamps the last change on saving.
  std::function<TDateTime()> Now;

private:
  bool RunPreparePasses();
  // RunPreparePasses inside the progress window when one is wanted; false when cancelled.
  bool RunPreparePassesShown();
  void CreateBuilds();
  // Shows the dialog pages in order until one is cancelled (BuildAborted).
  void StartDialogPages();
  // Links and prepares the report pages, or rewinds them for the final pass.
  void StartReportPages(bool rewind);
  void BuildReportPages(bool multiple);

  TrpRunContext runContext_;
  QPointer<TrpDataset> dataset_; // cleared when the data set is destroyed
  class TrpPageBuild* running_ = nullptr;
  std::vector<std::unique_ptr<class TrpPageBuild>> builds_;

protected:
  // The reports whose templates a build keeps and restores: this one, or a composite's members.
  virtual QList<TrpReport*> TemplateReports() { return {this}; }

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
  QVariant ReportInfoValue(const QString& name) const;
  void ArrayProcedure(TrpRunContext& run, bool set, const QString& array, const QString& index, const QString& value,
                      QVariant& val);
};

// Splits "Object.Property" (or "PAGEn.Property", or a property of the run's
// current object such as "Font.Size") into the object of the run's current
// report and the property name; the object may come back null. Builds the
// object's property list when empty.
void rpGetObjectAndProperty(const TrpRunContext& run, const QString& name, TrpObject*& object, QString& property);

// The report's script interpreter, bound to the run context that holds it:
// names and calls go through that run's parser callbacks, assignments reach
// script variables, dictionary variables, MODALRESULT, CURY, PROGRESS, object
// properties, and otherwise create a script variable.
class TInterpretator : public TrpInterpretator {
public:
  explicit TInterpretator(TrpRunContext& run) : run_(run) {}
  void GetValue(const QString& name, QVariant& value) override;
  void SetValue(const QString& name, const QVariant& value) override;
  void DoFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3, QVariant& val) override;

private:
  TrpRunContext& run_;
};
