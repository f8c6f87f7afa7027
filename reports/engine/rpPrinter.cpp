#include "reports/engine/rpPrinter.h"
#include "core/Exception.h"
#include "reports/engine/rpUtils.h"
#include <cmath>

namespace {

constexpr int kVirtualMargin = 50; // 5 mm

int ToUnits(double value, double perInch) { return int(std::nearbyint(value * kReportUnitsPerInch / perInch)); }
int TenthsToUnits(int tenths) { return ToUnits(tenths, 254); }

} // namespace

const QList<TrpPaper>& rpPaperTable() {
  static const QList<TrpPaper> table{
#include "reports/engine/rpPaperTable.inc"
  };
  return table;
}

TrpPrinter::TrpPrinter() { SelectVirtual(); }

void TrpPrinter::SelectVirtual() {
  if (Printers.isEmpty() || Printers.last() != rpLoadStr(55007)) {
    Printers.append(rpLoadStr(55007));
    VirtualPrinterIndex = int(Printers.size()) - 1;
  }
  PrinterIndex = VirtualPrinterIndex;
  SetSettings();
}

void TrpPrinter::SetPrinter(std::shared_ptr<TrpSystemPrinter> system) {
  system_ = std::move(system);
  Printers.clear();
  PrinterIndex = 0;
  if (system_) {
    Printers = system_->Printers();
    PrinterIndex = Printers.isEmpty() ? 0 : system_->CurrentIndex();
  }
  Printers.append(rpLoadStr(55007));
  VirtualPrinterIndex = int(Printers.size()) - 1;
  if (VirtualPrinterIndex == 0) {
    PrinterIndex = 0;
    SetSettings();
  } else {
    GetSettings();
  }
}

void TrpPrinter::SetPrinterIndex(int index) {
  if (index == PrinterIndex || index < 0 || index >= Printers.size()) return;
  if (index == VirtualPrinterIndex) {
    PrinterIndex = index;
    SetSettings();
  } else if (system_) {
    PrinterIndex = index;
    system_->SetCurrentIndex(index);
    GetSettings();
  }
}

void TrpPrinter::SelectByName(const QString& name) {
  const int index = int(Printers.indexOf(name));
  if (index >= 0) SetPrinterIndex(index);
}

void TrpPrinter::GetSettings() {
  if (IsVirtual() || !system_) return;
  try {
    device_ = system_->ReadSettings();
    if (device_.DpiX <= 0 || device_.DpiY <= 0) throw Exception(QStringLiteral("Tlačiareň nehlási rozlíšenie."));
    PaperSize = device_.PaperSize;
    PaperWidth = int(std::nearbyint(double(device_.PhysicalSize.width()) / device_.DpiX * 254));
    PaperHeight = int(std::nearbyint(double(device_.PhysicalSize.height()) / device_.DpiY * 254));
    PaperCodes = device_.PaperCodes.mid(0, 256);
    PaperNames = device_.PaperNames.mid(0, 256);
    Bin = device_.Bin;
    BinCodes = {-1};
    BinNames = {rpLoadStr(55435)};
    for (quint16 code : device_.BinCodes.mid(0, 64))
      BinCodes.append(code);
    BinNames.append(device_.BinNames.mid(0, 64));
    Orientation = device_.Landscape ? 1 : 0;
  } catch (const Exception&) {
    // A driver that cannot tell its settings gives way to the virtual printer.
    SelectVirtual();
  }
}

void TrpPrinter::SetSettings() {
  if (IsVirtual() || !system_) {
    PaperCodes.clear();
    PaperNames.clear();
    for (qsizetype i = 0; i < rpPaperTable().size(); ++i) {
      const TrpPaper& paper = rpPaperTable()[i];
      PaperCodes.append(quint16(paper.Code));
      PaperNames.append(rpLoadStr(55008 + int(i)));
      if (paper.Code == PaperSize && paper.Code != kCustomPaper) {
        PaperWidth = Orientation == 1 ? paper.Height : paper.Width;
        PaperHeight = Orientation == 1 ? paper.Width : paper.Height;
      }
    }
    BinCodes = {-1};
    BinNames = {rpLoadStr(55435)};
    return;
  }
  system_->WriteSettings(PaperSize, PaperWidth, PaperHeight, Orientation == 1, Bin);
  GetSettings();
}

void TrpPrinter::SetPrinterInfo(int paperSize, int width, int height, int orientation, int bin, bool forced) {
  if (system_ && !IsVirtual() && system_->Printing()) return;
  if (!forced && IsEqual(paperSize, width, height, orientation, bin)) return;
  PaperSize = paperSize;
  PaperWidth = width;
  PaperHeight = height;
  Orientation = orientation;
  Bin = bin;
  SetSettings();
}

bool TrpPrinter::IsEqual(int paperSize, int width, int height, int orientation, int bin) const {
  if (paperSize == kCustomPaper && PaperSize == kCustomPaper)
    return std::abs(width - PaperWidth) <= 1 && std::abs(height - PaperHeight) <= 1 && orientation == Orientation;
  if (paperSize != kCustomPaper && paperSize == PaperSize)
    return orientation == Orientation && (bin == Bin || bin == -1);
  return false;
}

void TrpPrinter::FillPrnInfo(TrpPrnInfo& info) const {
  if (IsVirtual() || !system_) {
    info.Width = TenthsToUnits(PaperWidth);
    info.Height = TenthsToUnits(PaperHeight);
    info.OffsetX = info.OffsetY = TenthsToUnits(kVirtualMargin);
    info.PrintableWidth = info.Width - 2 * info.OffsetX;
    info.PrintableHeight = info.Height - 2 * info.OffsetY;
    return;
  }
  info.DeviceWidth = device_.PhysicalSize.width();
  info.DeviceHeight = device_.PhysicalSize.height();
  info.DeviceOffsetX = device_.PhysicalOffset.x();
  info.DeviceOffsetY = device_.PhysicalOffset.y();
  info.DevicePrintableWidth = device_.PrintableSize.width();
  info.DevicePrintableHeight = device_.PrintableSize.height();
  info.Width = ToUnits(info.DeviceWidth, device_.DpiX);
  info.Height = ToUnits(info.DeviceHeight, device_.DpiY);
  info.OffsetX = ToUnits(info.DeviceOffsetX, device_.DpiX);
  info.OffsetY = ToUnits(info.DeviceOffsetY, device_.DpiY);
  info.PrintableWidth = ToUnits(info.DevicePrintableWidth, device_.DpiX);
  info.PrintableHeight = ToUnits(info.DevicePrintableHeight, device_.DpiY);
}

int TrpPrinter::PaperSizeToIndex(int code) const {
  const int index = int(PaperCodes.indexOf(quint16(code)));
  return code >= 0 && code <= 0xFFFF && index >= 0 ? index : int(PaperCodes.size()) - 1;
}

int TrpPrinter::BinToIndex(int code) const { return std::max(0, int(BinCodes.indexOf(code))); }

void TrpPrinter::PropertiesDlg() {
  if (system_ && !IsVirtual() && system_->PropertiesDialog()) GetSettings();
}
