#include "ReportFixture.h"

ReportFixture::ReportFixture() {
  rpEngineStart();
  TrpGlobals& g = rpGlobals();
  g.ErrorBox = [this](const QString& text, const QString& caption) {
    messages.append(caption + QStringLiteral(": ") + text);
  };
  g.AskPassword = [this](QString& password) {
    ++passwordAsked;
    password = typedPassword;
    return confirmPassword;
  };
  rpAddObjectClass(
      QStringLiteral("TrpShapeView"), [] { return new TestShapeView; }, {}, QStringLiteral("55226"));
  rpAddControlClass(
      QStringLiteral("TrpEditControl"), [] { return new TestEditControl; }, {}, QStringLiteral("55224"));
}

ReportFixture::~ReportFixture() {
  rpRemoveObjectClass(QStringLiteral("TrpShapeView"));
  rpRemoveObjectClass(QStringLiteral("TrpEditControl"));
  rpEngineEnd();
}

TrpDeviceSettings FakeSystemPrinter::ReadSettings() {
  if (failRead) throw Exception(QStringLiteral("driver error"));
  return settings;
}

void FakeSystemPrinter::WriteSettings(int paperSize, int width, int height, bool landscape, int bin) {
  if (paperSize == refusedPaper) throw Exception(QStringLiteral("paper refused"));
  writtenPapers.append(paperSize);
  settings.PaperSize = paperSize;
  settings.Landscape = landscape;
}
