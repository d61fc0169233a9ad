#pragma once

#include <string>

// File names derived from the program file's name. "/", "\" and ":" all end a folder.

// The folder part of Path, up to and including its last separator; empty without one.
std::string ExtractFilePath(const std::string& Path);

// The dictionary beside the program: ProgramPath with its extension replaced by ".itl", or
// ".itl" added when it has none ("/opt/x/fokalis" gives "/opt/x/fokalis.itl",
// "C:\X\demo.exe" gives "C:\X\demo.itl").
std::string DictionaryFileName(const std::string& ProgramPath);

// The running program's file: the real path of its executable.
std::string ApplicationFileName();
