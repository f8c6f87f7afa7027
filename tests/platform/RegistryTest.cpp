#include "platform/base/Registry.h"
#include "tests/support/ConfigFolder.h"
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace {

// Each test gets its own config folder and a store over it.
class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(config_.IsValid()); }
  QString Path() const { return TRegistry::RootFilePath(TRegRoot::CurrentUser); }

  TConfigFolder config_;
};

TEST_F(RegistryTest, RootLivesUnderTheConfigFolder) {
  EXPECT_TRUE(Path().startsWith(config_.Path() + QStringLiteral("/Vimek/")));
  EXPECT_EQ(TRegistry::Root().FilePath(), Path());
}

TEST_F(RegistryTest, ValuesSurviveANewStoreAndKeysIgnoreCase) {
  {
    TRegistry store(Path());
    ASSERT_TRUE(store.WriteValue(QStringLiteral("\\Software\\Vimek\\TfrmCClenov"), QStringLiteral("Left"),
                                 TRegValue::FromDword(0xFFFFFFFFu), true));
    ASSERT_TRUE(store.WriteValue(QStringLiteral("Software\\Vimek\\TfrmCClenov"), QStringLiteral("Meno"),
                                 TRegValue::String(QStringLiteral("Žltý kôň \"x\"\\ = ;"))));
    ASSERT_TRUE(
        store.WriteValue(QStringLiteral("Software\\Vimek\\TfrmCClenov"), QString(), TRegValue::String(QString())));
  }
  TRegistry reread(Path());
  const QString key = QStringLiteral("software\\VIMEK\\tfrmcclenov");
  EXPECT_TRUE(reread.KeyExists(key));
  EXPECT_EQ(reread.ReadValue(key, QStringLiteral("LEFT")), TRegValue::FromDword(0xFFFFFFFFu));
  EXPECT_EQ(reread.ReadValue(key, QStringLiteral("meno")), TRegValue::String(QStringLiteral("Žltý kôň \"x\"\\ = ;")));
  EXPECT_EQ(reread.ReadValue(key, QString()), TRegValue::String(QString()));
  EXPECT_EQ(reread.ReadValue(key, QStringLiteral("Top")), std::nullopt);
  EXPECT_EQ(reread.ValueNames(key), QStringList({QString(), QStringLiteral("Left"), QStringLiteral("Meno")}));
}

TEST_F(RegistryTest, WritingNeedsAnExistingKeyUnlessAskedToCreateIt) {
  TRegistry store(Path());
  EXPECT_FALSE(store.WriteValue(QStringLiteral("Software\\Nothing"), QStringLiteral("X"), TRegValue::FromDword(1)));
  EXPECT_FALSE(store.KeyExists(QStringLiteral("Software\\Nothing")));
  EXPECT_FALSE(store.KeyExists(QStringLiteral("Software")));
  ASSERT_TRUE(store.CreateKey(QStringLiteral("Software\\Nothing")));
  EXPECT_TRUE(store.WriteValue(QStringLiteral("SOFTWARE\\nothing"), QStringLiteral("X"), TRegValue::FromDword(1)));
  EXPECT_EQ(store.ReadValue(QStringLiteral("Software\\Nothing"), QStringLiteral("x")), TRegValue::FromDword(1));
}

TEST_F(RegistryTest, SubKeysKeepTheirFirstSpellingAndDeleteRemovesTheBranch) {
  TRegistry store(Path());
  for (const char* key : {"Software\\Vimek\\B", "Software\\Vimek\\a\\deep", "software\\vimek\\A", "Software\\Vimek\\c"})
    ASSERT_TRUE(store.CreateKey(QLatin1String(key)));
  EXPECT_EQ(store.SubKeyNames(QStringLiteral("Software\\Vimek")),
            QStringList({QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("c")}));
  EXPECT_EQ(store.SubKeyNames(QStringLiteral("Software\\Missing")), std::nullopt);
  EXPECT_TRUE(store.DeleteKey(QStringLiteral("SOFTWARE\\VIMEK\\A")));
  EXPECT_FALSE(store.KeyExists(QStringLiteral("Software\\Vimek\\a\\deep")));
  EXPECT_FALSE(store.DeleteKey(QStringLiteral("Software\\Vimek\\A")));
  EXPECT_EQ(TRegistry(Path()).SubKeyNames(QStringLiteral("Software\\Vimek")),
            QStringList({QStringLiteral("B"), QStringLiteral("c")}));
}

TEST_F(RegistryTest, AStoreSeesWhatAnotherStoreWrote) {
  TRegistry first(Path());
  TRegistry second(Path());
  ASSERT_TRUE(first.WriteValue(QStringLiteral("K"), QStringLiteral("A"), TRegValue::FromDword(1), true));
  ASSERT_TRUE(second.WriteValue(QStringLiteral("K"), QStringLiteral("B"), TRegValue::FromDword(2)));
  EXPECT_EQ(first.ReadValue(QStringLiteral("K"), QStringLiteral("B")), TRegValue::FromDword(2));
  EXPECT_EQ(second.ReadValue(QStringLiteral("K"), QStringLiteral("A")), TRegValue::FromDword(1));
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// What the store could not read is kept beside the file before the first
// write replaces it; a sound or empty file leaves no copy.
TEST_F(RegistryTest, ADamagedFileReadsAsFarAsItCanAndIsKeptAsideOnWrite) {
  const struct {
    QByteArray contents;
    bool damaged;
    std::optional<TRegValue> x; // the value X read from it
  } cases[] = {
      {"{not json", true, std::nullopt},
      {"[1,2]", true, std::nullopt},
      {R"({"root":{"values":{"X":{"type":"dword","data":-5}},"keys":{"K":7}}})", true, std::nullopt},
      {R"({"root":{"values":{"X":{"type":"dword","data":5}},"keys":{"K":{}}}})", false, TRegValue::FromDword(5)},
      {R"({"root":{"values":{"X":{"type":"sz","data":"a"},"Y":{"type":"sz"}}}})", true,
       TRegValue::String(QStringLiteral("a"))},
      {"", false, std::nullopt},
  };
  const QString copy = Path() + QStringLiteral(".damaged");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents.constData());
    QFile::remove(Path());
    QFile::remove(copy);
    TRegistry(Path()).CreateKey(QStringLiteral("Setup"));
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(c.contents);
    file.close();
    TRegistry store(Path());
    EXPECT_EQ(store.ReadValue(QString(), QStringLiteral("X")), c.x);
    EXPECT_TRUE(store.WriteValue(QStringLiteral("K"), QStringLiteral("V"), TRegValue::FromDword(3), true));
    EXPECT_EQ(TRegistry(Path()).ReadValue(QStringLiteral("k"), QStringLiteral("v")), TRegValue::FromDword(3));
    EXPECT_EQ(Contents(copy), c.damaged ? c.contents : QByteArray("<none>"));
    // The file is sound now: a later write leaves the copy as it was.
    EXPECT_TRUE(store.WriteValue(QStringLiteral("K"), QStringLiteral("W"), TRegValue::FromDword(4)));
    EXPECT_EQ(Contents(copy), c.damaged ? c.contents : QByteArray("<none>"));
  }
}

} // namespace
