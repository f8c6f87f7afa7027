#pragma once
#include "core/Color.h"
#include "core/DataSet.h"
#include "core/Exception.h"
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QStringList>

class TrpReportBase;

class QIODevice;

// The engine's shared routines: name lookups of components and fields, field
// values for reports, text and number conversions, string resources and the
// small encoders of the XML writer and the exports.

// Raised when a dotted component name cannot be looked up at all.
class ErpClassNotFound : public Exception {
public:
  using Exception::Exception;
};

// The application's forms and data modules, reachable by name as the first
// part of "Form.Component". Forms are listed first, in registration order.
enum class TrpGlobalKind { Form, DataModule };
void rpAddGlobalComponent(QObject* component, TrpGlobalKind kind = TrpGlobalKind::Form);
void rpRemoveGlobalComponent(QObject* component);
QObject* rpFindGlobalComponent(const QString& name);
// A frame is a component of a form that holds components of its own.
void rpMarkAsFrame(QObject* component);
bool rpIsFrame(const QObject* component);

// A plain name among the owner's components (compared without regard to
// case), "Form.Name" on a global form, "Form.Frame.Name" on its frame; null
// when a part is not found. A lookup that cannot run (no owner) raises
// ErpClassNotFound "Missing " + name.
QObject* rpFindComponent(const QObject* owner, const QString& name);
// rpFindComponent from the owner of the report (none: the global forms only).
QObject* rpFindDataSet(const TrpReportBase* report, const QString& name);

struct TrpComponentEntry {
  QString Name;
  QObject* Component = nullptr;
  bool operator==(const TrpComponentEntry&) const = default;
};
// Every component of the class (and its subclasses) on the global forms (each
// form's frames first), then on the data modules, except `skip`; named plainly
// when `owner` owns them, else "Form.Name" or "Form.Frame.Name".
void rpGetComponents(const QObject* owner, const QMetaObject& componentClass, QList<TrpComponentEntry>& list,
                     const QObject* skip = nullptr);

// The name when the data set has a field of that name (without regard to
// case), else empty.
QString rpCheckFieldName(const TDataSet* dataSet, const QString& name);
// Resolves "Field", "DataSet.Field", "Form.DataSet.Field" or
// "Form.Frame.DataSet.Field"; a part that begins with a double quote takes the
// rest; a two-part reference names a component of the report's owner.
// `dataSet` comes in as the data set of a one-part reference; the field
// name comes back empty when the data set lacks it.
void rpGetDataSetAndField(const TrpReportBase* report, const QString& reference, TDataSet*& dataSet,
                          QString& fieldName);
// The field's value for a report (the data set opened when closed): 64-bit
// integers as text; Null as "" for texts, false for booleans, 0 otherwise.
QVariant rpGetFieldValue(TField* field);
// FIELDISNULL: true also when the reference names no field.
bool rpIsFieldNull(const TrpReportBase* report, const QString& reference);

// "NT": every system the program runs on is of the NT line.
QString rpGetWindowsVersion();
// "," and "." both count as the decimal separator; blanks around are allowed.
// Other text raises ErpConversionError.
double rpStrToFloat(const QString& text);
QString rpRemoveQuotes(const QString& text);
void rpSplitBySemicolon(const QString& text, QStringList& list);
// The engine's string of that number (empty when there is none).
QString rpLoadStr(int id);
// Line feed, carriage return, double quote, "&", "<" and ">" as "&#<code>;".
QString rpStrToXML(const QString& text);
// The whole device content from position 0 in upper-case hexadecimal; the
// device is left at its end.
QString rpStreamToHex(QIODevice& stream);
// UTF-8 with each 16-bit code unit encoded by itself.
QByteArray rpWideToUTF8(const QString& text);
// "#RRGGBB"; system colours resolved to their current values.
QString rpColorToHTML(TColor color);
