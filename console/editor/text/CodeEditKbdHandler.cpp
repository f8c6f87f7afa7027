#include "console/editor/text/CodeEditKbdHandler.h"

namespace {

// Runs the handlers newest first until `goOn` fails after one of them, with
// the chain's flag set for the run (and cleared when a handler throws). A
// handler may remove handlers while the chain runs.
template <typename List, typename Call, typename GoOn>
void RunChain(bool& running, const List& list, Call call, GoOn goOn) {
  if (running) return;
  running = true;
  try {
    for (int i = list.Count() - 1; i >= 0; --i) {
      if (i >= list.Count()) continue;
      const auto handler = list.Items(i);
      call(handler);
      if (!goOn()) break;
    }
  } catch (...) {
    running = false;
    throw;
  }
  running = false;
}

constexpr auto kAlways = [] { return true; };

} // namespace

void TCodeEditKbdHandler::RunKeyDownHandlers(QObject* sender, quint16& key, TShiftState shift) {
  RunChain(
      inKeyDown_, KeyDownHandlers, [&](const auto& h) { h(sender, key, shift); }, [&] { return key != 0; });
}

void TCodeEditKbdHandler::RunKeyUpHandlers(QObject* sender, quint16& key, TShiftState shift) {
  RunChain(
      inKeyUp_, KeyUpHandlers, [&](const auto& h) { h(sender, key, shift); }, [&] { return key != 0; });
}

void TCodeEditKbdHandler::RunKeyPressHandlers(QObject* sender, QChar& ch) {
  RunChain(
      inKeyPress_, KeyPressHandlers, [&](const auto& h) { h(sender, ch); }, [&] { return ch != QChar(); });
}

void TCodeEditKbdHandler::RunMouseDownHandlers(QObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
  RunChain(
      inMouseDown_, MouseDownHandlers, [&](const auto& h) { h(sender, button, shift, x, y); }, kAlways);
}

void TCodeEditKbdHandler::RunMouseUpHandlers(QObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
  RunChain(
      inMouseUp_, MouseUpHandlers, [&](const auto& h) { h(sender, button, shift, x, y); }, kAlways);
}

void TCodeEditKbdHandler::RunMouseCursorHandlers(QObject* sender, const TBufferCoord& linePos,
                                                 Qt::CursorShape& cursor) {
  RunChain(
      inMouseCursor_, MouseCursorHandlers, [&](const auto& h) { h(sender, linePos, cursor); }, kAlways);
}
