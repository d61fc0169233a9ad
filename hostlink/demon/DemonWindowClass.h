#pragma once

#include <cstddef>
#include <string>

// The longest window class name, as on Windows.
inline constexpr std::size_t MaxWindowClassNameLength = 256;

// The system's text for the calling thread's last error, or
// "(GetLastErrorString failed)" when it has none.
std::string GetLastErrorString();

// Windows registers a class before it makes a window of it; our windows carry
// their class name themselves, so registering only checks that the name can
// name a window: 1 to MaxWindowClassNameLength bytes, no NUL. Otherwise throws
// ELernix with the system's text for EINVAL.
void RegisterDemonWindowClass(const std::string& ClassName);
