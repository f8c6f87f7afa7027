#include "reports/engine/rpDBDataSet.h"

void TrpDBDataSet::SetDataSet(TDataSet* dataSet) {
  dataSet_ = dataSet;
  dataSource_ = nullptr;
}

void TrpDBDataSet::SetDataSource(TDataSource* dataSource) {
  dataSource_ = dataSource;
  if (dataSource) dataSet_ = nullptr;
}

TDataSet* TrpDBDataSet::WrappedDataSet() const {
  if (dataSource_ && dataSource_->DataSet()) return dataSource_->DataSet();
  return dataSet_;
}

TDataSet* TrpDBDataSet::ResolveDataSet() const {
  TDataSet* dataSet = WrappedDataSet();
  if (!dataSet) throw EDSError(QStringLiteral("Unable to open dataset ") + objectName());
  return dataSet;
}

void TrpDBDataSet::Init() {
  TDataSet* dataSet = ResolveDataSet();
  if (OpenDataSource && !dataSet->Active()) dataSet->Open();
  if (OnOpen) OnOpen(this);
  kept_.reset();
  if (RangeBegin == TRangeBegin::rbCurrent || RangeEnd == TRangeEnd::reCurrent) kept_ = dataSet->GetBookmark();
  atEnd_ = false;
}

void TrpDBDataSet::Exit() {
  TDataSet* dataSet = WrappedDataSet();
  if (kept_ && dataSet) dataSet->GotoBookmark(*kept_);
  kept_.reset();
  if (OnClose) OnClose(this);
  if (CloseDataSource && dataSet) dataSet->Close();
}

void TrpDBDataSet::First() {
  TDataSet* dataSet = ResolveDataSet();
  if (RangeBegin == TRangeBegin::rbFirst)
    dataSet->First();
  else if (kept_)
    dataSet->GotoBookmark(*kept_);
  atEnd_ = false;
  TrpDataset::First();
}

void TrpDBDataSet::Next() {
  TDataSet* dataSet = ResolveDataSet();
  atEnd_ = false;
  if (RangeEnd == TRangeEnd::reCurrent) {
    // One record only: the walk ends on the record it started with.
    atEnd_ = kept_ && dataSet->GetBookmark() == *kept_;
    return;
  }
  dataSet->Next();
  TrpDataset::Next();
}

void TrpDBDataSet::Prior() {
  ResolveDataSet()->Prior();
  TrpDataset::Prior();
}

bool TrpDBDataSet::Eof() { return TrpDataset::Eof() || atEnd_ || ResolveDataSet()->Eof(); }
