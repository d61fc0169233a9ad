#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// What the program's command line decides before any window exists, and the program's
// words on the terminal.

// Makes the program a participant of a host application (dictionary and parameters through
// the host); without it the program runs standalone.
inline constexpr const char* HostModeSwitch = "--host";

// The usage text that --help prints, for the program named ProgramName.
std::string UsageText(const std::string& ProgramName);
// The line that --version prints.
std::string VersionText();

// For --help (or -h) and --version anywhere among Arguments (without the program's name),
// the text to print on standard output, the first of them deciding; nothing otherwise, and
// the program starts its window.
std::optional<std::string> InformationRequest(
    const std::vector<std::string>& Arguments, const std::string& ProgramName);

// True when Arguments hold HostModeSwitch.
bool HostModeRequested(const std::vector<std::string>& Arguments);

// The line to print when no display can be opened, DisplayName being the value of DISPLAY
// (empty when unset).
std::string NoDisplayText(const std::string& ProgramName, const std::string& DisplayName);

// Between these two calls Qt's messages are held back. Should Qt fail to open a display
// meanwhile (a fatal message), NoDisplayText goes to standard error and the process ends
// with status 1 at once, instead of Qt's abort. The second call passes the held messages on.
void BeginOpeningDisplay(const std::string& ProgramName);
void EndOpeningDisplay();

// What a second start tells the user while the first copy comes to the front.
inline constexpr const char* AlreadyRunningText = "Fokalis is already running";
