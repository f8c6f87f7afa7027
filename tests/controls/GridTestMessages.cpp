#include "GridTestMessages.h"
#include "platform/MessageDialogs.h"

struct TRecordedMessages::TImpl {
  TScriptedMessageDialogs dialogs;
  explicit TImpl(int answer) : dialogs({answer}) {}
};

TRecordedMessages::TRecordedMessages(int answer) : impl_(std::make_unique<TImpl>(answer)) {}
TRecordedMessages::~TRecordedMessages() = default;

QStringList TRecordedMessages::Texts() const {
  QStringList texts;
  for (const TMessageRequest& request : impl_->dialogs.Requests())
    texts << request.Text;
  return texts;
}
