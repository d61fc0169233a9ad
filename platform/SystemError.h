#pragma once

#include <string>

namespace platform {

// Shown when the C library has no text for an error code.
inline constexpr const char* ErrorTextFailed = "(GetLastErrorString failed)";

// The C library's text for the calling thread's errno, as it gives it; errno is
// left unchanged. ErrorTextFailed when there is no text.
std::string GetLastErrorString();
// The same for a given error code.
std::string SystemErrorText(int Code);

} // namespace platform
