#pragma once
#include "core/Exception.h"
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <memory>
#include <vector>

class TDataSet;
class TrpDataset;
class TrpReportBase;
class TrpRunContext;

// The process-wide registries that other parts of the program fill at
// start-up (export filters, function libraries), and the shared routines of
// the engine's object unit. Each registry holds at most 64 entries; a 65th is
// refused (the add answers false).

constexpr int kRegistryCapacity = 64;

// Raised when a name finds a component of the wrong class.
class ErpInvalidType : public Exception {
public:
  using Exception::Exception;
};

// A library of functions that expressions may call. Libraries are created by
// the registry through their meta-object, so each subclass declares Q_OBJECT
// and a Q_INVOKABLE constructor without arguments.
// Arguments arrive as the texts of the argument expressions; a library
// evaluates one through the parser of the run that calls it when it needs its value.
class TrpFunctionLibrary : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  // Looks the name up in List (ignoring case, first match); when found runs
  // ExecuteFunction with its position and answers true.
  virtual bool HandleFunction(TrpRunContext& run, const QString& name, const QString& p1, const QString& p2,
                              const QString& p3, QVariant& val);
  // The function of that position in List; the base knows none.
  virtual void ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString& p2, const QString& p3,
                               QVariant& val) {}
  // Hands the description ("NAME(<Args>)/Explanation") to the installed functions.
  void AddDescription(const QString& name, const QString& category, const QString& description);

  QStringList List;
};

struct TrpExportFilterInfo {
  QObject* Filter; // not owned
  QString Description;
  QString Mask;
};

class TrpExportFilterRegistry {
public:
  // False (nothing added) when a filter of the same class with the same mask
  // is registered, or the registry is full.
  bool Add(QObject* filter, const QString& description, const QString& mask);
  // Removes the last entry whose filter has the class of `filter`.
  void Remove(const QObject* filter);
  const QList<TrpExportFilterInfo>& Entries() const { return entries_; }

private:
  QList<TrpExportFilterInfo> entries_;
};

class TrpInstalledFunctions;

class TrpFunctionLibraryRegistry {
public:
  explicit TrpFunctionLibraryRegistry(TrpInstalledFunctions& installed) : installed_(installed) {}
  // Creates and appends a library of the class unless one of that class is
  // registered; false when nothing was added.
  bool Add(const QMetaObject& libraryClass);
  // Frees every library of the class and drops its function descriptions.
  void Remove(const QMetaObject& libraryClass);
  const std::vector<std::unique_ptr<TrpFunctionLibrary>>& Libraries() const { return libraries_; }

private:
  TrpInstalledFunctions& installed_;
  std::vector<std::unique_ptr<TrpFunctionLibrary>> libraries_;
};

// The registries of the running engine.
bool rpAddExportFilter(QObject* filter, const QString& description, const QString& mask);
void rpRemoveExportFilter(const QObject* filter);
bool rpAddFunctionLibrary(const QMetaObject& libraryClass);
void rpRemoveFunctionLibrary(const QMetaObject& libraryClass);
void rpAddFunctionDescription(TrpFunctionLibrary* library, const QString& name, const QString& category,
                              const QString& description);

// The program data set that field references without a data-set part refer
// to: by the type of the band the report is printing, the data set of its
// current page's master (types 0-6, 16, 17), detail (8, 9), subdetail (11, 12) or
// cross (19, 20) data band, else the report's own; null unless that is a
// database walker (or there is no report).
TDataSet* rpGetDefaultDataSet(const TrpReportBase* report);
// The data band type whose data set a band of the type uses, -1 for the report's.
int rpDataBandTypeOf(int bandType);
// The walker a band's data-source text names, initialised: a text that starts
// with 1-9 is a record count (a new user data set the caller owns, `created`
// set; raises ErpConversionError when not a number); else the TrpDataset of
// that name on the report's owner (another class raises
// ErpInvalidType), null when there is none.
TrpDataset* rpResolveBandDataSource(const TrpReportBase* report, const QString& text, bool& created);

// Runs the object's ListProperties when its property list is empty.
template <class TObject> void rpEnsurePropertyList(TObject* object) {
  if (object && object->PropertyList().isEmpty()) object->ListProperties();
}

// Each character as two upper-case hexadecimal digits (the report password in templates).
QString rpHexEncode(const QString& text);
// Pairs of digits back to characters; a last odd character is ignored, nothing validated.
QString rpHexDecode(const QString& text);
