#pragma once

class TIBComboBox;

// The lookups of the competition registers: a league (c_lig) or a team
// (c_druzstva_pretekarov) by its name, keyed by jedin, ordered by name; a
// typed name that matches none is refused with message 1019.
void SetupLeagueCombo(TIBComboBox& combo);
void SetupTeamCombo(TIBComboBox& combo);
