#pragma once

// Gives the running engine its windows: the error message box, the password
// dialog, and the printers Qt knows behind the report printer (the virtual
// printer stays when there is none). Called once after rpEngineStart.
void rpInstallEngineUi();
