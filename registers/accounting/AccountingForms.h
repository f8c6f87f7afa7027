#pragma once

// Registers the accounting registers' forms with the main window's
// navigation (app/FormRegistry.h) and the member card's cash-book button;
// main() calls it before RunVimek.
void RegisterAccountingForms();
