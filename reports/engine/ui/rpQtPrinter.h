#pragma once
#include "reports/engine/rpPrinter.h"
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>

// The printers Qt knows, behind the engine's report printer. Paper codes are
// the Windows codes the templates store; a page size Qt has no code for is
// reported as custom (256).
class TrpQtPrinter : public TrpSystemPrinter {
public:
  TrpQtPrinter();

  QStringList Printers() const override;
  int CurrentIndex() const override { return index_; }
  void SetCurrentIndex(int index) override;
  bool Printing() const override { return printer_->printerState() == QPrinter::Active; }
  TrpDeviceSettings ReadSettings() override;
  void WriteSettings(int paperSize, int width, int height, bool landscape, int bin) override;
  bool PropertiesDialog() override;

  QPrinter& Printer() { return *printer_; }

private:
  QList<QPrinterInfo> printers_;
  int index_ = 0;
  std::unique_ptr<QPrinter> printer_;
};

// The Windows paper code of a Qt page size, 256 when it has none; and back.
int rpPaperCodeOf(QPageSize::PageSizeId id);
QPageSize::PageSizeId rpPageSizeIdOf(int paperCode);
