#include "TClientOptions.h"

#include "AsciiCase.h"
#include "HostDiscovery.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace {

struct TRequestName {
    std::string_view Name;
    TClientRequest Request;
    // What its one argument is, for the message when it is missing.
    std::string_view Argument;
};

constexpr std::array<TRequestName, 7> RequestNames { {
    { "get-file", TClientRequest::GetFile, "the file name" },
    { "resolve", TClientRequest::Resolve, "the file name" },
    { "query", TClientRequest::Query, "the text" },
    { "value", TClientRequest::Value, "the key" },
    { "execute", TClientRequest::Execute, "the program" },
    { "find-title", TClientRequest::FindTitle, "the title" },
    { "find-handle", TClientRequest::FindHandle, "the window handle" },
} };

std::int32_t ParseInteger(const std::string& Text, std::string_view What)
{
    std::int32_t Value = 0;
    const char* End = Text.data() + Text.size();
    const auto [Stop, Error] = std::from_chars(Text.data(), End, Value);
    if (Text.empty() || Error != std::errc() || Stop != End)
        throw std::invalid_argument(
            std::string(What) + " must be a 32-bit decimal integer, not \"" + Text + "\"");
    return Value;
}

// The command line's arguments, taken one after the other.
class TArgumentReader {
public:
    explicit TArgumentReader(const std::vector<std::string>& Arguments)
        : FArguments(Arguments)
    {
    }

    bool AtEnd() const { return FAt == FArguments.size(); }
    // The next argument, left in place; only when not AtEnd.
    const std::string& Peek() const { return FArguments[FAt]; }
    // The next argument; throws std::invalid_argument saying that What is missing when there is none.
    const std::string& Take(std::string_view What)
    {
        if (AtEnd())
            throw std::invalid_argument(std::string(What) + " is missing");
        return FArguments[FAt++];
    }
    // Takes "Option=VALUE", or "Option" and the argument after it, and gives VALUE; takes
    // nothing when the next argument is another one.
    std::optional<std::string> TakeValueOf(const std::string& Option)
    {
        const std::string& Next = Peek();
        if (Next.starts_with(Option + "=")) {
            ++FAt;
            return Next.substr(Option.size() + 1);
        }
        if (Next != Option)
            return std::nullopt;
        ++FAt;
        return Take("the value of " + Option);
    }
    // Takes the next argument when it is exactly Flag.
    bool TakeFlag(std::string_view Flag)
    {
        if (Peek() != Flag)
            return false;
        ++FAt;
        return true;
    }

private:
    const std::vector<std::string>& FArguments;
    std::size_t FAt = 0;
};

// execute [--wait] [--option N] [--] PROGRAM [PARAMETERS]
void ReadExecute(TArgumentReader& Reader, TClientOptions& Options)
{
    while (!Reader.AtEnd()) {
        if (Reader.TakeFlag("--wait"))
            Options.Wait = true;
        else if (const auto Option = Reader.TakeValueOf("--option"))
            Options.Option = ParseInteger(*Option, "--option");
        else if (Reader.TakeFlag("--") || !Reader.Peek().starts_with('-'))
            break;
        else
            throw std::invalid_argument("unknown option of execute \"" + Reader.Peek() + "\"");
    }
    Options.Argument = Reader.Take("the program");
    if (!Reader.AtEnd())
        Options.Parameters = Reader.Take("the parameters");
}

} // namespace

TClientOptions ParseClientOptions(const std::vector<std::string>& Arguments)
{
    TClientOptions Options;
    TArgumentReader Reader(Arguments);
    while (!Reader.AtEnd()) {
        if (Reader.TakeFlag("--help") || Reader.TakeFlag("-h")) {
            Options.Help = true;
            return Options;
        }
        if (Reader.TakeFlag("--version")) {
            Options.Version = true;
            return Options;
        }
        if (auto Suffix = Reader.TakeValueOf("--suffix"))
            Options.Suffix = std::move(*Suffix);
        else if (LowerAscii(Reader.Peek()).starts_with(ServerHandleSwitch))
            Options.ServerHandleSwitches.push_back(Reader.Take("the switch"));
        else if (Reader.Peek().starts_with('-'))
            throw std::invalid_argument("unknown option \"" + Reader.Peek() + "\"");
        else
            break;
    }
    const std::string& Name = Reader.Take("the request");
    const auto* Found = std::find_if(
        RequestNames.begin(), RequestNames.end(), [&](const TRequestName& R) { return R.Name == Name; });
    if (Found == RequestNames.end())
        throw std::invalid_argument("unknown request \"" + Name + "\"");
    Options.Request = Found->Request;
    if (Options.Request == TClientRequest::Execute)
        ReadExecute(Reader, Options);
    else if (Options.Request == TClientRequest::FindHandle)
        Options.Handle = ParseInteger(Reader.Take(Found->Argument), Found->Argument);
    else
        Options.Argument = Reader.Take(Found->Argument);
    if (!Reader.AtEnd())
        throw std::invalid_argument("unexpected argument \"" + Reader.Peek() + "\"");
    return Options;
}

std::string ClientUsage()
{
    return R"(Usage: lernix-client [--suffix TEXT | /serverhandle=TEXT] REQUEST ARGUMENT...

A participant of the Lernix host link in host mode, for trying a host: it
registers at the running host, sends one request, prints the answer on
standard output, unregisters and ends.

Requests:
  get-file NAME        the bytes of the host's file NAME, as they are
  resolve NAME         the name under which the host serves NAME
  query TEXT           the host's answer to TEXT
  value KEY            the host's value of KEY
  execute [--wait] [--option N] [--] PROGRAM [PARAMETERS]
                       asks the host to start PROGRAM with PARAMETERS (one
                       command-line text; N, default 0, goes to the host as it
                       is) and prints the process id; with --wait waits until
                       the program has ended and prints its exit status, or -1
                       when the status cannot be known (only the program's
                       parent, the host, learns it)
  find-title TITLE     the participant with this application title
  find-handle HANDLE   the participant with this window handle
A participant is printed as four lines: Handle=, MutexHandle=, ExeName=, Title=.

Options:
  --suffix TEXT        the suffix of the host window's names, used as it stands
  /serverhandle=TEXT   the suffix as the program takes it from its command line:
                       any case, lower-cased, the last one wins, and the
                       registry value ViewerHandle wins over it unless that is
                       empty or "00000000"
  --help, -h           show this text
  --version            show the version
Without --suffix the host is found as the program finds it: the registry value
ViewerHandle, else the last /serverhandle= switch.

Exit status: 0 when the host answered, 1 when the request failed (no host, no
answer, no such file or participant, a program not started; the reason on
standard error), 2 for a bad command line.
)";
}
