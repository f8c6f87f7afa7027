#pragma once
#include "reports/engine/rpRegistries.h"
#include <functional>

// The program's own report functions: MONEYTOSTR, an amount in Slovak words.
class TQPLFunctionLibrary : public TrpFunctionLibrary {
  Q_OBJECT
public:
  Q_INVOKABLE TQPLFunctionLibrary();
  void ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString& p2, const QString& p3,
                       QVariant& val) override;

  // The words of a non-negative whole number; the application installs its
  // own routine at start-up, until then the digits stand for the words.
  static std::function<QString(qint64)> NumberInWords;
};

// The whole part of the amount in words, with a leading "mínus" for a
// negative amount; raises ErpConversionError when the whole part does not fit 64 bits.
QString rpMoneyToStr(double amount);
