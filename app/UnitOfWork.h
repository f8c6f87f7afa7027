#pragma once
#include <functional>

class TIBTransaction;

// One database action on a transaction. The constructor makes the
// transaction ready (BeginTransaction: a read-committed one is reused, any
// other starts afresh); Commit() ends the action, KeepOpen() ends it leaving a
// reading transaction running for the next read; a unit left without either
// (an error on the way) rolls back, keeping the transaction's context.
class TUnitOfWork {
public:
  explicit TUnitOfWork(TIBTransaction& transaction);
  ~TUnitOfWork();
  TUnitOfWork(const TUnitOfWork&) = delete;
  TUnitOfWork& operator=(const TUnitOfWork&) = delete;

  void Commit();
  void KeepOpen();

private:
  TIBTransaction& transaction_;
  bool ended_ = false;
};

// How a unit of work ends when its work ran through.
enum class TWorkEnd {
  Commit,   // a change, or a read that needs nothing afterwards
  KeepOpen, // a list's read, whose read-committed transaction serves the next refresh
};

// What became of a unit of work: done, or stopped by a database error that
// the error handler reported (its result: a message number or the server's
// error code).
struct TWorkOutcome {
  bool Done = true;
  int Reported = 0;
  explicit operator bool() const { return Done; }
};

// The form edge of every database action: runs `work` in a unit of work on
// `transaction` and ends it as `end` says. A database error is rolled back
// and handed to the one error handler: an error it reported ends the run
// with the handler's result, one it does not know is raised again, so that
// every error reaches the user exactly once. Nothing of a refused action is
// written; the caller keeps its window and its entries as they are.
TWorkOutcome RunUnitOfWork(TIBTransaction& transaction, const std::function<void()>& work,
                           TWorkEnd end = TWorkEnd::Commit);
