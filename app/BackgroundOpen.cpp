#include "app/BackgroundOpen.h"
#include "db/IBDatabase.h"
#include <system_error>

TBackgroundOpen::~TBackgroundOpen() {
  // A window closed before it waited for its connection still lets the
  // attach end before the database goes.
  if (worker_.joinable()) worker_.join();
}

void TBackgroundOpen::Start(TIBDatabase& database) {
  started_ = true;
  error_ = nullptr;
  const auto open = [this, &database] {
    try {
      database.Open();
    } catch (...) {
      error_ = std::current_exception();
    }
  };
  try {
    worker_ = std::thread(open);
  } catch (const std::system_error&) {
    open();
  }
}

void TBackgroundOpen::Finish() {
  if (worker_.joinable()) worker_.join();
  started_ = false;
  if (const std::exception_ptr error = std::exchange(error_, nullptr)) std::rethrow_exception(error);
}
