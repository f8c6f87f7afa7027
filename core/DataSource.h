#pragma once
#include "core/DataSet.h"
#include <QtCore/QObject>
#include <QtCore/QPointer>

// A component that points at one data set, so that whoever reads through it
// (controls, report data sets) follows the data set it is switched to. It
// does not own the data set and forgets it when the data set is destroyed.
class TDataSource : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* dataSet) { dataSet_ = dataSet; }

private:
  QPointer<TDataSet> dataSet_;
};
