#include "KitTestSupport.h"
#include "controls/fWaitPlease.h"
#include <QtCore/QTimer>
#include <QtWidgets/QProgressBar>

namespace {

TEST(WaitWindow, ShownWithoutWaitingAndFreedOnlyByHiding) {
  HideWaitForm(); // without a window: harmless
  EXPECT_EQ(frmWaitPlease, nullptr);
  ShowWaitForm();
  ASSERT_NE(frmWaitPlease, nullptr);
  TfrmWaitPlease* shown = frmWaitPlease;
  EXPECT_TRUE(shown->isVisible());
  EXPECT_FALSE(shown->isModal());
  EXPECT_EQ(shown->Caption(), QStringLiteral("Čakajte prosím, pracujem..."));
  EXPECT_EQ(shown->size(), QSize(272, 60));
  EXPECT_FALSE(shown->Timer1->isActive());
  EXPECT_EQ(shown->Animate1->maximum(), 0) << "a running animation";

  // The system menu's Close (Alt+F4) and Esc leave it open.
  EXPECT_FALSE(shown->close());
  QTest::keyClick(shown, Qt::Key_Escape);
  QTest::keyClick(shown, Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(shown->isVisible());
  ShowWaitForm();
  EXPECT_EQ(frmWaitPlease, shown) << "a second call keeps the one window";

  QPointer<TfrmWaitPlease> guard(shown);
  HideWaitForm();
  EXPECT_EQ(frmWaitPlease, nullptr);
  EXPECT_TRUE(guard.isNull()) << "hiding frees the window";
  HideWaitForm();
}

} // namespace
