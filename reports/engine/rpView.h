#pragma once
#include "core/BinaryStream.h"
#include "core/Color.h"
#include "core/Exception.h"
#include <QtCore/QList>
#include <QtCore/QPointer>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtGui/QImage>
#include <functional>
#include <memory>

class QPainter;
class TDataSet;
class TField;
class TrpPage;
class TrpBandView;
class TrpRunContext;

// Raised while reading a template that names an add-in class the program
// does not register; the message is the collected list of unknown classes.
class EClassNotFound : public Exception {
public:
  using Exception::Exception;
};

// Property type bits of the inspector and of script access.
enum : quint16 {
  ptText = 1,
  ptInteger = 2,
  ptFloat = 4,
  ptBoolean = 8,
  ptColor = 16,
  ptEnum = 32,
  ptEditor = 64,
  ptUnitLength = 128,
  ptSingleOnly = 256
};

// One named property of an object as the inspector and scripts see it.
struct TrpPropRec {
  QString Name; // at most 32 characters
  quint16 Type = 0;
  QStringList EnumNames;
  QVariant EnumValues;          // a QVariantList parallel to EnumNames, or null for the positions 0, 1, 2...
  std::function<void()> Editor; // the designer's editor; empty when no designer is linked
};

// The root of report objects and pages: a list of property records and the
// four operations by which scripts and the inspector reach properties by name.
class TrpObject {
public:
  virtual ~TrpObject() = default;

  // The name arrives upper-cased; unknown names are ignored.
  virtual void WriteProperty(const QString& name, const QVariant& value) {}
  // Null for unknown names.
  virtual QVariant ReadProperty(const QString& name) { return {}; }
  virtual QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                              const QVariant& a3) {
    return {};
  }
  virtual void ListProperties() {}

  const QList<TrpPropRec>& PropertyList() const { return props_; }
  void AddPropertyRec(const QString& name, quint16 type, std::function<void()> editor = {});
  // `names` split at ";"; `values` a QVariantList taken as given, null for positions.
  void AddEnumPropertyRec(const QString& name, const QString& names, const QVariant& values = {});
  void RemovePropertyRec(const QString& name);
  // Compared without regard to case; null when absent.
  TrpPropRec* FindPropertyRec(const QString& name);

  // The methods of a string-list property named `listName` ("MEMO", "LINES").
  // Returns true when the method belonged to the list.
  static bool StringsMethod(TrpRunContext& run, QStringList& list, const QString& method, QVariant& result,
                            const QVariant& a1, const QVariant& a2, const QVariant& a3, const QString& listName);

protected:
  void ClearPropertyList() { props_.clear(); }

private:
  QList<TrpPropRec> props_;
};

// The lines of a text (CR LF, CR or LF between them); none for an empty text.
QStringList rpSplitLines(const QString& text);

// One entry of the designer's context menu of an object; the caption "-" is a
// separator. The designer shows the list; OnClick runs when the entry is chosen.
struct TrpContextMenuItem {
  QString Caption;
  bool Checkable = false;
  bool Checked = false;
  bool Enabled = true;
  std::function<void()> OnClick;
};

// A value rounded to the nearest integer, halves to even.
int rpRoundEven(double value);

// Frame widths as the common record stores them, kept to thousandths.
qint32 rpFrameWidthCode(float width);
float rpFrameWidthFromCode(qint32 code);

// The display-format code of a new object: date kind with the system decimal separator.
qint32 rpDefaultDisplayFormatCode();

// An object on a report page (Part of the engine's object tree): geometry in
// pixels relative to the page, frame, fill, lines, script and tag, and the
// one stream record that templates, prepared pages and copies share.
class TrpView : public TrpObject {
public:
  TrpView();
  ~TrpView() override;

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;

  // Called for every object once a whole report is read (names of other objects resolve then).
  virtual void AfterLoad() {}
  // Takes the object's content from a database blob field; the base has none.
  virtual void LoadFromBlobField(TField* field) {}
  // Told of each text object printed while this object is on the watch list
  // (its Flags bit 15 asks for that); the base ignores it.
  virtual void NotifyObjectPrinted(TrpView* object) {}
  // Reads the common record for the engine's StreamVersion and this RecordMode.
  virtual void LoadFromStream(TBinaryReader& stream);
  virtual void SaveToStream(TBinaryWriter& stream);
  // Appends the object's element of the XML template: "<", the element name
  // and its attributes (rpXmlAttribute), without the closing "/>". An object
  // that has no element appends nothing.
  virtual void WriteXmlElement(QString& element);

  // --- drawing and printing
  // Draws the object on the canvas (the preview, the printer, an image).
  virtual void Draw(TrpRunContext& run, QPainter* canvas) {}
  // Writes the object into a prepared page: script, before-print event,
  // visibility, Tag expansion, band alignment, then the type code (and class
  // name for type 10) and the record. Nothing is written for an object its script hides.
  virtual void WritePrepared(TrpRunContext& run, TBinaryWriter& stream);
  // Hands the object to the export filter's object callback at its Left and Top.
  virtual void SendToExport(TrpRunContext& run);
  // Sets DrawCanvas and CurrentObject and applies the band alignment.
  void PrepareDrawing(TrpRunContext& run, QPainter* canvas);
  // Fills the object's rectangle with FillColor (while designing white when it has none).
  virtual void PaintBackground(const TrpRunContext& run);
  // The frame lines of FrameTyp (and the designer's corner marks).
  virtual void PaintFrame(const TrpRunContext& run);
  // Appends the object's entries of the designer's context menu: a separator
  // and "stretched", which sets or clears Stretched on the designer's selection.
  virtual void AddContextMenuItems(QList<TrpContextMenuItem>& items);
  // Opens the object's editor (the designer's double click); the base has none.
  virtual void OpenEditor() {}
  // Told by the designer after the user resized the object with the mouse; the base does nothing.
  virtual void AfterResize() {}
  // The design rectangle grown by the frame lines' widths; `extended` adds 10 pixels on every side.
  virtual QRect ObjectRegion(bool extended) const;
  // Replaces every [expression] by its formatted value; inserted text is not scanned again.
  static void ExpandBrackets(TrpRunContext& run, QString& text);

  // Design rectangle to device units and back; every drawing lies between them.
  virtual void ToDeviceCoords(bool designing);
  virtual void RestoreDesignCoords();

  // A copy through the template record (name, type code, selection flag and every stored field).
  void Assign(TrpView& other);
  // The first prefix + 1..10000 no object of the current report bears (and,
  // for dialog controls, no component of the engine's host form); empty when all are taken.
  void AssignFreeName();
  void SetBounds(int left, int top, int width, int height);
  // The last band object of the object's page whose rectangle (edges
  // included) holds the object's top-left corner; null when none does.
  TrpBandView* FindParentBand() const;
  QString ClassName() const { return className_; }

  // --- fields
  QString Name;
  QString NamePrefix = QStringLiteral("View");
  quint8 ObjectKind = 10;
  quint8 RecordVersion = 0, RecordSubVersion = 0;
  qint32 ObjectId = 0;
  quint8 IsSelected = 0;
  quint8 RecordMode = 0; // 0 template, 1 prepared page
  double ZoomX = 1.0, ZoomY = 1.0;
  qint32 OffsetX = 0, OffsetY = 0;
  quint8 PrinterOutput = 0;
  qint32 Left = 0, Top = 0, Width = 0, Height = 0;
  quint16 Flags = 1; // bit 0 stretched, bit 15 watches printed objects, the rest the class's
  quint16 FrameTyp = 0;
  float FrameWidth = 1.0f;
  TColor FrameColor = clBlack;
  quint16 FrameStyle = 0;
  TColor FillColor = clNone;
  qint32 DisplayFormatCode = 0;
  QString DisplayFormatText;
  bool Visible = true;
  qint32 GapX = 2, GapY = 1;
  quint16 Restrictions = 0;
  QString Tag;
  QStringList Memo;
  QStringList Script;
  QStringList WorkLines;
  quint8 BandAlign = 0;
  QRect DrawRect;
  QPainter* DrawCanvas = nullptr;    // set by PrepareDrawing
  TrpPage* Page = nullptr;           // the page whose list holds the object
  TrpBandView* ParentBand = nullptr; // the run-time band that prints it
  // The field the object shows when its text is one bracketed field
  // reference; set while a report page is prepared for building.
  QPointer<TDataSet> BoundDataSet;
  QString BoundFieldName;

protected:
  // Sets the type code, the name prefix and the class name a type-10 record carries.
  void SetKind(quint8 kind, const QString& prefix, const QString& className);
  // The property records every view lists; `framed` adds frame, fill, tag and alignment.
  void ListViewProperties(bool framed);
  int RecordVersionPair() const { return RecordVersion * 10 + RecordSubVersion; }
  // The type code byte, for type 10 the class name, then the record.
  void WriteTypedRecord(TBinaryWriter& stream);
  // Runs the object's script with the engine's interpreter.
  void RunScript(TrpRunContext& run);
  // The start of every prepared write: the working lines from Memo, the
  // report's before-print event, the script; false when the object is hidden.
  // Otherwise the tag's brackets are expanded and its text before that kept in
  // `keptTag`, for the caller to put back after writing.
  bool BeginPreparedWrite(TrpRunContext& run, QString& keptTag);
  // The device rectangle's right and bottom edges the frame and fill reach (the saved design rectangle zoomed).
  double ZoomedRight() const { return (saved_.Left + saved_.Width) * ZoomX + OffsetX; }
  double ZoomedBottom() const { return (saved_.Top + saved_.Height) * ZoomY + OffsetY; }

private:
  struct TSaved {
    qint32 Left, Top, Width, Height, GapX, GapY;
    float FrameWidth;
  } saved_{};
  QString className_ = QStringLiteral("TrpView");
  friend std::unique_ptr<TrpView> rpNewObjectOfType(int kind, const QString& className);
};

// An object whose height can follow its content; the band engine sets
// SplitMode before it prints one (0 normal, 1 just measured, 2 the part that fits).
class TrpStretcheable : public TrpView {
public:
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  // The height the content needs.
  virtual int CalcHeight(TrpRunContext& run) = 0;
  // The smallest height the object can be cut to at a page end.
  virtual int MinimumHeight() = 0;
  // The height of what is left after such a cut.
  virtual int RemainingHeight() = 0;
  quint8 SplitMode = 0;
};

// --- the factory and the registry of add-in object and control classes

using TrpViewFactory = std::function<TrpView*()>;

struct TrpAddInObjectInfo {
  QString ClassName; // the class reference: one entry per name
  TrpViewFactory Create;
  QImage ToolBarBitmap;
  QString Hint; // decimal text of an engine string id
  bool IsControl = false;
};

// False (nothing added) when the class is registered or the registry holds 64 entries.
bool rpAddObjectClass(const QString& className, TrpViewFactory create, const QImage& bitmap, const QString& hint);
bool rpAddControlClass(const QString& className, TrpViewFactory create, const QImage& bitmap, const QString& hint);
void rpRemoveObjectClass(const QString& className);
const QList<TrpAddInObjectInfo>& rpAddInObjects();

// A new object of the type code (0 text, 1 picture, 2 band, 3 subreport, 4
// line, 10 the registered class of exactly that name) with the next object
// id; null for any other code or an unregistered class.
std::unique_ptr<TrpView> rpNewObjectOfType(int kind, const QString& className);

// Appends ` name="value"` with the value escaped for XML.
void rpXmlAttribute(QString& element, const QString& name, const QString& value);
void rpXmlAttribute(QString& element, const QString& name, qint64 value);
// A number as the system writes floating values ("1", "0,5" in the Slovak locale).
QString rpXmlFloat(double value);

// A text or line list in the layout of the engine's StreamVersion.
QString rpReadReportString(TBinaryReader& stream);
void rpReadReportMemo(TBinaryReader& stream, QStringList& lines);

// The error text of an object that failed while printing goes to the run's
// LoadErrorText (with LoadErrorFlag), and the running build is asked to stop.
void rpReportObjectError(TrpRunContext& run, const Exception& error);
// The report colour as a colour to paint with (system colours resolved).
QColor rpPaintColor(TColor color);
