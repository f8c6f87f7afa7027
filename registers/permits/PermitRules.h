#pragma once
#include <QtCore/QDate>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <array>

// The rules of permit payments that need no window: the warnings about a
// member, the validity of a guest permit, the price item a ground proposes,
// the name a cash row carries, and what tells the two guest-permit
// registers apart.

// Last year's permits of a member: the date shown and whether it is a warning.
struct TPermitReturnCheck {
  QVariant Shown; // the latest return date; Null with no permit or one still out
  bool Warning = false;
};
// `returned`: the return date of each of the member's permits (payment type 0)
// of the year before `rok`, Null for one not returned. A warning when one is
// still out or came back after 15 January of `rok`; no permit, no warning.
TPermitReturnCheck CheckPermitReturns(const QList<QVariant>& returned, int rok);
// Work duty is short when the member must do it and did fewer than the prescribed hours.
bool WorkDutyShort(bool required, double hours, int prescribedHours);
// Fines not yet paid.
bool FinesDue(double unpaid);

// Validity kinds of a guest permit (option list 'platnost_povolenky').
enum TValidityKind {
  vkSeason = 1,
  vkDay = 2,
  vkWeek = 3,
  vkSeasonGuest = 11,
  vkDayGuest = 12,
  vkWeekGuest = 13,
};
// The period a validity kind gives: season the whole working year (both
// dates fixed); day and week from the sale date, "od" open for a change and
// "do" following it. `Known` false for a kind without automatic dates.
struct TValidityPeriod {
  bool Known = false;
  QDate Od, Do;
  bool OdEditable = false;
};
TValidityPeriod ValidityForKind(int kind, const QDate& saleDate, int rok);
// "do" after the user changed "od": invalid for a kind whose "do" does not follow.
QDate ValidityEnd(int kind, const QDate& od);

// The price items of a ground, in the order of its columns sezonna, denna,
// tyzdenna, sezonna_cudzi, denna_cudzi, tyzdenna_cudzi (Null where none).
using TGroundPrices = std::array<QVariant, 6>;
// The ground's price item of the validity kind; Null when the ground has
// none of that kind or the kind proposes none.
QVariant ProposedPriceItem(int kind, const TGroundPrices& prices);

// The counterparty name of a cash row written for a permit: surname, first
// name and title, each trimmed, empty ones left out, cut to the column's 50.
QString CashRowName(const QString& priezvisko, const QString& meno, const QString& titul);

// What tells the guest-permit registers of the union and of the branch apart.
struct TGuestRegister {
  int Kind; // TYP_POVOLENKY
  const char* ListCaption;
  const char* AddCaption;
  const char* EditCaption;
  bool HasMember;            // the optional "Člen:" combo
  bool GroundsOfCouncil;     // grounds of the union's council, else of the own branch
  const char* ValidityKinds; // the offered kinds as an SQL list, empty for all
  int NewValidityKind;       // the kind of a new sale, 0 none
  bool ProposesOwnBranch;    // "ZO:" of a new sale
};
extern const TGuestRegister kUnionGuestPermits;
extern const TGuestRegister kBranchGuestPermits;

// An organisation's key as the settings hold it; Null when it is not set.
QVariant OrganisationKey(const QVariant& setting);
// The organisation whose grounds a register offers, from the settings'
// council and own branch; Null when that setting is missing.
QVariant GroundOwner(const TGuestRegister& reg, const QVariant& council, const QVariant& ownBranch);
// The message that names the missing setting of GroundOwner.
QString MissingGroundOwnerText(const TGuestRegister& reg);
