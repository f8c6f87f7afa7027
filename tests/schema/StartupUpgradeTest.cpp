// The program's start-up on a database laid down from the base script: the
// upgrade form brings it to the supported version, and the next start needs
// no upgrade.
#include "app/AppContext.h"
#include "app/fMain.h"
#include "app/fUpdate.h"
#include "platform/base/ProgramVersion.h"
#include "schema/UpgradePackage.h"
#include "tests/schema/SchemaTestSupport.h"
#include "util/IniFiles.h"

namespace {

// The main window whose upgrade step presses the real form's button instead
// of waiting for the user.
class TPressingMain : public TfrmMain {
public:
  int upgradesShown = 0;

protected:
  void ShowUpgradeForm() override {
    ++upgradesShown;
    TfrmUpdate form(this);
    form.btnGoClick();
  }
};

} // namespace

class StartupUpgradeTest : public BaseDatabaseTest {
protected:
  void SetUp() override {
    BaseDatabaseTest::SetUp();
    db->Close(); // the start-up must be the only attachment
    SetProgramFilePath(folder_.path() + QStringLiteral("/Vimek"));
    ResetTerminationRequest();
    IniFileWriteString(folder_.path() + QStringLiteral("/Vimek.ini"), QStringLiteral("Settings"),
                       QStringLiteral("Database"), fresh->Path());
  }
  void TearDown() override {
    SetProgramFilePath(QString());
    ResetTerminationRequest();
    BaseDatabaseTest::TearDown();
  }
  QTemporaryDir folder_;
};

TEST_F(StartupUpgradeTest, NewDatabaseIsUpgradedOnceAndThenOpensStraightAway) {
  ASSERT_EQ(SupportedSchemaVersion(), UpdatePackageScriptCount()); // the program version carries the script count
  {
    TPressingMain window;
    window.FormCreate();
    EXPECT_EQ(window.upgradesShown, 1);
    EXPECT_FALSE(TerminationRequested());
    EXPECT_EQ(window.ZistiVerziu(), VIMEK_SCHEMA_SCRIPT_COUNT);
    window.IBD->Close();
  }
  {
    TPressingMain window;
    window.FormCreate();
    EXPECT_EQ(window.upgradesShown, 0);
    EXPECT_FALSE(TerminationRequested());
    window.IBD->Close();
  }
  EXPECT_TRUE(dialogs->Requests().isEmpty());
}
