#pragma once
#include "core/Exception.h"
#include <QtCore/QString>
#include <functional>
#include <vector>

class QObject;

class ECodeMethodChain : public Exception {
public:
  using Exception::Exception;
};

// Handlers called in the order they were added. Each entry is known by the
// key it was added with (its listener), so that the listener can remove it
// again. An entry that throws ends the run, unless OnException lets it go on.
class TCodeMethodChain {
public:
  explicit TCodeMethodChain(QString className = QStringLiteral("TCodeMethodChain"))
      : className_(std::move(className)) {}
  virtual ~TCodeMethodChain() = default;

  int Count() const { return int(keys_.size()); }
  // (sender, exception, continue): keep `continue` true to call the next entry.
  std::function<void(TCodeMethodChain*, const std::exception&, bool&)> OnException;

protected:
  // Raise ECodeMethodChain for an empty key.
  void AddKey(const void* key);
  // Removes every entry of the key, newest first; returns the removed indexes.
  std::vector<int> RemoveKey(const void* key);
  void FireChain();
  virtual void CallEntry(int index) = 0;

private:
  void HandleException(const std::exception& error, bool& goOn);

  QString className_;
  std::vector<const void*> keys_;
};

// A chain of notify events, each called with the sender given to Fire (the
// highlighter that owns the chain).
class TCodeNotifyEventChain : public TCodeMethodChain {
public:
  using TNotifyEvent = std::function<void(QObject* sender)>;
  TCodeNotifyEventChain() : TCodeMethodChain(QStringLiteral("TCodeNotifyEventChain")) {}

  void Add(const void* listener, TNotifyEvent event);
  void Remove(const void* listener);
  void Fire(QObject* sender);

protected:
  void CallEntry(int index) override;

private:
  std::vector<TNotifyEvent> events_;
  QObject* sender_ = nullptr;
};
