#pragma once
#include "core/DataSource.h"
#include "core/Exception.h"
#include "reports/engine/rpDataset.h"
#include <QtCore/QPointer>
#include <optional>

// The adapter's failure to find a data set to walk.
class EDSError : public Exception {
public:
  using Exception::Exception;
};

// The report data set that walks a program data set (a database query, the
// in-memory data set, a dBASE table): opens it when a walk starts, moves it
// with the walk and, for a walk of the current record, returns to that record.
class TrpDBDataSet : public TrpDataset {
  Q_OBJECT
  Q_PROPERTY(bool OpenDataSource MEMBER OpenDataSource)
  Q_PROPERTY(bool CloseDataSource MEMBER CloseDataSource)
public:
  using TrpDataset::TrpDataset;

  TDataSet* DataSet() const { return dataSet_; }
  // Setting a data set clears DataSource.
  void SetDataSet(TDataSet* dataSet);
  TDataSource* DataSource() const { return dataSource_; }
  // Setting a data source clears DataSet (its data set is walked instead).
  void SetDataSource(TDataSource* dataSource);
  // The data set walked: the data source's when it has one, else DataSet;
  // EDSError "Unable to open dataset <name>" when there is neither.
  TDataSet* ResolveDataSet() const;

  void Init() override;
  void Exit() override;
  void First() override;
  void Next() override;
  void Prior() override;
  bool Eof() override;
  TDataSet* WrappedDataSet() const override;

  bool OpenDataSource = true;
  bool CloseDataSource = false;
  TNotifyEvent OnOpen, OnClose;

private:
  QPointer<TDataSet> dataSet_; // cleared when the data set is destroyed
  QPointer<TDataSource> dataSource_;
  std::optional<TBookmark> kept_;
  bool atEnd_ = false;
};
