#include "tests/db/DbTestSupport.h"

namespace {

class IBQueryTest : public DbTest {};

TEST_F(IBQueryTest, SlovakTextRoundTripsExactly) {
  const QString text = QStringLiteral("áäčďéíĺľňóôŕšťúýžÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ");
  Exec(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV, POZNAMKA) VALUES (1, :N, :P)"),
       {{QStringLiteral("N"), text}, {QStringLiteral("P"), text}});
  EXPECT_EQ(Scalar(QStringLiteral("SELECT NAZOV FROM T_TEXT")).toString(), text);
  EXPECT_EQ(Scalar(QStringLiteral("SELECT POZNAMKA FROM T_TEXT")).toString(), text);
  EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_TEXT WHERE NAZOV = :N"), {{QStringLiteral("N"), text}}).toInt(), 1);
}

} // namespace
