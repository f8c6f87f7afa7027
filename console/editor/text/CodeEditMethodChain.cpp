#include "console/editor/text/CodeEditMethodChain.h"

void TCodeMethodChain::AddKey(const void* key) {
  if (!key)
    throw ECodeMethodChain(QStringLiteral("%1.Entry : the parameter `AEvent' must be specified.").arg(className_));
  keys_.push_back(key);
}

std::vector<int> TCodeMethodChain::RemoveKey(const void* key) {
  if (!key)
    throw ECodeMethodChain(QStringLiteral("%1.Remove: the parameter `AEvent' must be specified.").arg(className_));
  std::vector<int> removed;
  for (int i = Count() - 1; i >= 0; --i) {
    if (keys_[i] != key) continue;
    keys_.erase(keys_.begin() + i);
    removed.push_back(i);
  }
  return removed;
}

void TCodeMethodChain::HandleException(const std::exception& error, bool& goOn) {
  try {
    OnException(this, error, goOn);
  } catch (...) {
    throw ECodeMethodChain(
        QStringLiteral("%1.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler")
            .arg(className_));
  }
}

void TCodeMethodChain::FireChain() {
  for (int i = 0; i < Count(); ++i) {
    try {
      CallEntry(i);
    } catch (const std::exception& error) {
      if (!OnException) throw;
      bool goOn = true;
      HandleException(error, goOn);
      if (!goOn) return;
    }
  }
}

void TCodeNotifyEventChain::Add(const void* listener, TNotifyEvent event) {
  AddKey(event ? listener : nullptr);
  events_.push_back(std::move(event));
}

void TCodeNotifyEventChain::Remove(const void* listener) {
  for (int index : RemoveKey(listener))
    events_.erase(events_.begin() + index);
}

void TCodeNotifyEventChain::Fire(QObject* sender) {
  sender_ = sender;
  FireChain();
}

void TCodeNotifyEventChain::CallEntry(int index) {
  const TNotifyEvent event = events_[index];
  event(sender_);
}
