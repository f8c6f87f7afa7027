#pragma once
#include <QtCore/QString>

// The control kit's messages, shown through the platform's message-dialog
// service (the kit sits below the application layer and cannot use its
// message routines).

// The text of a numbered message: "Hlásenie #" and the number, a blank line,
// then the text of resource "ERR" + number.
QString KitNumberedMessageText(int number);
// Shows numbered message `number` as an error message with one OK button.
void ShowKitNumberedError(int number);
// Shows a plain message without a number in an information box.
void ShowKitInformation(const QString& text);
// Shows an error text without a number (the standard display of a raised error).
void ShowKitError(const QString& text);
