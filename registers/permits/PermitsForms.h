#pragma once

// Registers the permit code lists' forms with the main window's navigation
// (app/FormRegistry.h); main() calls it before RunVimek.
void RegisterPermitsForms();
