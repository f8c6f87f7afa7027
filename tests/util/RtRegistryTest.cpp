#include "util/RtRegistry.h"
#include "tests/support/ConfigFolder.h"
#include "util/RtErrors.h"
#include <gtest/gtest.h>

namespace {

class RtRegistryTest : public ::testing::Test {
protected:
  TConfigFolder config_;
  const TRegRoot user_ = TRegRoot::CurrentUser;
  const QString key_ = QStringLiteral("\\Software\\Vimek\\TfrmCClenov");
};

TEST_F(RtRegistryTest, DwordAndStringReadsGiveTheDefaultForOtherTypes) {
  ASSERT_EQ(RegistrySetDefaultValue(user_, key_, QString()), kRegistrySuccess);
  RegistryWriteDword(user_, key_, QStringLiteral("Left"), 120);
  RegistryWriteString(user_, key_, QStringLiteral("Text"), QStringLiteral("77"));
  TRegistry::Root().WriteValue(key_, QStringLiteral("Cut"),
                               TRegValue::String(QStringLiteral("ab") + QChar(0) + QStringLiteral("c")));
  TRegistry::Root().WriteValue(key_, QStringLiteral("Expand"),
                               {TRegValueType::ExpandString, QStringLiteral("%HOME%"), 0});
  const QString k = QStringLiteral("software\\vimek\\tfrmcclenov");
  struct Case {
    const char* name;
    quint32 dword;
    QString text;
  };
  const Case cases[] = {
      {"Left", 120, QStringLiteral("dflt")},   {"LEFT", 120, QStringLiteral("dflt")},
      {"Text", 9, QStringLiteral("77")},       {"Cut", 9, QStringLiteral("ab")},
      {"Expand", 9, QStringLiteral("%HOME%")}, {"", 9, QString()},
      {"Missing", 9, QStringLiteral("dflt")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RegistryReadDword(user_, k, QLatin1String(c.name), 9), c.dword);
    EXPECT_EQ(RegistryReadString(user_, k, QLatin1String(c.name), QStringLiteral("dflt")), c.text);
  }
  EXPECT_EQ(RegistryReadDword(user_, QStringLiteral("Software\\Missing"), QStringLiteral("Left"), 3), 3u);
}

TEST_F(RtRegistryTest, WritesNeedAnExistingKeyAndSubKeysAreListed) {
  try {
    RegistryWriteDword(user_, QStringLiteral("Software\\Vimek\\Nowhere"), QStringLiteral("X"), 1);
    FAIL() << "no error";
  } catch (const ERtRegistryError& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("Unable to open key \"Software\\Vimek\\Nowhere\" for write"));
  }
  EXPECT_FALSE(RegistryKeyExists(user_, QStringLiteral("Software\\Vimek\\Nowhere")));
  QStringList names{QStringLiteral("stale")};
  EXPECT_THROW(RegistrySubKeyNames(user_, QStringLiteral("Software\\Vimek"), names), ERtRegistryError);
  EXPECT_TRUE(names.isEmpty());
  RegistrySetDefaultValue(user_, QStringLiteral("Software\\Vimek\\B"), QString());
  RegistrySetDefaultValue(user_, QStringLiteral("Software\\Vimek\\a"), QString());
  EXPECT_TRUE(RegistryKeyExists(user_, QStringLiteral("\\SOFTWARE\\vimek")));
  ASSERT_TRUE(RegistrySubKeyNames(user_, QStringLiteral("Software\\Vimek"), names));
  EXPECT_EQ(names, QStringList({QStringLiteral("a"), QStringLiteral("B")}));
}

} // namespace
