#pragma once

// Registers the dialog-page controls and the report's data components with
// the engine, makes the engine's host form reachable by name ("DialogForm")
// and installs the login prompt of the report's connections.
void RegisterDialogObjects();
