#include "reports/engine/ui/rpQtPrinter.h"
#include "core/Exception.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpPrintForm.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtPrintSupport/QPrintEngine>
#include <QtWidgets/QFileDialog>

namespace {

struct TPaperPair {
  int Code;
  QPageSize::PageSizeId Id;
};

const TPaperPair kPairs[] = {
    {1, QPageSize::Letter},
    {3, QPageSize::Tabloid},
    {4, QPageSize::Ledger},
    {5, QPageSize::Legal},
    {7, QPageSize::ExecutiveStandard},
    {8, QPageSize::A3},
    {9, QPageSize::A4},
    {11, QPageSize::A5},
    {12, QPageSize::B4},
    {13, QPageSize::JisB5},
    {14, QPageSize::FanFoldGermanLegal},
    {19, QPageSize::Envelope9},
    {20, QPageSize::Envelope10},
    {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12},
    {23, QPageSize::Envelope14},
    {27, QPageSize::EnvelopeDL},
    {28, QPageSize::EnvelopeC5},
    {29, QPageSize::EnvelopeC3},
    {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6},
    {32, QPageSize::EnvelopeC65},
    {33, QPageSize::EnvelopeB4},
    {34, QPageSize::EnvelopeB5},
    {35, QPageSize::EnvelopeB6},
    {36, QPageSize::EnvelopeItalian},
    {37, QPageSize::EnvelopeMonarch},
    {38, QPageSize::EnvelopePersonal},
    {39, QPageSize::FanFoldUS},
    {40, QPageSize::FanFoldGerman},
    {42, QPageSize::B4},
    {43, QPageSize::Postcard},
    {47, QPageSize::EnvelopeInvite},
    {53, QPageSize::A4Extra},
    {57, QPageSize::SuperA},
    {58, QPageSize::SuperB},
    {59, QPageSize::LetterPlus},
    {60, QPageSize::A4Plus},
    {63, QPageSize::A3Extra},
    {64, QPageSize::A5Extra},
    {65, QPageSize::B5Extra},
    {66, QPageSize::A2},
};

// The print engine property from which Qt's CUPS engine takes a job's
// options, as name and value pairs.
const auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Sets (or with an empty value drops) one CUPS option of the printer's next job.
void SetCupsOption(QPrinter& printer, const QString& name, const QString& value) {
  QStringList options = printer.printEngine()->property(kCupsOptionsProperty).toStringList();
  for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
    if (options[i] != name) continue;
    options.remove(i, 2);
    break;
  }
  if (!value.isEmpty()) options << name << value;
  printer.printEngine()->setProperty(kCupsOptionsProperty, options);
}

// The source a prepared page asks for: 65535 (and -1 from older files) is the printer's default.
int RequestedBin(const TrpEMFPage& paper) { return paper.Bin == 65535 ? -1 : paper.Bin; }

} // namespace

int rpPaperCodeOf(QPageSize::PageSizeId id) {
  for (const TPaperPair& p : kPairs)
    if (p.Id == id) return p.Code;
  return kCustomPaper;
}

QPageSize::PageSizeId rpPageSizeIdOf(int paperCode) {
  for (const TPaperPair& p : kPairs)
    if (p.Code == paperCode) return p.Id;
  return QPageSize::Custom;
}

TrpQtPrinter::TrpQtPrinter() : printers_(QPrinterInfo::availablePrinters()) {
  const QString preferred = QPrinterInfo::defaultPrinterName();
  for (int i = 0; i < printers_.size(); ++i)
    if (printers_[i].printerName() == preferred) index_ = i;
  printer_ = printers_.isEmpty() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                 : std::make_unique<QPrinter>(printers_[index_], QPrinter::HighResolution);
  ReadBins();
}

void TrpQtPrinter::ReadBins() {
  bins_ = printers_.isEmpty() ? TrpPrinterBins() : rpReadPrinterBins(printers_[index_].printerName());
  SelectBin(-1);
}

void TrpQtPrinter::SelectBin(int code) {
  const TrpPrinterBin* bin = bins_.Find(code);
  bin_ = bin ? code : -1;
  if (!printers_.isEmpty())
    SetCupsOption(*printer_, QStringLiteral("InputSlot"), bin ? QString::fromLatin1(bin->Keyword) : QString());
}

QStringList TrpQtPrinter::Printers() const {
  QStringList names;
  for (const QPrinterInfo& info : printers_)
    names.append(info.printerName());
  return names;
}

void TrpQtPrinter::SetCurrentIndex(int index) {
  if (index < 0 || index >= printers_.size()) return;
  index_ = index;
  printer_->setPrinterName(printers_[index].printerName());
  ReadBins();
}

TrpDeviceSettings TrpQtPrinter::ReadSettings() {
  if (printers_.isEmpty() || !printer_->isValid()) throw Exception(QStringLiteral("Tlačiareň nie je dostupná."));
  TrpDeviceSettings s;
  const QPageLayout layout = printer_->pageLayout();
  s.PaperSize = rpPaperCodeOf(layout.pageSize().id());
  for (const QPageSize& size : printers_[index_].supportedPageSizes()) {
    s.PaperCodes.append(quint16(rpPaperCodeOf(size.id())));
    s.PaperNames.append(size.name());
  }
  for (const TrpPrinterBin& bin : bins_.Bins) {
    s.BinCodes.append(quint16(bin.Code));
    s.BinNames.append(bin.Name);
  }
  // Without a chosen source the job takes the printer's default one.
  s.Bin = bin_ != -1 || bins_.DefaultIndex < 0 ? bin_ : bins_.Bins[bins_.DefaultIndex].Code;
  s.Landscape = layout.orientation() == QPageLayout::Landscape;
  s.DpiX = printer_->logicalDpiX();
  s.DpiY = printer_->logicalDpiY();
  const QRect paper = printer_->paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer_->pageRect(QPrinter::DevicePixel).toRect();
  s.PhysicalSize = paper.size();
  s.PhysicalOffset = page.topLeft() - paper.topLeft();
  s.PrintableSize = page.size();
  return s;
}

void TrpQtPrinter::WriteSettings(int paperSize, int width, int height, bool landscape, int bin) {
  const QPageSize size = paperSize == kCustomPaper
                             ? QPageSize(QSizeF(width / 10.0, height / 10.0), QPageSize::Millimeter)
                             : QPageSize(rpPageSizeIdOf(paperSize));
  if (!printer_->setPageSize(size)) throw Exception(QStringLiteral("Tlačiareň odmietla veľkosť papiera."));
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer_->setCopyCount(1);
  SelectBin(bin);
}

bool TrpQtPrinter::PropertiesDialog() {
  QPageSetupDialog dialog(printer_.get());
  return dialog.exec() == QDialog::Accepted;
}

QPageLayout rpPageLayoutOf(const TrpEMFPage& paper) {
  const bool landscape = paper.Orientation == 1;
  const QPageSize::PageSizeId id = rpPageSizeIdOf(paper.PaperSize);
  // Page sizes are kept turned by the orientation; Qt wants the upright sheet.
  const int width = landscape ? paper.PaperHeight : paper.PaperWidth;
  const int height = landscape ? paper.PaperWidth : paper.PaperHeight;
  QPageSize size(QPageSize::A4);
  if (id != QPageSize::Custom)
    size = QPageSize(id);
  else if (width > 0 && height > 0)
    size = QPageSize(QSizeF(width / 10.0, height / 10.0), QPageSize::Millimeter);
  return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

TrpQtPrintDevice::TrpQtPrintDevice(TrpQtPrinter& system) : system_(&system), printer_(&system.Printer()) {}

TrpQtPrintDevice::TrpQtPrintDevice(const QString& pdfFileName)
    : own_(std::make_unique<QPrinter>(QPrinter::HighResolution)), printer_(own_.get()) {
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(pdfFileName);
}

TrpQtPrintDevice::~TrpQtPrintDevice() {
  if (painter_.isActive()) Abort();
}

void TrpQtPrintDevice::BeginDoc(const QString& title, int copies, const TrpEMFPage& paper) {
  printer_->setDocName(title);
  printer_->setCreator(QCoreApplication::applicationName());
  printer_->setCopyCount(copies);
  TakePaper(paper);
  if (system_) system_->SelectBin(system_->BinFor(RequestedBin(paper)));
  Begin();
}

void TrpQtPrintDevice::Begin() {
  if (!painter_.begin(printer_)) {
    const QString target = printer_->outputFileName().isEmpty() ? printer_->printerName() : printer_->outputFileName();
    throw Exception(QStringLiteral("Tlač do „%1“ sa nedá začať.").arg(target));
  }
  PaintFromPaperCorner();
}

bool TrpQtPrintDevice::TakesOtherBin(const TrpEMFPage& paper) const {
  return system_ && system_->BinFor(RequestedBin(paper)) != system_->SelectedBin();
}

void TrpQtPrintDevice::NewPage(const TrpEMFPage& paper) {
  if (TakesOtherBin(paper)) {
    // A source holds for a whole job: the pages so far go as one document,
    // the next ones as another from the page's source.
    EndDoc();
    TakePaper(paper);
    system_->SelectBin(system_->BinFor(RequestedBin(paper)));
    Begin();
    return;
  }
  // Other paper changes from this page on, within the same document: ending
  // the document here would overwrite a PDF file with its last part.
  TakePaper(paper);
  if (!printer_->newPage()) throw Exception(QStringLiteral("Tlačiareň nezačala novú stranu."));
  PaintFromPaperCorner();
}

void TrpQtPrintDevice::TakePaper(const TrpEMFPage& paper) {
  // Size and orientation only: the driver's margins stay as the printer reports them.
  const QPageLayout layout = rpPageLayoutOf(paper);
  if (!layout.pageSize().isEquivalentTo(printer_->pageLayout().pageSize()) && !printer_->setPageSize(layout.pageSize()))
    throw Exception(QStringLiteral("Tlačiareň odmietla veľkosť papiera."));
  if (layout.orientation() != printer_->pageLayout().orientation() &&
      !printer_->setPageOrientation(layout.orientation()))
    throw Exception(QStringLiteral("Tlačiareň odmietla orientáciu papiera."));
}

void TrpQtPrintDevice::PaintFromPaperCorner() {
  // The painter starts at the printable area; pages are placed on the paper.
  const QPointF margin =
      printer_->pageRect(QPrinter::DevicePixel).topLeft() - printer_->paperRect(QPrinter::DevicePixel).topLeft();
  painter_.resetTransform();
  painter_.translate(-margin);
}

void TrpQtPrintDevice::EndDoc() {
  if (!painter_.end() || printer_->printerState() == QPrinter::Error)
    throw Exception(QStringLiteral("Tlačiareň nedokončila dokument."));
}

void TrpQtPrintDevice::Abort() {
  printer_->abort();
  if (painter_.isActive()) painter_.end();
  // A PDF that was dropped must not stay behind as if it were complete.
  if (own_) QFile::remove(printer_->outputFileName());
}

void rpInstallPrinting() {
  auto system = std::make_shared<TrpQtPrinter>();
  rpPrinter().SetPrinter(system);
  TrpGlobals& g = rpGlobals();
  g.PrintDialog = rpExecPrintForm;
  g.OpenPrintDevice = [system](const QString& pdfFileName) -> std::unique_ptr<TrpPrintDevice> {
    if (!rpPrinter().IsVirtual()) return std::make_unique<TrpQtPrintDevice>(*system);
    QString fileName = pdfFileName;
    if (fileName.isEmpty())
      fileName = QFileDialog::getSaveFileName(nullptr, rpLoadStr(58094), QString(), rpLoadStr(58095));
    if (fileName.isEmpty()) return nullptr;
    return std::make_unique<TrpQtPrintDevice>(fileName);
  };
}
