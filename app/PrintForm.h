#pragma once
#include <QtCore/QString>
#include <functional>
#include <memory>

class TIBQuery;
class TIBTransaction;

// What a print hands the print form: the form's transaction and its queries
// (ib1 the master, ib2 ... details following ib1's JEDIN), the report's title
// and template, the dictionary's data-set aliases ("ib1" -> "MASTER") and its
// variables (values are expressions of the report language; a name that
// begins with a blank is a category). The report engine provides the real
// form; tests install a recording one.
class IPrintForm {
public:
  virtual ~IPrintForm() = default;
  virtual TIBTransaction& Transaction() = 0;
  // ib1 (1) to ib6 (6), all on the main connection in Transaction().
  virtual TIBQuery& Query(int number) = 0;
  // Makes detail query `number` take its :JEDIN from the master's current row.
  virtual void LinkDetail(int number) = 0;
  virtual void SetTitle(const QString& title) = 0;
  // A bare file name ("ClenZoznam.rpf"); LoadReport finds it in the report folders.
  virtual void SetTemplateName(const QString& fileName) = 0;
  virtual void LoadReport() = 0;
  virtual void ClearAliases() = 0;
  virtual void SetAlias(const QString& dataSetName, const QString& alias) = 0;
  virtual void ClearVariables() = 0;
  // Adds the name at the end, or overwrites the value of an existing name.
  virtual void SetVariable(const QString& name, const QString& value) = 0;
  // Preview, print or designer; returns when the user closed it.
  virtual void ShowModal() = 0;
  // False when the last ShowModal ended without previewing, printing or
  // designing the report: closed with Esc, or the report could not be built
  // (its error was shown).
  virtual bool Completed() const { return true; }
};

using TPrintFormFactory = std::function<std::unique_ptr<IPrintForm>()>;
// The report engine installs its print form here; without one, prints are
// refused with a message (CreatePrintForm returns null).
void SetPrintFormFactory(TPrintFormFactory factory);
std::unique_ptr<IPrintForm> CreatePrintForm();

// A text constant of the report language: in single quotes, each quote doubled.
QString ReportStringLiteral(const QString& text);
