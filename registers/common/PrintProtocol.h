#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtCore/QVariantMap>
#include <utility>

class TListPattern;

// One print of a register from a template.
//
// The print form's queries ib1 .. ib6 are filled in this order: the master
// (when MasterSql is set; alias "MASTER"), its details (take ":JEDIN" from
// the master's current row), then the independent data sets. Every query
// gets its own values; a ":ZARADENIE" parameter anywhere, also in a
// stored-procedure call ("select * from sp_x(:ZARADENIE)"), gets the tag.
//
// A list's print stores the list's selection under the tag first (the
// master joins "temp_spracuj x" with SelectionSetWhere()); a print from a
// dialog stores none and usually has only data sets.
struct TRegisterPrint {
  struct TDetail {
    QString Alias; // "DETAIL", "DETAIL_KONTROLORI", ...
    QStringList Sql;
  };
  // An independent data set: its alias ("SUCET_ZDROJE"), SQL and values.
  struct TDataSet {
    QString Alias;
    QStringList Sql;
    QVariantMap Params;
  };
  // A report variable: a text becomes a quoted text constant, a number
  // (integer or floating) a number constant.
  struct TVariable {
    QString Name;
    QVariant Value;
  };
  // Variables under one category; a category name begins with a blank
  // (" Nastavenia", " Special_Data"). Variables of " Nastavenia" follow "Rok".
  struct TVariableCategory {
    QString Name;
    QList<TVariable> Variables;
  };
  // Variables of one category read from the first row of a query in the
  // print's own transaction, before the data sets open (a summary's totals):
  // each (column, variable) pair takes the column's value.
  struct TQueryVariables {
    QString Category;
    QStringList Sql;
    QVariantMap Params;
    QList<std::pair<QString, QString>> Columns;
  };
  // When the print says "Nie sú údaje pre tlač." instead of showing the form.
  enum class TNoData {
    FirstEmpty, // the master (or, without one, the first data set) has no row
    AllEmpty,   // no query of the print has a row
    LastEmpty,  // the last data set has no row (the list under a heading)
  };
  static constexpr int kMaxQueries = 6;

  // A list's print of `templateName` titled `title`, its selection kept under `tag`.
  static TRegisterPrint Of(const QString& tag, const QString& title, const QString& templateName);

  QString Tag;
  bool AllRows = true;
  QString Title;
  QString Template;
  QStringList MasterSql;
  QVariantMap Params;
  QList<TDetail> Details;
  QList<TDataSet> DataSets;
  // The variables the report gets; with none of them, the template keeps its own.
  bool YearVariable = true;
  bool OrganizationVariables = true;
  QList<TVariableCategory> Variables;
  // Set after the categories above.
  QList<TQueryVariables> QueryVariables;
  TNoData NoData = TNoData::FirstEmpty;
};

// The master query's condition that keeps "temp_spracuj x" to this
// connection's selection set; the print protocol binds the print's tag.
QString SelectionSetWhere();

// The print protocol of a list: stores the list grid's selection under the
// tag (the marked rows the list shows, else every row or the current row),
// then prints as the dialog's PrintRegister below with the list's year.
bool PrintRegister(TListPattern& list, const TRegisterPrint& print);

// The print protocol: fills the print form (title, template, the aliases of
// master, details and data sets, the variables " Nastavenia" with "Rok" =
// `rok`, " Organizacia" with the organisation and the print's own
// categories, as the print asks), opens the queries and shows the form; when
// the print's no-data rule holds it says "Nie sú údaje pre tlač." instead.
// Returns true only when the form previewed, printed or designed the report;
// false when there was no print form, no data, a database error, a failed
// build or an Esc. Errors: roll back, the database-error handler, raised
// again when it did not report them. More queries than the print form holds
// (kMaxQueries) throw std::invalid_argument before anything is done.
bool PrintRegister(const TRegisterPrint& print, quint16 rok);
