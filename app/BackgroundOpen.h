#pragma once
#include <exception>
#include <thread>

class TIBDatabase;

// Opens a database on a worker thread while the caller goes on: the main
// window builds its pages while the embedded engine attaches (loading the
// engine and its character-set libraries costs about as long as the window).
class TBackgroundOpen {
public:
  TBackgroundOpen() = default;
  ~TBackgroundOpen();
  TBackgroundOpen(const TBackgroundOpen&) = delete;
  TBackgroundOpen& operator=(const TBackgroundOpen&) = delete;

  // Starts `database.Open()`; nothing else may use the database until Finish.
  // Without a thread to spare, the database is opened right here.
  void Start(TIBDatabase& database);
  bool Started() const { return started_; }
  // Waits for the open to end and raises its error, if any.
  void Finish();

private:
  std::thread worker_;
  std::exception_ptr error_;
  bool started_ = false;
};
