#pragma once
#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpView.h"
#include <QtCore/QStringList>
#include <gtest/gtest.h>

// A running engine whose message box and password dialog are recorded
// instead of shown, with two add-in classes registered as the program's
// add-in units would register them.
class ReportFixture : public ::testing::Test {
protected:
  // The engine runs from construction to destruction, so fixture members may be report objects.
  ReportFixture();
  ~ReportFixture() override;

  QStringList messages; // "caption: text"
  int passwordAsked = 0;
  QString typedPassword;
  bool confirmPassword = true;
};

// An add-in object with one field of its own after the common record.
class TestShapeView : public TrpView {
public:
  TestShapeView() { SetKind(10, QStringLiteral("Shape"), QStringLiteral("TrpShapeView")); }
  void SaveToStream(TBinaryWriter& stream) override {
    TrpView::SaveToStream(stream);
    rpWriteInteger(stream, Shape);
  }
  void LoadFromStream(TBinaryReader& stream) override {
    TrpView::LoadFromStream(stream);
    Shape = rpReadInteger(stream);
  }
  qint32 Shape = 0;
};

// A dialog control with a text of its own.
class TestEditControl : public TrpControl {
public:
  TestEditControl() { SetKind(10, QStringLiteral("View"), QStringLiteral("TrpEditControl")); }
  void SaveToStream(TBinaryWriter& stream) override {
    TrpControl::SaveToStream(stream);
    rpWriteString(stream, Text);
  }
  void LoadFromStream(TBinaryReader& stream) override {
    TrpControl::LoadFromStream(stream);
    Text = rpReadReportString(stream);
  }
  void ListProperties() override {
    TrpControl::ListProperties();
    AddPropertyRec(QStringLiteral("Text"), ptText);
  }
  QVariant ReadProperty(const QString& name) override {
    const QVariant result = TrpControl::ReadProperty(name);
    return result.isValid() || name != QLatin1String("TEXT") ? result : QVariant(Text);
  }
  QString Text;
};

// A platform printer whose answers the test sets.
class FakeSystemPrinter : public TrpSystemPrinter {
public:
  QStringList names{QStringLiteral("Laser")};
  int index = 0;
  bool printing = false;
  bool failRead = false;
  int refusedPaper = -1; // WriteSettings raises for this paper code
  TrpDeviceSettings settings;
  QList<int> writtenPapers;

  QStringList Printers() const override { return names; }
  int CurrentIndex() const override { return index; }
  void SetCurrentIndex(int i) override { index = i; }
  bool Printing() const override { return printing; }
  TrpDeviceSettings ReadSettings() override;
  void WriteSettings(int paperSize, int width, int height, bool landscape, int bin) override;
  bool PropertiesDialog() override { return true; }
};
