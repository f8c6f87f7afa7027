#pragma once
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <gtest/gtest.h>

class TrpView;
class TrpPage;

// A running engine with its message boxes recorded and answered from a
// queue (Yes when the queue is empty), and a report of its own.
class DesignerFixture : public ::testing::Test {
protected:
  DesignerFixture();
  ~DesignerFixture() override;

  // Objects for the tests' pages; each returns the object added.
  TrpView* AddBand(TrpPage* page, int type, const QString& name, int top = 20, int height = 30);
  TrpView* AddText(TrpPage* page, const QString& name, QRect bounds, const QString& text = {});
  TrpView* AddSubreport(TrpPage* page, const QString& name, int subPage);

  QObject owner;
  TrpReport* report = nullptr;
  QStringList questions; // "caption: text" of every message box
  QList<int> answers;    // the buttons pressed, in order
  QStringList errors;    // "caption: text" of every error box
};
