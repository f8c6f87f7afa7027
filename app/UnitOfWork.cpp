#include "app/UnitOfWork.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "db/IBTransaction.h"
#include <exception>

TUnitOfWork::TUnitOfWork(TIBTransaction& transaction) : transaction_(transaction) { BeginTransaction(transaction_); }

TUnitOfWork::~TUnitOfWork() {
  if (ended_) return;
  try {
    RollbackIfActive(transaction_);
  } catch (...) {
    // The error that left the unit is the one to report; a failing roll-back
    // (a lost connection) says nothing more.
  }
}

void TUnitOfWork::Commit() {
  transaction_.Commit();
  ended_ = true;
}

void TUnitOfWork::KeepOpen() { ended_ = true; }

TWorkOutcome RunUnitOfWork(TIBTransaction& transaction, const std::function<void()>& work, TWorkEnd end) {
  try {
    TUnitOfWork unit(transaction);
    work();
    if (end == TWorkEnd::Commit)
      unit.Commit();
    else
      unit.KeepOpen();
    return {};
  } catch (const std::exception& error) {
    const int reported = HandleDatabaseError(error);
    if (reported == 0) throw;
    return {false, reported};
  }
}
