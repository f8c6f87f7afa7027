// The report component's printing and exporting of prepared pages. The
// printer's output and the print dialog are reached through the TrpGlobals
// hooks that the engine's window library installs, so the engine stays
// widget-free.
#include "core/Exception.h"
#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QSaveFile>
#include <QtGui/QPainter>
#include <cmath>
#include <exception>

namespace {

// Restores a value when the scope ends, also after an exception.
template <class T> class TRestore {
public:
  explicit TRestore(T& value) : value_(value), kept_(value) {}
  ~TRestore() { value_ = kept_; }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

private:
  T& value_;
  T kept_;
};

int UnitsToDevice(int units, int dpi) { return int(std::lround(units * dpi / kReportUnitsPerInch)); }

// Where a prepared page lands on the paper, in device pixels from the paper's
// corner: a page with margins covers the paper, a page stretched to the
// printable area covers that area less its own margins (as the preview shows it).
QRect PageRectOnDevice(const TrpEMFPage& page, int dpiX, int dpiY) {
  const TrpPrnInfo& info = page.PrnInfo;
  QRect units(0, 0, info.Width, info.Height);
  if (!page.UseMargins)
    units = QRect(info.OffsetX + page.LeftMargin, info.OffsetY + page.TopMargin,
                  info.PrintableWidth - page.LeftMargin - page.RightMargin,
                  info.PrintableHeight - page.TopMargin - page.BottomMargin);
  return QRect(UnitsToDevice(units.left(), dpiX), UnitsToDevice(units.top(), dpiY), UnitsToDevice(units.width(), dpiX),
               UnitsToDevice(units.height(), dpiY));
}

// The page's paper on the report printer, so that page sizes and the printer agree.
void ApplyPaper(const TrpEMFPage& page) {
  TrpPrinter& printer = rpPrinter();
  const int bin = page.Bin == 65535 ? -1 : page.Bin;
  try {
    printer.SetPrinterInfo(page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation, bin, false);
  } catch (const Exception&) {
    printer.SetPrinterInfo(kCustomPaper, page.PaperWidth, page.PaperHeight, page.Orientation, -1, false);
  }
}

// Runs `work` inside the progress window when the report wants one (caption
// "Príprava zostavy" with the title), else directly. False when the window
// was cancelled; an exception of the work reaches the caller after the window closed.
bool RunWithProgress(TrpReport& report, const std::function<void()>& work) {
  TrpGlobals& g = rpGlobals();
  if (report.OnProgress || !report.ShowProgress || !g.ProgressWindow) {
    work();
    return true;
  }
  std::exception_ptr failure;
  const QString caption = report.Title.isEmpty() ? QStringLiteral("Príprava zostavy")
                                                 : QStringLiteral("Príprava zostavy - ") + report.Title;
  const bool completed = g.ProgressWindow(report, caption, [&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  if (failure) std::rethrow_exception(failure);
  return completed;
}

// The page number after `prefix` on the progress line (or to OnProgress); the
// window's cancel is heard after every page.
void ShowPageProgress(TrpReport& report, const QString& prefix, int pageNumber) {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  if (report.OnProgress) {
    report.OnProgress(pageNumber);
  } else if (report.ShowProgress && g.ProgressText) {
    QString text = prefix + QStringLiteral("  ") + QString::number(pageNumber);
    if (report.CurrentFilter) text += QStringLiteral(" z ") + QString::number(run.TotalPages);
    g.ProgressText(text);
  }
  QCoreApplication::processEvents();
}

// Draws the prepared page on the device, then releases the objects it rebuilt
// unless the page is on view.
void PrintOnePage(TrpEMFPages& pages, int index, TrpPrintDevice& device) {
  TrpEMFPage& page = pages.GetPage(index);
  const bool onView = page.Visible;
  page.Visible = true;
  pages.Draw(index, &device.Canvas(), PageRectOnDevice(page, device.DpiX(), device.DpiY()), true);
  page.Visible = false;
  pages.Draw(index, &device.Canvas(), QRect(), true);
  page.Visible = onView;
  rpRun().CurrentPage = nullptr; // the drawn page object is gone
}

} // namespace

bool TrpReport::PrintWithDialog(int currentPage) {
  TrpGlobals& g = rpGlobals();
  if (EMFPages.Count() == 0 || !g.OpenPrintDevice) return false;
  TrpPrintSettings settings;
  settings.Copies = DefaultCopies;
  settings.Collate = DefaultCollate;
  if (ShowPrintDialog && g.PrintDialog && !g.PrintDialog(settings, currentPage)) return false;
  return PrintPages(settings.PageList, settings.Copies, settings.Collate, settings.OddEven);
}

bool TrpReport::PrintPages(const QString& pageList, int copies, bool collate, int oddEven) {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& runContext = rpRun();
  runContext.CurrentReport = this;
  runContext.RunReport = this;
  Terminated = false;
  PrintSettings = {pageList, copies, collate, oddEven};
  if (EMFPages.Count() == 0) return false;
  runContext.EngineMode = true;
  // Hovering over the preview must not run report code while pages print.
  TRestore keepHover(EMFPages.OnMouseOverObject);
  EMFPages.OnMouseOverObject = nullptr;
  bool printed = false;
  try {
    const bool completed = RunWithProgress(*this, [this, &printed] { printed = SendPagesToPrinter(); });
    return completed && printed;
  } catch (const Exception& e) {
    g.ErrorBox(rpLoadStr(58092).arg(e.Message()), rpLoadStr(55206));
    return false;
  }
}

bool TrpReport::SendPagesToPrinter() {
  TrpGlobals& g = rpGlobals();
  // A bad or empty selection is refused before any output is opened.
  if (rpPlanPrint(PrintSettings, EMFPages.Count(), false).Pages.isEmpty()) throw Exception(rpLoadStr(58091));
  ApplyPaper(EMFPages.GetPage(0));
  if (!g.OpenPrintDevice) throw Exception(rpLoadStr(58093));
  const std::unique_ptr<TrpPrintDevice> device = g.OpenPrintDevice(PrintFileName);
  if (!device) return false;
  const TrpPrintPlan plan = rpPlanPrint(PrintSettings, EMFPages.Count(), device->CanCopy());
  if (OnPrintReport) OnPrintReport();
  const QString title = Title.isEmpty() ? rpLoadStr(55209) : Title;
  try {
    device->BeginDoc(title, plan.DeviceCopies, EMFPages.GetPage(plan.Pages.first() - 1));
    for (qsizetype i = 0; i < plan.Pages.size(); ++i) {
      const int index = plan.Pages[i] - 1;
      if (i > 0) device->NewPage(EMFPages.GetPage(index));
      PrintOnePage(EMFPages, index, *device);
      ShowPageProgress(*this, QStringLiteral("Tlač strany:"), index + 1);
      if (Terminated) {
        device->Abort();
        return false;
      }
    }
    device->EndDoc();
  } catch (...) {
    device->Abort();
    throw;
  }
  return true;
}

bool TrpReport::SwitchPrinter(int oldIndex, int newIndex) {
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinterIndex(newIndex);
  const bool selected = printer.PrinterIndex == newIndex;
  if (!selected) {
    rpGlobals().ErrorBox(rpLoadStr(58093), rpLoadStr(55206));
    printer.SetPrinterIndex(oldIndex);
  }
  // Each template page takes its own paper again, as the current printer offers it.
  for (int i = 0; i < Pages.Count(); ++i) {
    TrpPage* page = Pages.GetPage(i);
    page->ApplyPaper(page->PaperSize, page->PaperWidth, page->PaperHeight, page->Bin == 65535 ? -1 : page->Bin,
                     page->Orientation);
  }
  return selected;
}

bool TrpReport::ExportToFile(TrpExportFilter* filter, const QString& fileName) {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& runContext = rpRun();
  runContext.EngineMode = true;
  if (!filter) {
    try {
      SavePreparedFile(fileName);
      return true;
    } catch (const Exception& e) {
      g.ErrorBox(e.Message(), rpLoadStr(55206));
      return false;
    }
  }
  TRestore keepFilter(CurrentFilter);
  TRestore keepObjectHook(runContext.ExportObject);
  TRestore keepTextHook(runContext.ExportText);
  TRestore keepTextPositions(runContext.ExportTextPositions);
  CurrentFilter = filter;
  filter->FileName = fileName;
  // The options dialog may look at the report's pages (and preview an export of one).
  runContext.CurrentReport = this;
  bool go = true;
  if (filter->OnBeforeExport) filter->OnBeforeExport(filter->FileName, go);
  if (!go || filter->OptionsDialog() != 1) return false;

  // Written beside the target and renamed at the end, so a failed export leaves no half document.
  QSaveFile file(filter->FileName);
  if (!file.open(QIODevice::WriteOnly)) {
    g.ErrorBox(QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(filter->FileName), rpLoadStr(55206));
    return false;
  }
  filter->Stream = &file;
  runContext.ExportStream = &file;
  runContext.CurrentReport = this;
  runContext.RunReport = this;
  runContext.TotalPages = EMFPages.Count();
  runContext.ExportObject = [this](int, int, TrpView* object) { SendObjectToFilter(object); };
  runContext.ExportText = [this](const QRect& rect, int x, int y, const QString& text, int frame, TrpView* object) {
    SendTextToFilter(rect, x, y, text, frame, object);
  };
  runContext.ExportTextPositions = !filter->PlacesTextByRect;
  Terminated = false;
  bool written = false;
  try {
    filter->BeginDocument();
    RunWithProgress(*this, [this, filter] {
      QCoreApplication::processEvents();
      for (int i = 0; i < EMFPages.Count() && !Terminated; ++i) {
        filter->BeginPage();
        EMFPages.ExportPage(i);
        ShowPageProgress(*this, QStringLiteral("Generovanie strany:"), i + 1);
        filter->EndPage();
      }
      filter->EndDocument();
    });
    if (Terminated) {
      // Cancelled: an existing file stays as it was.
      file.cancelWriting();
    } else if (filter->WritesAfterExport) {
      // The filter writes the whole file itself once the run is over.
      file.cancelWriting();
      written = true;
    } else {
      written = file.commit();
      if (!written) g.ErrorBox(QStringLiteral("Súbor %1 sa nedá zapísať.").arg(filter->FileName), rpLoadStr(55206));
    }
  } catch (const Exception& e) {
    file.cancelWriting();
    g.ErrorBox(e.Message(), rpLoadStr(55206));
  }
  filter->Stream = nullptr;
  runContext.ExportStream = nullptr;
  if (!written || !filter->OnAfterExport) return written;
  try {
    filter->OnAfterExport(filter->FileName);
  } catch (const Exception& e) {
    g.ErrorBox(e.Message(), rpLoadStr(55206));
    return false;
  }
  return !Terminated;
}

void TrpReport::SendObjectToFilter(TrpView* object) {
  if (CurrentFilter) CurrentFilter->ObjectData(object->Left, object->Top, object);
}

void TrpReport::SendTextToFilter(const QRect& drawRect, int x, int y, const QString& text, int frameType,
                                 TrpView* object) {
  if (CurrentFilter) CurrentFilter->ObjectText(drawRect, x, y, text, frameType, object);
}
