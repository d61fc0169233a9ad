#pragma once

#include <optional>
#include <string>

// The one registry value the host link uses, over QSettings in system scope. A
// key path "\Software\<organisation>\<application>\<rest>" maps to organisation
// and application, and the rest becomes the group of the value: on Windows that
// is the registry key itself, elsewhere <system config>/<organisation>/<application>.conf
// (e.g. /etc/xdg/Orvik/vandrel.conf, group [demon]).
//
// LERNIX_REGISTRY_DIR, when set, replaces the system config folder (for tests and
// for hosts that run without writing to /etc).
namespace platform {

// The value's text, or none when the key path is not under
// "\Software\<organisation>\<application>", the name is empty or the value is missing.
std::optional<std::string> FindLocalMachineString(const std::string& KeyPath, const std::string& ValueName);

// The value's text, or the empty text when the key cannot be opened or the value is missing.
std::string ReadLocalMachineString(const std::string& KeyPath, const std::string& ValueName);

// Writes Value, or removes the value when Value is none. False when the key path cannot
// hold a value or the store cannot be written.
bool WriteLocalMachineString(
    const std::string& KeyPath, const std::string& ValueName, const std::optional<std::string>& Value);

// Where the values under KeyPath are kept (a file on POSIX), for messages.
std::string LocalMachineStore(const std::string& KeyPath);

} // namespace platform
