#pragma once
#include <QtCore/QString>

// The select of the chosen members' full rows for exports and prints: the
// selection set of this connection whose tag is bound to :ZARADENIE, sorted
// by display name and birth date.
QString ChosenMembersSql();
