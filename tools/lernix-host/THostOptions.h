#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// What the command line of lernix-host asks for.
struct THostOptions {
    // Appended to the host window's class name and window name.
    std::string Suffix;
    // Write Suffix to the registry value that participants read.
    bool Publish = false;
    // The folder served for lmGetFile and lmResolveName.
    std::optional<std::string> FilesFolder;
    // The key=value file that answers lmGetValue and lmQueryString.
    std::optional<std::string> ValuesFile;
    bool Verbose = false;
    bool Help = false;
    bool Version = false;
    // A participant to start once the window is up: program, then its arguments.
    std::vector<std::string> Participant;
};

// A command line that cannot be run; the text says what is wrong.
class EUsage : public std::runtime_error {
public:
    explicit EUsage(const std::string& Why)
        : std::runtime_error(Why)
    {
    }
};

// Reads the arguments after the program name. Options take their value as the
// next argument or after "="; everything after "--" is the participant's command.
// Throws EUsage for an unknown option, a missing value, a missing --suffix, or
// --publish with a suffix that participants read as "not set".
THostOptions ParseHostOptions(const std::vector<std::string>& Arguments);

// The --help text.
std::string HostUsage();
