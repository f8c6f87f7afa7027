#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantMap>

class TListPattern;

// One print of a register from a template: the selection set's fixed tag,
// whether an unmarked list prints every row (else the current row), the
// report's title and template, and the master query (its lines, joined to
// temp_spracuj x on this connection; a ":ZARADENIE" parameter gets the tag)
// with its values. Details become ib2 and ib3 with the given aliases and
// take ":JEDIN" from the master's current row.
struct TRegisterPrint {
  struct TDetail {
    QString Alias; // "DETAIL", "DETAIL_KONTROLORI", ...
    QStringList Sql;
  };
  QString Tag;
  bool AllRows = true;
  QString Title;
  QString Template;
  QStringList MasterSql;
  QVariantMap Params;
  QList<TDetail> Details;
  // The variables the report gets; with neither, the template keeps its own.
  bool YearVariable = true;
  bool OrganizationVariables = true;
};

// The master query's condition that keeps "temp_spracuj x" to this
// connection's selection set; the print protocol binds the print's tag.
QString SelectionSetWhere();

// The print protocol of a list: stores the list grid's selection under the
// tag (the marked rows the list shows, else every row or the current row),
// fills the print form (title, template, aliases "ib1" -> "MASTER" and the
// details', the variables " Nastavenia" with "Rok", the list's year, and
// " Organizacia" with the organisation, as the print asks), opens the queries and shows the form; an
// empty master says "Nie sú údaje pre tlač." instead. Returns true only when
// the form previewed, printed or designed the report; false when there was
// no print form, no data, a database error, a failed build or an Esc. Errors: roll back,
// the database-error handler, raised again when it did not report them.
bool PrintRegister(TListPattern& list, const TRegisterPrint& print);
