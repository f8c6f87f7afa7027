#include "registers/permits/PermitRules.h"
#include <QtCore/QStringList>

TPermitReturnCheck CheckPermitReturns(const QList<QVariant>& returned, int rok) {
  TPermitReturnCheck check;
  if (returned.isEmpty()) return check;
  QDate latest;
  for (const QVariant& date : returned) {
    if (date.isNull() || !date.toDate().isValid()) {
      // One permit still out: nothing to show but the warning.
      check.Warning = true;
      return check;
    }
    latest = std::max(latest, date.toDate());
  }
  check.Shown = latest;
  check.Warning = latest > QDate(rok, 1, 15);
  return check;
}

bool WorkDutyShort(bool required, double hours, int prescribedHours) { return required && hours < prescribedHours; }

bool FinesDue(double unpaid) { return unpaid > 0; }

TValidityPeriod ValidityForKind(int kind, const QDate& saleDate, int rok) {
  TValidityPeriod period;
  switch (kind) {
  case vkSeason:
  case vkSeasonGuest:
    period = {true, QDate(rok, 1, 1), QDate(rok, 12, 31), false};
    break;
  case vkDay:
  case vkDayGuest:
  case vkWeek:
  case vkWeekGuest:
    period = {true, saleDate, ValidityEnd(kind, saleDate), true};
    break;
  default:
    break;
  }
  return period;
}

QDate ValidityEnd(int kind, const QDate& od) {
  switch (kind) {
  case vkDay:
  case vkDayGuest:
    return od;
  case vkWeek:
  case vkWeekGuest:
    return od.isValid() ? od.addDays(7) : QDate();
  default:
    return {};
  }
}

QVariant ProposedPriceItem(int kind, const TGroundPrices& prices) {
  static constexpr int kKinds[] = {vkSeason, vkDay, vkWeek, vkSeasonGuest, vkDayGuest, vkWeekGuest};
  for (size_t i = 0; i < prices.size(); ++i)
    if (kKinds[i] == kind && !prices[i].isNull() && prices[i].isValid()) return prices[i];
  return {};
}

QString CashRowName(const QString& priezvisko, const QString& meno, const QString& titul) {
  QStringList parts;
  for (const QString& part : {priezvisko, meno, titul})
    if (!part.trimmed().isEmpty()) parts.append(part.trimmed());
  return parts.join(QLatin1Char(' ')).left(50);
}

const TGuestRegister kUnionGuestPermits = {1,
                                           "Platby za hosťovacie povolenky JUX",
                                           "Pridanie hosťovacej povolenky JUX",
                                           "Oprava hosťovacej povolenky JUX",
                                           true,
                                           true,
                                           "",
                                           vkSeason,
                                           true};
const TGuestRegister kBranchGuestPermits = {2,
                                            "Platby za hosťovacie povolenky ZO",
                                            "Pridanie hosťovacej povolenky ZO",
                                            "Oprava hosťovacej povolenky ZO",
                                            false,
                                            false,
                                            "2,3,12,13",
                                            0,
                                            false};

QVariant GroundOwner(const TGuestRegister& reg, const QVariant& council, const QVariant& ownBranch) {
  return OrganisationKey(reg.GroundsOfCouncil ? council : ownBranch);
}

QVariant OrganisationKey(const QVariant& setting) {
  if (setting.isNull() || !setting.isValid() || setting.toInt() == 0) return {};
  return setting.toInt();
}

QString MissingGroundOwnerText(const TGuestRegister& reg) {
  return reg.GroundsOfCouncil
             ? QStringLiteral(
                   "V nastaveniach programu nie je zadaná \"Rada JUX:\", preto nie je možné ponúknuť revíry.")
             : QStringLiteral("V nastaveniach programu nie je zadaná \"ZO JUX:\" (vlastná ZO), preto nie je možné "
                              "ponúknuť revíry.");
}
