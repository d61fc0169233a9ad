#pragma once

#include <QString>

class QWidget;

// The user's own settings of the program, all in one file in the user's XDG config folder
// ($XDG_CONFIG_HOME, else ~/.config): fokalis/fokalis.conf. Nothing else of the program
// writes settings.

// The settings file's full name.
QString UserSettingsFile();

// Gives Window the position and size it had when SaveWindowGeometry last ran. Nothing changes
// when there is no such entry, or it is unreadable; the window system keeps a restored window
// on a screen that exists now.
void RestoreWindowGeometry(QWidget& Window);
// Records Window's position and size (also when it is minimised or maximised, its normal
// ones) in the settings file. A file that cannot be written is said on standard error.
void SaveWindowGeometry(const QWidget& Window);
