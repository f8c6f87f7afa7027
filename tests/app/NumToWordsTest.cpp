#include "app/NumToWords.h"
#include <gtest/gtest.h>

namespace {

struct WordsCase {
  qint64 number;
  const char* words; // UTF-8
};

class NumberToSlovakWordsTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(NumberToSlovakWordsTest, WritesTheNumberInWords) {
  const WordsCase& c = GetParam();
  EXPECT_EQ(NumberToSlovakWords(c.number), QString::fromUtf8(c.words)) << c.number;
}

const WordsCase kWordsCases[] = {
    {0, ""},
    {1, "jeden"},
    {10, "desať"},
    {19, "deväťnásť"},
    {21, "dvadsaťjeden"},
    {90, "deväťdesiat"},
    {100, "jednosto"},
    {101, "jednostojeden"},
    {200, "dvesto"},
    {999, "deväťstodeväťdesiatdeväť"},
    {1000, "jedentisíc"},
    {1100, "jedentisícsto"},
    {2000, "dvetisíc"},
    {4000, "štyritisíc"},
    {5000, "päťtisíc"},
    {10000, "desaťtisíc"},
    {12345, "dvanásťtisíctristoštyridsaťpäť"},
    {21000, "dvadsaťjedentisíc"},
    {100000, "jednostotisíc"},
    {200000, "dvestotisíc"},
    {101000, "jednostojedentisíc"},
    {1000000, "jedenmilión"},
    {3000000, "trimilióny"},
    {1000100, "jedenmiliónsto"},
    {15000000, "pätnásťmiliónov"},
    {20000000, "dvadsaťmiliónov"},
    {100000000, "jednostomiliónov"},
    {121001001, "jednostodvadsaťjedenmiliónovjedentisícjeden"},
    {1000000000, "jednamiliarda"},
    {1000000001, "jednamiliardajeden"},
    {1100000000, "jednamiliardastomiliónov"},
    {2000000000, "dvemiliardy"},
    {3000000000, "trimiliardy"},
    {4000000005, "štyrimiliardypäť"},
    {5000000000, "päťmiliárd"},
    {19999999999,
     "deväťnásťmiliárddeväťstodeväťdesiatdeväťmiliónovdeväťstodeväťdesiatdeväťtisícdeväťstodeväťdesiatdeväť"},
    {20000000000, "!!!!! veľké číslo !!!!!"},
    {9223372036854775807, "!!!!! veľké číslo !!!!!"},
};

INSTANTIATE_TEST_SUITE_P(Table, NumberToSlovakWordsTest, ::testing::ValuesIn(kWordsCases));

} // namespace
