#pragma once
#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <QtCore/QStringList>
#include <memory>

// Page geometry of the current paper: device pixels and report units
// (91.6256157635468 per inch).
struct TrpPrnInfo {
  int DeviceWidth = 0, DeviceHeight = 0;
  int Width = 0, Height = 0;
  int DeviceOffsetX = 0, DeviceOffsetY = 0;
  int OffsetX = 0, OffsetY = 0;
  int DevicePrintableWidth = 0, DevicePrintableHeight = 0;
  int PrintableWidth = 0, PrintableHeight = 0;
  bool operator==(const TrpPrnInfo&) const = default;
};

constexpr double kReportUnitsPerInch = 18600.0 / 203;
constexpr int kCustomPaper = 256;

struct TrpPaper {
  int Code;
  int Width, Height; // portrait, 0.1 mm
};
// The virtual printer's 67 papers; custom (256, 0 x 0) last. Their names are
// engine strings 55008 + index.
const QList<TrpPaper>& rpPaperTable();

// What a real printer reports about its current settings.
struct TrpDeviceSettings {
  int PaperSize = 0;
  QList<quint16> PaperCodes;
  QStringList PaperNames;
  int Bin = -1;
  QList<quint16> BinCodes;
  QStringList BinNames;
  bool Landscape = false;
  int DpiX = 0, DpiY = 0;
  QSize PhysicalSize;    // device pixels
  QPoint PhysicalOffset; // unprintable left and top border, device pixels
  QSize PrintableSize;   // device pixels
};

// The printers the platform knows, behind the report printer. Operations
// raise Exception when the driver refuses.
class TrpSystemPrinter {
public:
  virtual ~TrpSystemPrinter() = default;
  virtual QStringList Printers() const = 0;
  virtual int CurrentIndex() const = 0;
  virtual void SetCurrentIndex(int index) = 0;
  virtual bool Printing() const = 0;
  virtual TrpDeviceSettings ReadSettings() = 0;
  // Paper code (256: the custom width and height in 0.1 mm), orientation and bin (-1: the default source).
  virtual void WriteSettings(int paperSize, int width, int height, bool landscape, int bin) = 0;
  // The driver's settings dialog; true when the user confirmed.
  virtual bool PropertiesDialog() = 0;
};

// The engine's printer: the platform's printers followed by the virtual
// printer, which needs no installed printer (67 paper sizes, 5 mm margins),
// and the current paper settings in 0.1 mm. One lives for the engine's run.
class TrpPrinter {
public:
  TrpPrinter();

  // Lists the system's printers and the virtual one; reads the current
  // printer, or selects the virtual printer when the system has none.
  void SetPrinter(std::shared_ptr<TrpSystemPrinter> system);
  void SetPrinterIndex(int index);
  // Selects the printer of that name; an unknown name leaves the current one.
  void SelectByName(const QString& name);
  QString CurrentPrinterName() const { return Printers.value(PrinterIndex); }
  bool IsVirtual() const { return PrinterIndex == VirtualPrinterIndex; }

  void GetSettings();
  void SetSettings();
  // Stores and applies the paper unless the printer is printing or, without
  // `forced`, IsEqual says nothing changes.
  void SetPrinterInfo(int paperSize, int width, int height, int orientation, int bin, bool forced);
  bool IsEqual(int paperSize, int width, int height, int orientation, int bin) const;
  void FillPrnInfo(TrpPrnInfo& info) const;
  // The last index when the code is not in the list.
  int PaperSizeToIndex(int code) const;
  // 0 (the default source) when the code is not in the list.
  int BinToIndex(int code) const;
  // The driver's dialog for the current printer; the settings are re-read on confirmation.
  void PropertiesDlg();

  QStringList Printers;
  int PrinterIndex = 0;
  int VirtualPrinterIndex = 0;
  int PaperSize = 9;
  int PaperWidth = 0, PaperHeight = 0;
  int Bin = -1;
  int Orientation = 0; // 0 portrait, 1 landscape
  QList<quint16> PaperCodes;
  QStringList PaperNames;
  QList<int> BinCodes;
  QStringList BinNames;

private:
  void SelectVirtual();
  std::shared_ptr<TrpSystemPrinter> system_;
  TrpDeviceSettings device_;
};

// The engine's printer (created with the engine).
TrpPrinter& rpPrinter();
