#pragma once
#include "core/DateTime.h"
#include "reports/engine/rpFontCache.h"
#include "reports/engine/rpInstalledFunctions.h"
#include "reports/engine/rpInterpretator.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpPrintDevice.h"
#include "reports/engine/rpPrintJob.h"
#include "reports/engine/rpRegistries.h"
#include "reports/engine/rpRunContext.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpVariables.h"
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <functional>
#include <memory>

class QIODevice;
class TrpReportBase;
class TrpPage;
class TrpBandView;
class TrpView;
class TrpPrinter;

// The hook by which prepared pages could be compressed; both operations do
// nothing, so prepared pages are stored as they are.
class TrpCompressor {
public:
  virtual ~TrpCompressor() = default;
  virtual void Compress(QIODevice& source, QIODevice& target) {}
  virtual void Decompress(QIODevice& source, QIODevice& target) {}
};

// The engine's process-wide objects: the registries, the shared variables and
// constants, the printer, the localised tables and the hooks the window
// libraries install. One instance lives from rpEngineStart to rpEngineEnd.
// What belongs to one run is in TrpRunContext (rpRun()).
class TrpGlobals {
public:
  TrpGlobals();
  ~TrpGlobals();
  TrpGlobals(const TrpGlobals&) = delete;
  TrpGlobals& operator=(const TrpGlobals&) = delete;

  // --- the run outside a build (designing, loading, showing); a build runs in its report's own context
  TrpRunContext EngineRun;
  qint32 NextObjectId = 0; // gives every new object its ObjectId
  bool PrinterReady = false;
  // The registry key below the current user where the report user interface
  // keeps its window positions; the designer appends the application title.
  QString RegistryRoot = QStringLiteral("Software\\ZiviVudire");
  bool ShowBandTitles = true; // band objects draw their titles in the designer

  // --- engine-wide objects
  TrpInstalledFunctions InstalledFunctions;
  TrpFunctionLibraryRegistry FunctionLibraries{InstalledFunctions};
  TrpExportFilterRegistry ExportFilters;
  QStringList Strings;    // the general string list
  QImage CheckerBitmap;   // 8 x 8, white where x + y is even, silver elsewhere
  QImage MeasureBitmap;   // 8 x 8 scratch surface for off-screen measuring
  TrpVariables Variables; // sorted; never cleared between reports
  TrpVariables Consts;    // sorted named constants
  std::unique_ptr<TrpCompressor> Compressor;
  std::unique_ptr<TrpPrinter> Printer; // the virtual printer until a system printer is set
  int DefaultPaperSize = 9;            // the paper new report pages take
  TrpFontCache Fonts;                  // what rpMakeQFont hands out

  // --- the engine's dialogs; the widget library installs the real ones.
  // An error message box (error icon); without a window library it is only logged.
  std::function<void(const QString& text, const QString& caption)> ErrorBox;
  // Asks for a report's password; false when not confirmed.
  std::function<bool(QString& password)> AskPassword;
  // INPUT: the text entered, the preset answer when cancelled.
  std::function<QString(const QString& prompt, const QString& preset)> InputBox;
  // MESSAGEBOX: the button pressed (mrOk ... ) for the text, title and "mb_" flags.
  std::function<int(const QString& text, const QString& title, int flags)> MessageBox;
  // The build-progress window: shows the caption modally, runs `work` once it
  // is up and closes when `work` returns; false when the user cancelled, which
  // also sets the report's Terminated.
  std::function<bool(class TrpReport& report, const QString& caption, const std::function<void()>& work)>
      ProgressWindow;
  // Writes the progress window's line; set only while that window shows.
  std::function<void(const QString& text)> ProgressText;
  // Shows the report's prepared pages in the preview window under the caption.
  std::function<void(class TrpReport& report, const QString& caption)> PreviewWindow;
  // The print dialog: preset with `settings`, fills them on OK; false when
  // cancelled. `currentPage` (1-based) is what "current page" prints; 0 disables that choice.
  std::function<bool(TrpPrintSettings& settings, int currentPage)> PrintDialog;
  // Opens the current printer's output: the system printer, or a PDF file
  // (`pdfFileName`, else asked) while the virtual printer is current. Null
  // when the user cancelled; raises Exception when it cannot be opened.
  std::function<std::unique_ptr<TrpPrintDevice>(const QString& pdfFileName)> OpenPrintDevice;
  // The width in pixels of a text in a font (QFontMetrics by default); tests
  // install a deterministic one.
  std::function<int(const QFont& font, const QString& text)> TextWidth;
  // Shows a dialog page's controls as a modal form and returns its modal
  // result (1 OK, 2 cancel); the engine window library installs it. Without
  // it a dialog page is confirmed at once.
  std::function<int(TrpPage& page)> ShowDialogPage;
  // True when the engine's host form of dialog controls already has a
  // component of that name (the engine window library installs it).
  std::function<bool(const QString& name)> HostFormHasComponent;
  // The designer window, registered by the designer library: shows it modally
  // on the report's template, or (`editingTemplate` false) on the one
  // temporary page the report then holds, and answers its modal result.
  std::function<int(class TrpReport& report, bool editingTemplate)> DesignerWindow;
  // The designer's editor of a property (text, tag, restrictions, highlight,
  // font, picture, data field, data source), opened for the object; the
  // designer installs it, and property records get editors only while it is set.
  std::function<void(class TrpObject* object, const QString& property)> DesignerEditor;
  // The designer's script editor: edits the object's Script modally and
  // stores what was confirmed; set while a designer window exists.
  std::function<void(TrpView& object)> ScriptEditor;

  // --- localised tables
  quint8 DefaultCharset = 1;
  QStringList BandNames;      // band types 0 to 22
  QStringList LogicalFormats; // "0;1", "Nie;Ano", ...
  QStringList DateFormats;
  QStringList TimeFormats;

private:
  void LoadTables();
  void PutConstants();
};

// The names of the system variables, indexed 0 to 11 (1 is empty); their
// captions are engine strings 55110 + index.
const QStringList& rpSystemVariableNames();

// The colours the designer and the objects offer by name, in their order: the
// 16 standard colours, clTransparent, the 25 system colours ($80000000 + index).
struct TrpNamedColor {
  const char* Name;
  qint32 Color;
};
const QList<TrpNamedColor>& rpColorTable();

// Starts the engine once (later calls only count); rpEngineEnd frees it with
// the last call.
void rpEngineStart();
void rpEngineEnd();
bool rpEngineStarted();
// The running engine's globals; raises Exception when the engine is not started.
TrpGlobals& rpGlobals();

// The names the rest of the engine uses.
inline TrpVariables& rpVariables() { return rpGlobals().Variables; }
inline TrpVariables& rpConsts() { return rpGlobals().Consts; }
inline TrpInstalledFunctions& rpInstalledFunctions() { return rpGlobals().InstalledFunctions; }
