#pragma once
#include "reports/export/rpExcel.h"
#include "reports/export/rpGridExport.h"
#include "reports/export/rpGridExportForm.h"
#include <functional>

class QCheckBox;
class QPushButton;
class TrpProgress;

// The spreadsheet workbook export: the objects of the chosen pages are laid
// out by the export matrix and written through the spreadsheet automation
// (row heights, column widths, named styles, merged ranges, borders, texts
// and pictures); the workbook is saved under the export's file name.
class TrpOLEExcelExport : public TrpGridExport {
  Q_OBJECT
public:
  explicit TrpOLEExcelExport(QObject* owner = nullptr);
  ~TrpOLEExcelExport() override;

  void BeginDocument() override;

  bool CellsMerged = true, CellsWrapWords = true, CellsBorders = true, PageBreaks = true, ExportPictures = true;
  bool HighQuality = true, OpenExcelAfterExport = false;
  // Kept with the filter only.
  bool CellsAlign = true, CellsFillColor = true, CellsFontColor = true, CellsFontName = true, CellsFontSize = true,
       CellsFontStyle = true;

  // Makes the automation wrapper of a run; tests record the calls.
  std::function<std::unique_ptr<TRpExcel>()> CreateExcel = [] { return std::make_unique<TRpExcel>(); };
  TRpExcel* Excel() const { return excel_.get(); }

protected:
  std::unique_ptr<TrpGridExportForm> CreateDialog() override;
  void AfterExport(const QString& fileName) override;

private:
  bool Cancelled() const;
  void WriteRowHeights();
  void WriteColumnWidths();
  void WriteStyles();
  void WriteObjects(QList<QStringList>& values);

  std::unique_ptr<TRpExcel> excel_;
  std::unique_ptr<TrpProgress> progress_;
  int pictureCounter_ = 0;
};

// The options dialog of the workbook export, with its "Better" and "Faster" presets.
class TrpOLEExcelSet : public TrpGridExportForm {
  Q_OBJECT
public:
  TrpOLEExcelSet(TrpOLEExcelExport& filter, QWidget* parent = nullptr);
  QCheckBox *MergedCB, *BordersCB, *WrapCB, *PageBreaksCB, *StylesCB, *PicturesCB, *OpenAfterCB;
  QPushButton *BetterB, *FasterB;

protected:
  void ApplyChecks() override;

private:
  TrpOLEExcelExport& export_;
};
