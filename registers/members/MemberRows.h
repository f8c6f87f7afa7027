#pragma once
#include <QtCore/QDate>
#include <QtCore/QList>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QVariantMap>
#include <optional>

class TIBQuery;

// What the member registers' forms read beside their own rows. Each runs on
// the caller's query in the caller's unit of work and leaves it closed.

// The register's persons and, of them, the members of year `rok` (a
// membership fee paid that year).
struct TMemberCounts {
  qint64 All = 0;
  qint64 Members = 0;
};
TMemberCounts CountMembers(TIBQuery& q, int rok);

// The hours of work duty member `clen` did in year `rok` (0 with none).
double WorkDutyHours(TIBQuery& q, int clen, int rok);

// A membership fee the member paid in year `rok`: its amount and the date of
// its payment (invalid when the payment has none); none when not paid.
struct TMembershipFee {
  double Amount = 0;
  QDate Paid;
};
std::optional<TMembershipFee> MembershipFee(TIBQuery& q, int clen, int rok);

// Whether the member has any interrupted membership year.
bool HasInterruptedYears(TIBQuery& q, int clen);

// An inspection's guard row: its key and the guard (c_clenov_rs) it names.
struct TInspectionGuard {
  int Row = 0;
  int Guard = 0;
};
// The guard rows of inspection `inspection`.
QList<TInspectionGuard> InspectionGuards(TIBQuery& q, int inspection);
// The guards that are the inspector of a person checked by the inspection.
QSet<int> InspectionInspectors(TIBQuery& q, int inspection);

// A new mail's number in year :ROK: one past the highest of the year, else 1.
QString NextMailNumberSql();

// The member import's writes, in the caller's unit of work.

// The generator of the members' keys.
QString MemberKeyGenerator();
// Deletes every member and starts their keys again from 1. Whether a rollback
// takes the generator back depends on the server.
void DeleteAllMembers(TIBQuery& q);
// Inserts a member under the next key: `values` by column (TITUL, MENO,
// PRIEZVISKO, ULICA, MESTO, PSC, DATUM_NARODENIA, CISLO_LEGITIMACIE,
// VSTUP_JUX, VSTUP_ZO, SKOLENIE_USKUTOCNENE, SKOLENIE_DATUM,
// BRIGADA_VYZADOVAT, PRACOVNE_ZARADENIE, POVOLANIE, POZNAMKA, TELEFON,
// CLEN_OBO), every one of them given. The statement is prepared once for a
// run of inserts on the same query.
void InsertMember(TIBQuery& q, const QVariantMap& values);
// The highest member key, 0 with no member.
qint64 HighestMemberKey(TIBQuery& q);
