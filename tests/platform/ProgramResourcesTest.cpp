#include "platform/base/ProgramResources.h"
#include "platform/base/ProgramVersion.h"
#include <gtest/gtest.h>

namespace {

TEST(ProgramResourcesTest, TextsKeepTheirExactCrLfLayout) {
  struct Case {
    QString name;
    QString text;
  };
  const Case cases[] = {
      {QStringLiteral("ERR1001"), QStringLiteral("Povinný údaj. Položka musí byť zadaná!\r\n")},
      {QStringLiteral("ERR1004"), QStringLiteral("Takáto položka už existuje!\r\nDuplicity nie sú povolené.\r\n")},
      {QStringLiteral("ERR1019"), QStringLiteral("Zadaný údaj sa nenachádza v číselníku!")},
      {QStringLiteral("IBERR335544569"),
       QStringLiteral("Neplatný príkaz SQL.\r\n\r\nChybové hlásenie:\r\n-----------------\r\n\r\n")},
      {QStringLiteral("ERR9999"), QString()},
      {QStringLiteral("../ERR1001"), QString()},
      {QString(), QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    EXPECT_EQ(ProgramResources::Text(c.name), c.text);
  }
  EXPECT_EQ(ProgramResources::NumberedMessageText(1012),
            QStringLiteral("Záznam bol vymazaný iným užívateľom v sieti !\r\n"));
  EXPECT_EQ(ProgramResources::DatabaseErrorText(335544344),
            QStringLiteral("Chybná cesta k databáze. Kontaktujte správcu systému."));
}

TEST(ProgramResourcesTest, VersionMessagesTakeTwoIntegers) {
  for (int number : {3009, 3010, 3020}) {
    const QString text = ProgramResources::NumberedMessageText(number);
    SCOPED_TRACE(number);
    EXPECT_EQ(text.count(QStringLiteral("%d")), 2);
    EXPECT_TRUE(text.endsWith(QStringLiteral("autora programu.\r\n")));
  }
}

TEST(ProgramVersionTest, ThirdNumberIsTheSchemaVersion) {
  const TProgramVersion version = ProgramVersion();
  EXPECT_EQ(version.Major, 1);
  EXPECT_EQ(SupportedSchemaVersion(), version.Release);
  EXPECT_EQ(
      version.Text(),
      QStringLiteral("%1.%2.%3.%4").arg(version.Major).arg(version.Minor).arg(version.Release).arg(version.Build));
  EXPECT_EQ((TProgramVersion{1, 2, 30, 4}.Text()), QStringLiteral("1.2.30.4"));
}

} // namespace
