#include "reports/export/rpGridExport.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpGridExportForm.h"

int TrpGridExport::OptionsDialog() {
  try {
    int result = 1;
    if (ShowDialog) {
      result = CreateDialog()->Execute();
    } else {
      PageRangeText.clear();
    }
    PageRange.Parse(PageRangeText);
    return result;
  } catch (const Exception& e) {
    rpGlobals().ErrorBox(e.Message(), rpLoadStr(55206));
    return 2;
  }
}

void TrpGridExport::ObjectData(int x, int y, TrpView* object) {
  if (object && PageRange.Contains(pageCounter_)) matrix_->AddObject(object);
}

void TrpGridExport::EndPage() {
  if (Terminated() || !PageRange.Contains(pageCounter_)) return;
  PageInRangeEnded();
  matrix_->AddPageBreak();
}

void TrpGridExport::StartDocument(bool showProgress, double maxCellHeight, double inaccuracy,
                                  bool deleteDuplicateBorders) {
  rpActiveReport().Terminated = false;
  OnAfterExport = [this](const QString& fileName) { AfterExport(fileName); };
  pageCounter_ = 0;
  matrix_ = std::make_unique<TrpIEMatrix>();
  matrix_->ShowProgress = showProgress;
  matrix_->MaxCellHeight = maxCellHeight;
  matrix_->Inaccuracy = inaccuracy;
  matrix_->DeleteDuplicateBorders = deleteDuplicateBorders;
}

bool TrpGridExport::Terminated() const { return rpActiveReport().Terminated; }
