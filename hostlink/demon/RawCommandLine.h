#pragma once

#include <optional>
#include <string>
#include <vector>

// The program's command line as the system handed it over: before the toolkit takes its
// own options out (-style, -reverse, ...) and before any text is re-encoded, so that the
// parameters a program passes on are the bytes that were typed.

// Keeps Argv[0] to Argv[Argc - 1]; call it before the application object exists.
void KeepRawCommandLine(int Argc, const char* const* Argv);
// The kept command line, program name first; none when nothing was kept.
const std::optional<std::vector<std::string>>& RawCommandLine();
