#pragma once
#include <QtCore/QString>

// The program's own texts compiled into it: the numbered messages, resources
// "ERR<number>" (program messages) and "IBERR<server error code>" (texts of
// database errors). Line breaks in the texts are CR LF, as the dialogs and
// the callers' formatting expect.
namespace ProgramResources {

// The whole text of the named resource; empty when there is no such resource.
QString Text(const QString& name);

// The text of resource "ERR" + number.
QString NumberedMessageText(int number);

// The text of resource "IBERR" + the server's error code.
QString DatabaseErrorText(qint64 errorCode);

} // namespace ProgramResources
