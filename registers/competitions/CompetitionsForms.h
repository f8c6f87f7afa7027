#pragma once

// Registers the competition forms with the main window's navigation
// (app/FormRegistry.h); main() calls it before RunVimek.
void RegisterCompetitionsForms();
