#include "core/ColorNames.h"
#include <gtest/gtest.h>

namespace {

TEST(ColorNamesTest, NamesAndNumbersGiveTheStoredColour) {
  struct Case {
    const char* text;
    std::optional<TColor> color;
  };
  const Case cases[] = {
      {"clRed", clRed},           {"CLBTNFACE", clBtnFace}, {" clNone ", clNone},     {"$0000FF", clRed},
      {"0xC0C0C0", clSilver},     {"255", clRed},           {"-16777201", clBtnFace}, {"$FF000005", clWindow},
      {"clRedish", std::nullopt}, {"", std::nullopt},       {"$", std::nullopt},      {"99999999999", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringToColor(QString::fromLatin1(c.text)), c.color) << c.text;
}

} // namespace
