#pragma once
#include "reports/engine/rpRegistries.h"
#include <QtCore/QVariant>

// Aggregate kinds as their keys carry them.
enum : char16_t { akSum = 11, akMin = 12, akMax = 13, akAvg = 14, akCount = 15 };

// The band engine's side of the aggregates: the band a call stands in, the
// data band being prepared during the aggregate pass, the registration of an
// aggregate on it, and the accumulated value afterwards. The page building
// installs it in TrpRunContext::Aggregates; without it aggregates give "0".
class TrpAggregateBands {
public:
  virtual ~TrpAggregateBands() = default;
  virtual int CallBandType() const = 0;
  virtual QString CallBandName() const = 0;
  // The call's band lists an object that stands on a cross band.
  virtual bool CallBandHasCrossObjects() const = 0;
  virtual int AggregateBandType() const = 0;
  virtual QString AggregateBandName() const = 0;
  // Registers the key on the aggregate band with its start value and links the call's band to it.
  virtual void Register(const QString& key, const QVariant& start) = 0;
  // The name that keys of the call's band take in the value phase (in a cross
  // data band "<column>\x01<band name>"); false when the band is linked to no aggregate band.
  virtual bool LinkedName(QString& name) const = 0;
  virtual QVariant Value(const QString& key) const = 0;
};

// The aggregate key: name, 1, the kind, 1, expression, 1, flag, 1 (expression and flag trimmed).
QString rpAggregateKey(const QString& bandName, char16_t kind, const QString& expression, const QString& flag);
// The start value of an aggregate: 0, or Null for MIN and MAX (the first row sets them).
QVariant rpAggregateStart(char16_t kind);
// Adds one row's value: SUM and AVG add, COUNT counts, MIN and MAX keep the
// extreme, taking the first row's value as it is.
void rpAccumulateAggregate(char16_t kind, QVariant& accumulated, const QVariant& value);

// The standard functions of report expressions: aggregates, date parts,
// formatting, texts, comparisons and the two dialogs.
class TrpStdFunctionLibrary : public TrpFunctionLibrary {
  Q_OBJECT
public:
  Q_INVOKABLE TrpStdFunctionLibrary();
  void ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString& p2, const QString& p3,
                       QVariant& val) override;

private:
  void Aggregate(const TrpRunContext& run, char16_t kind, const QString& expression, const QString& band,
                 const QString& flag, QVariant& val);
};

// FIELDISNULL over the program's data sets.
class TDatabaseFunctionLibrary : public TrpFunctionLibrary {
  Q_OBJECT
public:
  Q_INVOKABLE TDatabaseFunctionLibrary();
  void ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString& p2, const QString& p3,
                       QVariant& val) override;
};
