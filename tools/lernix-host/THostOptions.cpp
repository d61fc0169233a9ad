#include "THostOptions.h"

#include "HostDiscovery.h"

namespace {

// Gives the value of Option when Argument is "Option=VALUE" or "Option" followed
// by a next argument (which it then consumes); nothing when Argument is another option.
std::optional<std::string> OptionValue(
    const std::string& Option, const std::vector<std::string>& Arguments, std::size_t& Index)
{
    const std::string& Argument = Arguments[Index];
    if (Argument.starts_with(Option + "="))
        return Argument.substr(Option.size() + 1);
    if (Argument != Option)
        return std::nullopt;
    if (Index + 1 >= Arguments.size())
        throw EUsage(Option + " needs a value");
    return Arguments[++Index];
}

} // namespace

THostOptions ParseHostOptions(const std::vector<std::string>& Arguments)
{
    THostOptions Options;
    std::optional<std::string> Suffix;
    for (std::size_t Index = 0; Index < Arguments.size(); ++Index) {
        const std::string& Argument = Arguments[Index];
        if (Argument == "--") {
            Options.Participant.assign(
                Arguments.begin() + static_cast<std::ptrdiff_t>(Index) + 1, Arguments.end());
            if (Options.Participant.empty())
                throw EUsage("-- must be followed by the program to start");
            break;
        }
        if (Argument == "--help" || Argument == "-h")
            Options.Help = true;
        else if (Argument == "--version")
            Options.Version = true;
        else if (Argument == "--publish")
            Options.Publish = true;
        else if (Argument == "--verbose" || Argument == "-v")
            Options.Verbose = true;
        else if (auto Value = OptionValue("--suffix", Arguments, Index))
            Suffix = std::move(*Value);
        else if (auto Folder = OptionValue("--files", Arguments, Index))
            Options.FilesFolder = std::move(*Folder);
        else if (auto File = OptionValue("--values", Arguments, Index))
            Options.ValuesFile = std::move(*File);
        else
            throw EUsage("unknown argument \"" + Argument + "\"");
    }
    if (Options.Help || Options.Version)
        return Options;
    if (!Suffix)
        throw EUsage("--suffix is required (it may be empty: --suffix=)");
    Options.Suffix = std::move(*Suffix);
    if (Options.Publish && (Options.Suffix.empty() || Options.Suffix == UnsetServerHandle))
        throw EUsage("--publish needs a suffix other than \"\" and \"" + std::string(UnsetServerHandle)
            + "\", which participants read as not set");
    return Options;
}

std::string HostUsage()
{
    return R"(Usage: lernix-host --suffix TEXT [OPTION]... [-- PROGRAM [ARGUMENT]...]

A host application for the Lernix host link. It makes the host window
"ThisIsTheLernixServerComponentWindow" + TEXT (class name
"ThisIsTheLernixServerComponentWindowClass" + TEXT) and answers its participants.

  --suffix TEXT   the suffix of the host window's names (required; may be empty)
  --publish       also write TEXT to the registry value ViewerHandle, where
                  participants look for it; on exit the value found before is
                  put back, or removed when there was none (a file left without
                  values is removed too)
  --files DIR     serve the files below DIR for lmGetFile and lmResolveName
                  (names are relative to DIR; "..", absolute names and links
                  that lead out of DIR are refused)
  --values FILE   answer lmGetValue and lmQueryString from FILE: one KEY=VALUE
                  per line, split at the first "="; empty lines and lines
                  starting with "#" are skipped; a later key replaces an earlier
  --verbose, -v   log every frame received and every answer on standard error
  --help, -h      show this text
  --version       show the version
  -- PROGRAM ...  start PROGRAM with its arguments and /serverhandle=TEXT

Signals: SIGINT and SIGTERM send lmQuit with ServerDown true to every
participant and end the host (a second one ends it at once); SIGUSR1 sends
lmQuit with ServerDown false and keeps the host running.

Exit status: 0 after a stop signal, 1 when the host cannot run, 2 for a bad
command line.
)";
}
