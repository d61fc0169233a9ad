#pragma once

#include "TDemonLink.h"

#include <string>
#include <vector>

namespace platform {
class TWindowMessaging;
}

// Finding the host application's window. Its names carry a suffix that the
// host publishes in the registry or passes to the program on its command line.

inline constexpr const char* ServerWindowClassName = "ThisIsTheLernixServerComponentWindowClass";
inline constexpr const char* ServerWindowName = "ThisIsTheLernixServerComponentWindow";
inline constexpr const char* DemonRegistryKey = "\\Software\\Orvik\\vandrel\\demon";
inline constexpr const char* ViewerHandleValue = "ViewerHandle";
inline constexpr const char* ServerHandleSwitch = "/serverhandle=";
// The registry suffix that means "not set".
inline constexpr const char* UnsetServerHandle = "00000000";

// The suffix the host published under DemonRegistryKey, or empty when none is (the
// platform's stand-in for the registry; LERNIX_REGISTRY_DIR moves it for tests).
std::string ReadViewerHandle();

// The program's command line, program name first, as 8-bit text: the one kept before
// the application object existed (RawCommandLine.h), else the application's arguments.
std::vector<std::string> CommandLine();
// The same without the program name.
std::vector<std::string> CommandLineParameters();

// The suffix from a registry value and the program's parameters: the registry
// value unless it is empty or "00000000"; then the last parameter that starts
// with "/serverhandle=" in any case, lower-cased, from its 15th character on;
// without one the registry value as it was.
std::string GetServerHandleSuffix(
    const std::string& RegistryValue, const std::vector<std::string>& Parameters);
// The same from the registry and CommandLineParameters().
std::string GetServerHandleSuffix();

// The host's window for Suffix, or 0 when none is running.
TWindowHandle FindServerWindow(platform::TWindowMessaging& Messaging, const std::string& Suffix);
// The same with GetServerHandleSuffix().
TWindowHandle FindServerWindow(platform::TWindowMessaging& Messaging);
