#include "app/MyUnitsForms.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/common/TestRegisters.h"

namespace {

class PermitReceiptTest : public RegisterTest {
protected:
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    RegisterTest::TearDown();
  }
};

TEST_F(PermitReceiptTest, ReceiptsPrintThePaymentsOfTheirOwnSet) {
  std::vector<TRecordedPrint> prints;
  SetPrintFormFactory([&prints] { return std::make_unique<TRecordingPrintForm>(prints); });
  Organizacia.Nazov = QStringLiteral("MO 'Dunaj'");
  const struct {
    int key, type;
    const char* surname;
  } payments[] = {{1, 0, "Base"}, {2, 1, "Guest"}, {3, 2, "Branch"}};
  for (const auto& p : payments)
    Exec(QStringLiteral("insert into e_povolenky (jedin,rok,cislo,typ_povolenky,priezvisko) values (:J,2026,:J,:T,:P)"),
         {{QStringLiteral("J"), p.key},
          {QStringLiteral("T"), p.type},
          {QStringLiteral("P"), QString::fromLatin1(p.surname)}});
  const QString basic = QStringLiteral("FB1E244F-A9DE-4FD8"), guest = QStringLiteral("74FBA026-8F7F-4A58");
  ASSERT_TRUE(TempSpracujClear(basic) && TempSpracujAdd(1, basic));
  ASSERT_TRUE(TempSpracujClear(guest) && TempSpracujAdd(2, guest) && TempSpracujAdd(3, guest) &&
              TempSpracujAdd(1, guest));
  PrintBasicPermitPayment();
  PrintHostPermitPayment();
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(prints[0].Template, QStringLiteral("POV_Zakl.rpf"));
  EXPECT_EQ(prints[0].Title, QStringLiteral("Tlač platby za základné povolenie"));
  EXPECT_EQ(prints[0].Rows, QStringList(QStringLiteral("1")));
  EXPECT_EQ(prints[0].Aliases.size(), 2);
  EXPECT_EQ(prints[1].Template, QStringLiteral("POV_Host.rpf"));
  EXPECT_EQ(prints[1].Rows, QStringList({QStringLiteral("2"), QStringLiteral("3")})); // base permits left out
  EXPECT_TRUE(prints[1].Variables.contains(std::make_pair(QStringLiteral("Nazov"), QStringLiteral("'MO ''Dunaj'''"))));
}

} // namespace
