#pragma once
#include <QtCore/QStringList>
#include <memory>

// Answers the first message the control kit shows with `answer` (later ones
// get no button) and records the texts, for tests that also need the form base class (whose modal-result
// names the message-dialog header repeats).
class TRecordedMessages {
public:
  explicit TRecordedMessages(int answer = 1);
  ~TRecordedMessages();
  QStringList Texts() const;

private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};
