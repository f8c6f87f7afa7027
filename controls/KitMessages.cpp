#include "controls/KitMessages.h"
#include "platform/MessageDialogs.h"
#include "platform/base/ProgramResources.h"

QString KitNumberedMessageText(int number) {
  return QStringLiteral("Hlásenie #") + QString::number(number) + QStringLiteral("\r\n\r\n") +
         ProgramResources::NumberedMessageText(number);
}

void ShowKitNumberedError(int number) { MessageDlg(KitNumberedMessageText(number), TMsgDlgType::Error, mbOK, mrOk); }

void ShowKitInformation(const QString& text) { MessageDlg(text, TMsgDlgType::Information, mbOK, mrOk); }

void ShowKitError(const QString& text) { MessageDlg(text, TMsgDlgType::Error, mbOK, mrOk); }
