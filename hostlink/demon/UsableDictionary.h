#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TTolkar2000;

// Only a usable dictionary counts: a file that cannot serve is passed over for the next
// choice, and the user is told which file and why, instead of a window of keys.

// A dictionary larger than this is refused rather than read into memory.
inline constexpr std::size_t MaxDictionarySize = 64 * 1024 * 1024;

// Why Bytes cannot serve as a dictionary, or nothing when they can: they are empty, hold a
// NUL byte (no text), hold no whole entry, or end inside an entry (a file cut short).
// Line breaks and blanks after the last entry are fine.
std::optional<std::string> DictionaryProblem(std::string_view Bytes);

// Loads Bytes into Engine when they can serve; otherwise gives why and leaves Engine as it
// was.
std::optional<std::string> LoadDictionaryBytes(TTolkar2000& Engine, const std::string& Bytes);

// Receives one complaint: the file's name and why it cannot be used.
using TDictionaryComplaint = std::function<void(const std::string& File, const std::string& Why)>;

// Loads into Engine the first of Files that can serve and gives its name. A file that does
// not exist is passed over in silence; one that exists but cannot serve (a folder, a pipe or
// device, unreadable, too large, or with a DictionaryProblem) is passed over with a
// Complaint. Empty when none could be loaded; Engine is then as it was.
std::string LoadFirstUsableDictionary(
    TTolkar2000& Engine, const std::vector<std::string>& Files, const TDictionaryComplaint& Complaint);
