#pragma once

#include <string>
#include <string_view>

// File names as the system writes them: "/", "\" and ":" all end a folder, so paths written
// for either system split the same way.

// The text after the last folder separator of Path; all of Path without one.
std::string ExtractFileName(std::string_view Path);

// The folder part of Path, up to and including its last separator; empty without one.
std::string ExtractFilePath(std::string_view Path);

// Path with the extension of its file name (from the last dot on) replaced by Extension, or
// Extension added when the file name has none; dots in folder names do not count.
std::string ReplaceFileExtension(std::string_view Path, std::string_view Extension);
