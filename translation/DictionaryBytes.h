#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class TTolkar2000;

// Only a usable dictionary counts: bytes that cannot serve are refused with the reason, so
// the user is told why instead of getting a window of keys. Wherever the bytes come from
// (a file, a host, a web server), the same test.

// A dictionary larger than this is refused rather than read into memory.
inline constexpr std::size_t MaxDictionarySize = 64 * 1024 * 1024;

// Why a dictionary of Size bytes is refused (larger than MaxDictionarySize), or nothing.
std::optional<std::string> DictionarySizeProblem(std::size_t Size);

// Why Bytes cannot serve as a dictionary, or nothing when they can: they are empty, hold a
// NUL byte (no text), are too large, hold no whole entry, or end inside an entry (a file cut short).
// Line breaks and blanks after the last entry are fine.
std::optional<std::string> DictionaryProblem(std::string_view Bytes);

// Loads Bytes into Engine when they can serve; otherwise gives why and leaves Engine as it
// was.
std::optional<std::string> LoadDictionaryBytes(TTolkar2000& Engine, const std::string& Bytes);
