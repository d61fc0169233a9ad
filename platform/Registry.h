#pragma once

#include <string>

// The one registry value the host link reads, over QSettings in system scope. A
// key path "\Software\<organisation>\<application>\<rest>" maps to organisation
// and application, and the rest becomes the group of the value: on Windows that
// is the registry key itself, elsewhere <system config>/<organisation>/<application>.conf
// (e.g. /etc/xdg/Orvik/vandrel.conf, group [demon]).
//
// LERNIX_REGISTRY_DIR, when set, replaces the system config folder (for tests and
// for hosts that run without writing to /etc).
namespace platform {

// ReadRegistryString(HKEY_LOCAL_MACHINE, KeyPath, ValueName): the value's text,
// or the empty text when the key cannot be opened or the value is missing.
std::string ReadLocalMachineString(const std::string& KeyPath, const std::string& ValueName);

} // namespace platform
