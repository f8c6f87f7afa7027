#pragma once
#include <QtCore/QRecursiveMutex>

// A critical section: re-entrant for the thread that holds it, like the
// system object it stands for.
class TRtCriticalSection {
public:
  void Enter() { mutex_.lock(); }
  void Leave() { mutex_.unlock(); }

private:
  QRecursiveMutex mutex_;
};
