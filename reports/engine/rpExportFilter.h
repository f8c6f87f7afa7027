#pragma once
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <functional>

class QIODevice;
class TrpView;

// One line of text a filter collected while a page was exported, with the
// look of the text object that drew it.
struct TrpExportTextLine {
  QRect DrawRect;
  int X = 0, Y = 0;
  QString Text;
  int FrameType = 0;
  QString FontName;
  int FontSize = 0;
  int FontStyle = 0; // stored style bits: 1 italic, 2 bold, 4 underline, 8 strike-out
  quint32 FontColor = 0;
  int FontCharset = 0;
  quint32 FillColor = 0x1FFFFFFF;
  int Alignment = 0;
};

// The base of every export filter: it turns each prepared page's objects
// into a document of its own format. A filter registers itself with the
// engine (Register, description and file mask) and is offered as long as it
// exists. During TrpReport::ExportToFile the engine sets FileName, raises
// OnBeforeExport, asks OptionsDialog (only 1 goes on), opens Stream, calls
// BeginDocument, for each page BeginPage, ObjectData per object and
// ObjectText per line of text objects, EndPage; then EndDocument, closes the
// stream and raises OnAfterExport. A filter writes only into Stream, which
// the engine owns. A run that is cancelled (the report's Terminated) leaves
// no file and answers false.
class TrpExportFilter : public QObject {
  Q_OBJECT
public:
  explicit TrpExportFilter(QObject* owner = nullptr);
  // Unregisters the filter and frees its collected lines.
  ~TrpExportFilter() override;

  // Empties CollectedLines.
  virtual void FreeCollectedLines();
  // The filter's options; only 1 (OK) lets the export go on. The base shows nothing.
  virtual int OptionsDialog() { return 1; }
  virtual void BeginDocument() {}
  virtual void EndDocument() {}
  virtual void BeginPage() {}
  virtual void EndPage() {}
  // An object of the page with its left and top in page units.
  virtual void ObjectData(int x, int y, TrpView* object) {}
  // A line of text that a text object draws while it is exported.
  virtual void ObjectText(const QRect& drawRect, int x, int y, const QString& text, int frameType, TrpView* object) {}

  bool ShowDialog = true;
  // The filter writes its file in OnAfterExport: the engine then leaves the
  // target alone, so an existing file is replaced only by the filter's
  // complete one.
  bool WritesAfterExport = false;
  bool Default = false; // the preferred filter of the preview's save dialog
  // The filter places each line of text by its object's rectangle (by its x
  // only where the rectangle is empty), so lines are not measured to align them.
  bool PlacesTextByRect = false;
  // May change the file name or cancel (`go` false) before the options dialog.
  std::function<void(QString& fileName, bool& go)> OnBeforeExport;
  // Raised with the file name once the engine has closed the file; an
  // Exception it raises is shown and makes the export fail.
  std::function<void(const QString& fileName)> OnAfterExport;

  QString FileName;            // set by the engine before each export
  QIODevice* Stream = nullptr; // the output during an export, owned by the engine
  QList<QList<TrpExportTextLine>> CollectedLines;

protected:
  // Offers the filter in the engine's registry; false when the registry refused it.
  bool Register(const QString& description, const QString& mask);

private:
  bool registered_ = false;
};
