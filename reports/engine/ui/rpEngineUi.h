#pragma once
#include <QtCore/QString>

// Gives the running engine its windows: the error message box, the password
// dialog, the windows of dialog pages with their host form, and the printers
// Qt knows behind the report printer (the virtual printer stays when there is
// none). Called once after rpEngineStart.
void rpInstallEngineUi();

// A message box with the text, title, and the buttons and icon of the "mb_"
// flags; answers the modal result of the button pressed (1 OK, 2 cancel, 6 yes, 7 no).
int rpShowMessageBox(const QString& text, const QString& title, int flags);
