#pragma once

// Registers the service console's forms with the main window's form registry.
void RegisterConsoleForms();
