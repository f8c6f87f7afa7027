#pragma once
#include "reports/engine/rpPrintDevice.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/ui/rpPrinterBins.h"
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>

// The printers Qt knows, behind the engine's report printer. Paper codes are
// the Windows codes the templates store; a page size Qt has no code for is
// reported as custom (256). Paper sources are the printer's CUPS sources; the
// chosen one travels with the printer's next job.
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

  // The source the next job takes: a bin code of the printer's list, or -1
  // for the printer's own default (also for a code the printer lacks, so that
  // a template made for another printer still prints).
  void SelectBin(int code);
  int SelectedBin() const { return bin_; }
  // The bin code that a page asking for `code` prints from on this printer.
  int BinFor(int code) const { return bins_.Find(code) ? code : -1; }

private:
  void ReadBins();

  QList<QPrinterInfo> printers_;
  int index_ = 0;
  std::unique_ptr<QPrinter> printer_;
  TrpPrinterBins bins_;
  int bin_ = -1;
};

// The Windows paper code of a Qt page size, 256 when it has none; and back.
int rpPaperCodeOf(QPageSize::PageSizeId id);
QPageSize::PageSizeId rpPageSizeIdOf(int paperCode);

// A print document on a Qt printer: the system printer the report printer
// drives, or a PDF file of its own. The page is painted from the paper's
// corner; each page may take other paper.
class TrpQtPrintDevice : public TrpPrintDevice {
public:
  // Prints on the system printer (not owned); a page of another paper source
  // starts a new job there, as a source holds for a whole job.
  explicit TrpQtPrintDevice(TrpQtPrinter& system);
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
  void Begin();
  void PaintFromPaperCorner();
  bool TakesOtherBin(const TrpEMFPage& paper) const;

  std::unique_ptr<QPrinter> own_;
  TrpQtPrinter* system_ = nullptr;
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
