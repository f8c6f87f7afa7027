#pragma once
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "tests/support/ModalDriver.h"
#include "util/UxMemDS.h"
#include <QtWidgets/QApplication>
#include <functional>
#include <gtest/gtest.h>

// A running engine with its windows, and a member list of three A4 pages built
// from a small template: a title, 50 rows of 20 pixels per page with the
// member's name, "Ľudovít Štúr" as the 120th and 125th members (page 3).
// Error boxes are recorded instead of shown.
class PreviewFixture : public ::testing::Test {
protected:
  PreviewFixture();
  ~PreviewFixture() override;

  // Builds the prepared pages from the template, with an URL object in the
  // page header when `urlTag` is given; the build's result.
  bool Build(const QString& urlTag = QString());

  // The engine runs before the report is made and after it is gone.
  struct TEngineRun {
    TEngineRun();
    ~TEngineRun();
  } engine;
  QStringList errors;
  QObject owner;
  TUxMemoryData data;
  TrpDBDataSet members{&owner};
  TrpReport report{&owner};
};
