#pragma once

// Registers the membership registers' forms with the main window's
// navigation (app/FormRegistry.h); main() calls it before RunVimek.
void RegisterMembersForms();
