#pragma once
#include "reports/engine/rpPrinter.h"

// Two system printers ("Laser", "Atrament") with A4 paper at 600 dpi, for
// the tests that switch printers.
class TwoPrinters : public TrpSystemPrinter {
public:
  QStringList Printers() const override { return {QStringLiteral("Laser"), QStringLiteral("Atrament")}; }
  int CurrentIndex() const override { return index; }
  void SetCurrentIndex(int i) override { index = i; }
  bool Printing() const override { return false; }
  TrpDeviceSettings ReadSettings() override {
    TrpDeviceSettings s;
    s.PaperSize = 9;
    s.DpiX = s.DpiY = 600;
    s.PhysicalSize = s.PrintableSize = {4960, 7016};
    return s;
  }
  void WriteSettings(int, int, int, bool, int) override {}
  bool PropertiesDialog() override { return false; }
  int index = 0;
};
