#include "tests/support/ConfigFolder.h"
#include "tests/support/FreshDatabase.h"
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

// Every test executable runs inside a QApplication (offscreen platform, set by
// CTest) with the locale pinned to Slovak, as the program's users have it. The
// per-user configuration lives in a folder of the run, so a test that forgets
// to choose its own never touches the user's, and so do the database engine's
// lock files, whatever the first connection of the run is.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
  const TConfigFolder config;
  FreshDatabase::RunFolder();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
