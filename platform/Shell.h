#pragma once
#include <QtCore/QString>

// Small shell services: sounds and opening documents or web addresses with
// the desktop's default application.
namespace Shell {

// Plays a sound file in the background with the first sound player found
// (paplay, pw-play, aplay); without a player the system beeps instead. Does
// nothing when the file does not exist. True when a player was started.
bool PlaySoundFile(const QString& fileName);

// The system beep.
void Beep();

// Opens a URL or a local file with the desktop's default application;
// false when the desktop refuses.
bool OpenUrl(const QString& url);

} // namespace Shell
