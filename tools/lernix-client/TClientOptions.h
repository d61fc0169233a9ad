#pragma once

#include "TDemonLink.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The requests of lernix-client, one a subcommand.
enum class TClientRequest : std::uint8_t { GetFile, Resolve, Query, Value, Execute, FindTitle, FindHandle };

// What the command line of lernix-client asks for.
struct TClientOptions {
    // --suffix: the host window's suffix, used as it stands.
    std::optional<std::string> Suffix;
    // The /serverhandle= switches in their order, as they were written.
    std::vector<std::string> ServerHandleSwitches;
    bool Help = false;
    bool Version = false;
    TClientRequest Request = TClientRequest::GetFile;
    // The request's one argument: the file name, the text, the key, the title or the program.
    std::string Argument;
    // find-handle: the window handle asked for.
    TWindowHandle Handle = 0;
    // execute: the program's parameters as one command-line text, the wait flag and the
    // option integer passed to the host.
    std::string Parameters;
    bool Wait = false;
    std::int32_t Option = 0;
};

// Reads the arguments after the program name: the options, the request's name, then its
// arguments (which are taken as they stand, even when they start with "-"). Throws
// std::invalid_argument, saying what is wrong, for an unknown option or request, a missing or surplus
// argument, or a handle or option that is not a 32-bit decimal integer.
TClientOptions ParseClientOptions(const std::vector<std::string>& Arguments);

// The --help text.
std::string ClientUsage();
