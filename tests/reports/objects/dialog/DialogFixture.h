#pragma once
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "tests/support/FreshDatabase.h"
#include <gtest/gtest.h>
#include <memory>

class TrpView;

// A running engine with the dialog classes registered and its error box
// recorded, and a fresh embedded database of towns (MESTA) and waters (VODY).
class DialogFixture : public ::testing::Test {
protected:
  DialogFixture();
  ~DialogFixture() override;

  // A new object of the registered class on the report's first page, named.
  template <class T> T* Add(TrpReport& report, const QString& className, const QString& name) {
    if (report.Pages.Count() == 0) report.Pages.Add();
    TrpView* view = report.Pages.GetPage(0)->Add(rpNewObjectOfType(10, className));
    view->WriteProperty(QStringLiteral("Name"), name);
    return dynamic_cast<T*>(view);
  }
  // The object of that name on the report's first page.
  template <class T> static T* Find(const TrpReport& report, const QString& name) {
    return dynamic_cast<T*>(report.Pages.GetPage(0)->FindObject(name));
  }

  FreshDatabase fresh;
  QStringList messages; // "caption: text"
};

// The record bytes an object writes after the common view record.
QByteArray ClassRecord(TrpView& view);
