#include "RenderOptions.h"

#include "LenseDrag.h"

#include <charconv>
#include <climits>
#include <optional>
#include <utility>

namespace {

// Large enough for print figures, small enough that a typo can't exhaust memory.
constexpr int MaxSide = 16384;

int ParseInt(const std::string& Option, const std::string& Text, int Min, int Max)
{
    int Value = 0;
    const char* End = Text.data() + Text.size();
    const auto [Rest, Error] = std::from_chars(Text.data(), End, Value);
    if (Error != std::errc() || Rest != End || Text.empty())
        throw EUsage(Option + ": not a whole number: '" + Text + "'");
    if (Value < Min || Value > Max)
        throw EUsage(
            Option + ": " + Text + " is out of range " + std::to_string(Min) + ".." + std::to_string(Max));
    return Value;
}

void ParseSize(const std::string& Text, TRenderOptions& Options)
{
    const auto Cross = Text.find('x');
    if (Cross == std::string::npos)
        throw EUsage("--size: expected WIDTHxHEIGHT, got '" + Text + "'");
    Options.Width = ParseInt("--size", Text.substr(0, Cross), 1, MaxSide);
    Options.Height = ParseInt("--size", Text.substr(Cross + 1), 1, MaxSide);
}

TLenseType ParseLens(const std::string& Text)
{
    if (Text == "convex")
        return TLenseType::ltConvex;
    if (Text == "concave")
        return TLenseType::ltConcave;
    throw EUsage("--lens: expected convex or concave, got '" + Text + "'");
}

} // namespace

const char* const RenderUsage
    = "usage: fokalis-render OUT.png|OUT.svg|- [options]\n"
      "Draws the lens ray diagram and writes it as a PNG picture, or as an SVG\n"
      "drawing when the file name ends in .svg; - writes PNG to standard output.\n"
      "An existing file is replaced, anything else that exists is left alone.\n"
      "\n"
      "  --size WxH              image size in pixels (default 608x475)\n"
      "  --lens convex|concave   lens type (default convex)\n"
      "  --f N                   focal length in pixels, at least 1 for either lens\n"
      "                          (default 80)\n"
      "  --object-x N            object distance left of the lens, at least 1\n"
      "                          (default 200)\n"
      "  --object-h N            object height, negative below the axis (default 150)\n"
      "  --no-lens               leave the lens body out\n"
      "  --help                  show this text\n"
      "  --version               show the version\n"
      "Every option also takes its value as --option=VALUE.\n";

TRenderOptions ParseRenderOptions(const std::vector<std::string>& Args)
{
    TRenderOptions Options;
    for (std::size_t I = 0; I < Args.size(); ++I) {
        // "--f=90" is "--f 90".
        const std::string& Word = Args[I];
        const auto Equals = Word.starts_with("--") ? Word.find('=') : std::string::npos;
        const std::string Arg = Word.substr(0, Equals);
        std::optional<std::string> Attached;
        if (Equals != std::string::npos)
            Attached = Word.substr(Equals + 1);
        auto NextValue = [&]() -> std::string {
            if (Attached)
                return *std::exchange(Attached, std::nullopt);
            if (I + 1 >= Args.size())
                throw EUsage(Arg + ": missing value");
            return Args[++I];
        };
        if (Arg == "--help" || Arg == "-h")
            Options.Help = true;
        else if (Arg == "--version")
            Options.Version = true;
        else if (Arg == "--size")
            ParseSize(NextValue(), Options);
        else if (Arg == "--lens")
            Options.State.LenseType = ParseLens(NextValue());
        else if (Arg == "--f")
            Options.State.F = ParseInt(Arg, NextValue(), MinFocalLength, INT_MAX);
        else if (Arg == "--object-x")
            Options.State.ObjectX = ParseInt(Arg, NextValue(), MinObjectX, INT_MAX);
        else if (Arg == "--object-h")
            Options.State.ObjectH = ParseInt(Arg, NextValue(), INT_MIN, INT_MAX);
        else if (Arg == "--no-lens")
            Options.State.DrawLense = false;
        else if (Arg.starts_with("-") && Arg.size() > 1)
            throw EUsage("unknown option '" + Arg + "'");
        else if (Options.OutFile.empty())
            Options.OutFile = Arg;
        else
            throw EUsage("more than one output file: '" + Options.OutFile + "' and '" + Arg + "'");
        if (Attached)
            throw EUsage(Arg + ": takes no value");
    }
    if (!Options.Help && !Options.Version && Options.OutFile.empty())
        throw EUsage("no output file given");
    return Options;
}
