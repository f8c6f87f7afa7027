#pragma once
#include "console/editor/text/CodeEditSupport.h"
#include "console/editor/text/CodeEditVirtualKeys.h"
#include <functional>
#include <vector>

class QObject;

// Handlers in the order they were added, each under the number Add returned.
template <typename Signature> class TMethodList {
public:
  using Handler = std::function<Signature>;
  int Add(Handler handler) {
    entries_.push_back({++lastId_, std::move(handler)});
    return lastId_;
  }
  void Remove(int id) {
    std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
  }
  int Count() const { return int(entries_.size()); }
  const Handler& Items(int index) const { return entries_[index].handler; }

private:
  struct Entry {
    int id;
    Handler handler;
  };
  std::vector<Entry> entries_;
  int lastId_ = 0;
};

// Lets plug-ins see the editor's key and mouse events before the control acts
// on them. Each chain runs newest handler first; a key handler that sets the
// key to 0 (or the character to NUL) ends its run. A chain that is running
// already is not run again from inside one of its handlers.
class TCodeEditKbdHandler {
public:
  using TKeyEvent = void(QObject* sender, quint16& key, TShiftState shift);
  using TKeyPressEvent = void(QObject* sender, QChar& ch);
  using TMouseEvent = void(QObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  using TMouseCursorEvent = void(QObject* sender, const TBufferCoord& linePos, Qt::CursorShape& cursor);

  void RunKeyDownHandlers(QObject* sender, quint16& key, TShiftState shift);
  void RunKeyUpHandlers(QObject* sender, quint16& key, TShiftState shift);
  void RunKeyPressHandlers(QObject* sender, QChar& ch);
  void RunMouseDownHandlers(QObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void RunMouseUpHandlers(QObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void RunMouseCursorHandlers(QObject* sender, const TBufferCoord& linePos, Qt::CursorShape& cursor);

  TMethodList<TKeyEvent> KeyDownHandlers, KeyUpHandlers;
  TMethodList<TKeyPressEvent> KeyPressHandlers;
  TMethodList<TMouseEvent> MouseDownHandlers, MouseUpHandlers;
  TMethodList<TMouseCursorEvent> MouseCursorHandlers;

private:
  bool inKeyDown_ = false, inKeyUp_ = false, inKeyPress_ = false;
  bool inMouseDown_ = false, inMouseUp_ = false, inMouseCursor_ = false;
};
