#include "app/ExceptionHandler.h"
#include "core/Exception.h"
#include "platform/MessageDialogs.h"

namespace {

void ShowErrorDialog(std::exception_ptr exception) {
  MessageDlg(ExceptionText(exception), TMsgDlgType::Error, mbOK, mrOk);
}

TApplicationExceptionHandler& InstalledHandler() {
  static TApplicationExceptionHandler handler = ShowErrorDialog;
  return handler;
}

// Every program that links the application layer reports what reaches the
// event boundary through the application's handler.
const bool boundaryReportsHere = (SetEventExceptionHandler(HandleApplicationException), true);

} // namespace

TApplicationExceptionHandler SetApplicationExceptionHandler(TApplicationExceptionHandler handler) {
  TApplicationExceptionHandler previous = std::move(InstalledHandler());
  InstalledHandler() = handler ? std::move(handler) : TApplicationExceptionHandler(ShowErrorDialog);
  return previous;
}

void HandleApplicationException(std::exception_ptr exception) {
  try {
    InstalledHandler()(exception);
  } catch (...) {
    // A failing report must not take the program down; there is nowhere
    // further to report to.
  }
}

QString ExceptionText(std::exception_ptr exception) {
  try {
    if (exception) std::rethrow_exception(exception);
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
  } catch (...) {
  }
  return QStringLiteral("Neznáma chyba programu.");
}
