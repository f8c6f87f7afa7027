#pragma once
#include <QtCore/QString>

// The help topic of a designer control for the help tool: the control's tag
// + 430 for the buttons of the objects palette (an add-in button counts as
// tag 5), + 400 for every other control (tag 0 when it has none).
int rpDesignerHelpTopic(const QString& controlName);
