#pragma once
#include "reports/engine/rpExportFilter.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpIEMatrix.h"
#include <memory>

class TrpGridExportForm;

// What the HTML table and the two spreadsheet exports share: the page
// range, margins and scales of their dialogs, and collecting the objects of
// the pages in range into the export matrix, one page below the other. Each
// writes its file in its own after-export event; the engine leaves the target
// alone, and a run cancelled in any progress window writes nothing more.
class TrpGridExport : public TrpExportFilter {
  Q_OBJECT
public:
  // The grid exports write their file themselves once the run is over.
  explicit TrpGridExport(QObject* owner = nullptr) : TrpExportFilter(owner) { WritesAfterExport = true; }

  // The dialog (when ShowDialog) and the page range; a value that is no
  // number is reported and the export does not start.
  int OptionsDialog() override;
  void BeginPage() override { ++pageCounter_; }
  void ObjectData(int x, int y, TrpView* object) override;
  void EndPage() override;

  QString PageRangeText;
  double TopMargin = 0, LeftMargin = 0; // kept with the filter
  double HorizontalScale = 1, VerticalScale = 1;
  TrpPageRange PageRange;

protected:
  // The filter's dialog, filled from its properties.
  virtual std::unique_ptr<TrpGridExportForm> CreateDialog() = 0;
  // A page of the range has ended (the matrix still holds it).
  virtual void PageInRangeEnded() {}
  // A new matrix for the run with the export's settings, and the after-export writer installed.
  void StartDocument(bool showProgress, double maxCellHeight, double inaccuracy, bool deleteDuplicateBorders);
  virtual void AfterExport(const QString& fileName) = 0;
  bool Terminated() const;

  std::unique_ptr<TrpIEMatrix> matrix_;
  int pageCounter_ = 0;
};
