// The accounting registers' statements run on the embedded database: the
// numbers a new movement or invoice is offered, what a payment takes from
// the invoice it pays, and the lists' selects with their parameters.
#include "registers/accounting/AccountingQueries.h"
#include "registers/common/ListPattern.h"
#include "tests/registers/accounting/AccountingTestSupport.h"
#include "tests/support/SqlTestRoutines.h"
#include <QtCore/QRegularExpression>

namespace {

class AccountingQueriesTest : public AccountingTest {
protected:
  void SetUp() override {
    AccountingTest::SetUp();
    AddKinds();
    for (int rok : {2025, 2026}) {
      cash.append(AddKind(rok, QStringLiteral("PD"), QStringLiteral("Príjmový doklad"), 1));
      AddKind(rok, QStringLiteral("BV"), QStringLiteral("Bankový výpis"), 1);
    }
  }
  QList<int> cash; // the cash receipt kinds of 2025 and 2026
  QString First(const QString& sql, const QVariantMap& params) const { return Rows(sql, params).value(0); }
  // The first row of a select, column name to value; empty without a row.
  QVariantMap Row(const QString& sql, const QVariantMap& params) const {
    TTestStatement statement(db.get(), sql, params);
    TIBQuery& query = statement.Query();
    query.Open();
    QVariantMap row;
    if (!query.IsEmpty())
      for (const auto& field : query.Fields())
        row.insert(field->FieldName(), field->AsVariant());
    return row;
  }
  // The rows of a list's query as the module fills it, in `order`.
  QStringList Listed(const std::function<void(TListQuery&)>& select, const QString& order) const {
    TListQuery q;
    select(q);
    return Rows(q.Text() + QStringLiteral("\norder by ") + order, q.Params);
  }
};

TEST_F(AccountingQueriesTest, ACashReceiptTakesTheNextNumberABankMovementContinuesTheLatestStatement) {
  for (const auto& [rok, p1, p2] : {std::tuple{2026, 1, 1}, {2026, 2, 1}, {2025, 9, 1}})
    AddMovement({.Rok = rok, .Druh = QStringLiteral("PD"), .P1 = p1, .P2 = p2});
  for (int p2 : {1, 2})
    AddMovement({.Typ = 2, .Druh = QStringLiteral("BV"), .P1 = 4, .P2 = p2});
  const struct {
    bool bank;
    const char* druh;
    int rok;
    QString number;
  } numbers[] = {
      {false, "PD", 2026, QStringLiteral("3")}, {false, "PD", 2025, QStringLiteral("10")},
      {true, "BV", 2026, QStringLiteral("4")},  {false, "XX", 2026, QStringLiteral("1")},
      {true, "XX", 2026, QStringLiteral("1")},
  };
  for (const auto& c : numbers)
    EXPECT_EQ(First(NextMovementNumberSql(c.bank),
                    {{QStringLiteral("ROK"), c.rok}, {QStringLiteral("DD"), QString::fromLatin1(c.druh)}}),
              c.number)
        << c.druh << ' ' << c.rok;
  const struct {
    const char* druh;
    int p1;
    QString item;
  } items[] = {{"BV", 4, QStringLiteral("3")}, {"PD", 2, QStringLiteral("2")}, {"PD", 7, QStringLiteral("1")}};
  for (const auto& c : items)
    EXPECT_EQ(First(NextMovementItemSql(), {{QStringLiteral("ROK"), 2026},
                                            {QStringLiteral("DD"), QString::fromLatin1(c.druh)},
                                            {QStringLiteral("P1"), c.p1}}),
              c.item)
        << c.druh << ' ' << c.p1;
  // An invoice's next number in its kind and year.
  AddInvoice({.P1 = 5});
  AddInvoice({.Rok = 2025, .P1 = 40});
  EXPECT_EQ(
      First(NextInvoiceNumberSql(), {{QStringLiteral("ROK"), 2026}, {QStringLiteral("DD"), QStringLiteral("FV")}}),
      QStringLiteral("6"));
  EXPECT_EQ(
      First(NextInvoiceNumberSql(), {{QStringLiteral("ROK"), 2026}, {QStringLiteral("DD"), QStringLiteral("FP")}}),
      QStringLiteral("1"));
}

TEST_F(AccountingQueriesTest, APaymentTakesTheInvoicesOpenAmountAndThePartnerOfItsSide) {
  const int issued = AddInvoice({.P1 = 7, .Spolu = 120});
  const int received = AddInvoice({.Typ = 21, .Druh = QStringLiteral("FP"), .P1 = 3, .Spolu = 80});
  const struct {
    int invoice, typ;
    QString doklad;
    int uhrada; // receivable less liability
    QString nazov, mesto, ico;
  } cases[] = {
      {issued, 11, QStringLiteral("FV-7/2026 - Odberateľ, Košice"), 120, QStringLiteral("Odberateľ"),
       QStringLiteral("Košice"), QStringLiteral("111")},
      {received, 21, QStringLiteral("FP-3/2026 - Dodávateľ, Prešov"), -80, QStringLiteral("Dodávateľ"),
       QStringLiteral("Prešov"), QStringLiteral("222")},
  };
  for (const auto& c : cases) {
    const QVariantMap key{{QStringLiteral("JEDIN"), c.invoice}};
    EXPECT_EQ(First(InvoiceTypeSql(), key), QString::number(c.typ));
    const QVariantMap ledger =
        Row(LedgerItemSql(), {{QStringLiteral("ROK"), 2026}, {QStringLiteral("JEDIN"), c.invoice}});
    EXPECT_EQ(ledger.value(QStringLiteral("DOKLAD")).toString(), c.doklad);
    EXPECT_EQ(qRound(ledger.value(QStringLiteral("UHRADA")).toDouble()), c.uhrada);
    EXPECT_EQ(ledger.value(QStringLiteral("TYP")).toInt(), c.typ);
    const QVariantMap partner = Row(InvoicePartnerSql(c.typ), key);
    EXPECT_EQ(partner.value(QStringLiteral("NAZOV")).toString(), c.nazov);
    EXPECT_EQ(partner.value(QStringLiteral("MESTO")).toString(), c.mesto);
    EXPECT_EQ(partner.value(QStringLiteral("ICO")).toString(), c.ico);
  }
  // Not an open item of another year.
  EXPECT_TRUE(Rows(LedgerItemSql(), {{QStringLiteral("ROK"), 2025}, {QStringLiteral("JEDIN"), issued}}).isEmpty());
}

TEST_F(AccountingQueriesTest, TheListsShowTheirYearAndTypeAndAPartnerFromThePartsPresent) {
  AddInvoice({.P1 = 1});
  AddInvoice({.P1 = 2, .OdbNazov = QString()});
  AddInvoice({.P1 = 3, .OdbMesto = QString()});
  AddInvoice({.Rok = 2025, .P1 = 4});
  AddInvoice({.Typ = 21, .Druh = QStringLiteral("FP"), .P1 = 5});
  QStringList partners;
  for (const QString& row : Listed([](TListQuery& q) { SelectInvoices(q, 2026, 11, 19); }, QStringLiteral("a.p1")))
    partners.append(row.section(QLatin1Char('/'), 0, 1) + QLatin1Char('/') + row.section(QLatin1Char('/'), 3, 3));
  EXPECT_EQ(partners, QStringList({QStringLiteral("Odberateľ, Košice/111/1"), QStringLiteral("Košice/111/2"),
                                   QStringLiteral("Odberateľ/111/3")}));
  EXPECT_EQ(Listed([](TListQuery& q) { SelectInvoices(q, 2026, 21, 29); }, QStringLiteral("a.p1"))
                .value(0)
                .section(QLatin1Char('/'), 0, 1),
            QStringLiteral("Dodávateľ, Prešov/222"));

  AddMovement({.P1 = 1});
  AddMovement({.Typ = 2, .Druh = QStringLiteral("BV"), .P1 = 2});
  AddMovement({.Rok = 2025, .P1 = 3});
  for (const auto& [typ, druh] : {std::pair{1, "PD"}, {2, "BV"}}) {
    const QStringList rows = Listed([typ = typ](TListQuery& q) { SelectMovements(q, 2026, typ); }, QStringLiteral("1"));
    ASSERT_EQ(rows.size(), 1) << typ;
    EXPECT_EQ(rows[0].section(QLatin1Char('/'), 1, 1), QString::fromLatin1(druh));
  }

  const int kind = cash[1];
  QStringList kinds = Listed(SelectDocumentKinds, QStringLiteral("1"));
  kinds = kinds.filter(QRegularExpression(QStringLiteral("^%1/").arg(kind)));
  ASSERT_EQ(kinds.size(), 1);
  EXPECT_TRUE(kinds[0].startsWith(QStringLiteral("%1/PD/Príjmový doklad/").arg(kind))) << kinds[0].toStdString();
  EXPECT_NE(kinds[0].section(u'/', 3), QString()) << "the kind's type is shown as its text";

  const int partner = AddPartner(QStringLiteral("Rybárske potreby"), QStringLiteral("Nitra"), QStringLiteral("123"));
  EXPECT_EQ(Listed(SelectPartners, QStringLiteral("1")),
            QStringList(QStringLiteral("%1/Rybárske potreby/Hlavná 1/Nitra/123").arg(partner)));
  EXPECT_EQ(First(PartnerIdentitySql(), {{QStringLiteral("JEDIN"), partner}}).section(u'/', 0, 4),
            QStringLiteral("Rybárske potreby/Hlavná 1/04001/Nitra/123"));
}

} // namespace
