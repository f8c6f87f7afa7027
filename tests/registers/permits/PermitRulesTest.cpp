#include "registers/permits/PermitRules.h"
#include <gtest/gtest.h>

namespace {

QVariant Day(int month, int day, int year = 2026) { return QDate(year, month, day); }

TEST(PermitRulesTest, LastYearsPermitsWarnWhenOneIsOutOrCameBackAfterTheFifteenthOfJanuary) {
  const struct {
    QList<QVariant> returned;
    QVariant shown;
    bool warning;
  } cases[] = {
      {{Day(1, 15)}, Day(1, 15), false},
      {{Day(1, 16)}, Day(1, 16), true},
      {{QVariant()}, QVariant(), true},
      {{}, QVariant(), false},
      // Every permit counts, not only the first.
      {{Day(1, 10), QVariant()}, QVariant(), true},
      {{Day(1, 10), Day(2, 1)}, Day(2, 1), true},
      {{Day(12, 30, 2025), Day(1, 5)}, Day(1, 5), false},
  };
  for (const auto& c : cases) {
    const TPermitReturnCheck check = CheckPermitReturns(c.returned, 2026);
    EXPECT_EQ(check.Shown, c.shown) << c.returned.size();
    EXPECT_EQ(check.Warning, c.warning) << c.shown.toString().toStdString();
  }
}

TEST(PermitRulesTest, WorkDutyIsShortOnlyForAMemberWhoMustDoItAndFinesOnlyAboveZero) {
  EXPECT_TRUE(WorkDutyShort(true, 7.5, 8));
  EXPECT_FALSE(WorkDutyShort(true, 8, 8));
  EXPECT_FALSE(WorkDutyShort(false, 0, 8));
  EXPECT_FALSE(WorkDutyShort(true, 0, 0));
  EXPECT_TRUE(FinesDue(0.01));
  EXPECT_FALSE(FinesDue(0));
  EXPECT_FALSE(FinesDue(-5));
}

TEST(PermitRulesTest, ValidityFollowsTheKind) {
  const QDate sale(2026, 5, 10);
  const struct {
    int kind;
    QDate od, to;
    bool odEditable;
  } cases[] = {
      {vkWeek, sale, QDate(2026, 5, 17), true},
      {vkWeekGuest, sale, QDate(2026, 5, 17), true},
      {vkDay, sale, sale, true},
      {vkDayGuest, sale, sale, true},
      {vkSeason, QDate(2026, 1, 1), QDate(2026, 12, 31), false},
      {vkSeasonGuest, QDate(2026, 1, 1), QDate(2026, 12, 31), false},
  };
  for (const auto& c : cases) {
    const TValidityPeriod period = ValidityForKind(c.kind, sale, 2026);
    EXPECT_TRUE(period.Known) << c.kind;
    EXPECT_EQ(period.Od, c.od) << c.kind;
    EXPECT_EQ(period.Do, c.to) << c.kind;
    EXPECT_EQ(period.OdEditable, c.odEditable) << c.kind;
  }
  EXPECT_FALSE(ValidityForKind(4, sale, 2026).Known);
  // "od" moved to 12 May: a week runs to 19 May, a day is that day; a season does not follow.
  EXPECT_EQ(ValidityEnd(vkWeek, QDate(2026, 5, 12)), QDate(2026, 5, 19));
  EXPECT_EQ(ValidityEnd(vkDayGuest, QDate(2026, 5, 12)), QDate(2026, 5, 12));
  EXPECT_FALSE(ValidityEnd(vkSeason, QDate(2026, 5, 12)).isValid());
}

TEST(PermitRulesTest, TheGroundProposesItsItemOfTheValidityKind) {
  const TGroundPrices prices{11, 12, 13, QVariant(), 22, 23};
  EXPECT_EQ(ProposedPriceItem(vkDayGuest, prices), QVariant(22));
  EXPECT_EQ(ProposedPriceItem(vkSeason, prices), QVariant(11));
  EXPECT_EQ(ProposedPriceItem(vkWeekGuest, prices), QVariant(23));
  // None of the kind, or a kind without proposal: nothing.
  EXPECT_TRUE(ProposedPriceItem(vkSeasonGuest, prices).isNull());
  EXPECT_TRUE(ProposedPriceItem(0, prices).isNull());
  EXPECT_TRUE(ProposedPriceItem(vkDay, TGroundPrices{}).isNull());
}

TEST(PermitRulesTest, CashRowNameLeavesEmptyPartsOutAndFitsItsColumn) {
  EXPECT_EQ(CashRowName(QStringLiteral("Novák"), QStringLiteral("Ján"), QString()), QStringLiteral("Novák Ján"));
  EXPECT_EQ(CashRowName(QStringLiteral(" Nováková "), QString(), QStringLiteral("Ing.")),
            QStringLiteral("Nováková Ing."));
  EXPECT_EQ(CashRowName(QString(), QString(), QString()), QString());
  const QString longName =
      CashRowName(QString(25, QLatin1Char('P')), QString(25, QLatin1Char('M')), QStringLiteral("RNDr."));
  EXPECT_EQ(longName.size(), 50);
  EXPECT_TRUE(longName.startsWith(QString(25, QLatin1Char('P')) + QLatin1Char(' ')));
}

TEST(PermitRulesTest, TheGroundsOfTheCouncilOrTheOwnBranchAndNoneWithoutTheSetting) {
  EXPECT_EQ(GroundOwner(kUnionGuestPermits, 7, 3), QVariant(7));
  EXPECT_EQ(GroundOwner(kBranchGuestPermits, 7, 3), QVariant(3));
  EXPECT_FALSE(GroundOwner(kUnionGuestPermits, QVariant(), 3).isValid());
  EXPECT_FALSE(GroundOwner(kBranchGuestPermits, 7, QVariant()).isValid());
  EXPECT_TRUE(MissingGroundOwnerText(kUnionGuestPermits).contains(QStringLiteral("Rada JUX")));
}

} // namespace
