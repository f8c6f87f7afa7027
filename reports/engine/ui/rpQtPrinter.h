#pragma once
#include "reports/engine/rpPrintDevice.h"
#include "reports/engine/rpPrinter.h"
#include <QtGui/QPainter>
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

// A print document on a Qt printer: the system printer the report printer
// drives, or a PDF file of its own. The page is painted from the paper's
// corner; each page may take other paper.
class TrpQtPrintDevice : public TrpPrintDevice {
public:
  // Prints on the system printer (not owned).
  explicit TrpQtPrintDevice(QPrinter& printer);
  // Writes a PDF file.
  explicit TrpQtPrintDevice(const QString& pdfFileName);
  ~TrpQtPrintDevice() override;

  bool CanCopy() const override { return printer_->supportsMultipleCopies(); }
  void BeginDoc(const QString& title, int copies, const TrpEMFPage& paper) override;
  void NewPage(const TrpEMFPage& paper) override;
  QPainter& Canvas() override { return painter_; }
  int DpiX() const override { return printer_->logicalDpiX(); }
  int DpiY() const override { return printer_->logicalDpiY(); }
  void EndDoc() override;
  void Abort() override;

private:
  void TakePaper(const TrpEMFPage& paper);
  void PaintFromPaperCorner();

  std::unique_ptr<QPrinter> own_;
  QPrinter* printer_;
  QPainter painter_;
};

// The paper (size and orientation) of a prepared page as a Qt page layout.
QPageLayout rpPageLayoutOf(const TrpEMFPage& paper);

// Puts the printers Qt knows behind the report printer and installs the
// engine's print hooks: the print dialog (TrpPrintForm) and the print output
// (the current system printer, or a PDF file while the virtual printer is
// current: the report's PrintFileName, else asked with a file dialog).
void rpInstallPrinting();
