#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Naming and writing the learning file of missed translation keys.

// Why a file could not be written, as a message for the user.
struct TWriteFailure {
    std::string Message;
};

// The program file's name without its folder ("/", "\" and ":" all separate folders), with
// its extension replaced by ".itl", or ".itl" added when it has none: "/opt/x/fokalis" gives
// "fokalis.itl", "C:\X\demo.exe" gives "demo.itl".
std::string LearningFileName(std::string_view ProgramPath);

// The running program's file, or nothing when the system does not tell it.
std::optional<std::filesystem::path> ProgramFilePath();

// Writes Lines, each followed by CR LF, to Target, replacing any file of that name (a link
// there is replaced, not followed). The bytes go to a new file beside Target, created under a
// random name only where nothing stands yet, and are flushed to disk before that file is
// renamed over Target: a failure leaves the old file (or none), never half a file, and never
// writes through a link planted beside Target.
std::optional<TWriteFailure> SaveLinesReplacing(
    const std::filesystem::path& Target, const std::vector<std::string>& Lines);
