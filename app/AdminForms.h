#pragma once

// Registers the administration forms (settings, backup, year rollover,
// system information) with the main window's form registry.
void RegisterAdministrationForms();
