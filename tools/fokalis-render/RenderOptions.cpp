#include "RenderOptions.h"

#include <charconv>
#include <climits>

namespace {

// Large enough for print figures, small enough that a typo can't exhaust memory.
constexpr int MaxSide = 16384;

int ParseInt(const std::string& Option, const std::string& Text, int Min, int Max)
{
    int value = 0;
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] = std::from_chars(Text.data(), end, value);
    if (ec != std::errc() || ptr != end || Text.empty())
        throw EUsage(Option + ": not a whole number: '" + Text + "'");
    if (value < Min || value > Max)
        throw EUsage(
            Option + ": " + Text + " is out of range " + std::to_string(Min) + ".." + std::to_string(Max));
    return value;
}

void ParseSize(const std::string& Text, TRenderOptions& o)
{
    const auto x = Text.find('x');
    if (x == std::string::npos)
        throw EUsage("--size: expected WIDTHxHEIGHT, got '" + Text + "'");
    o.Width = ParseInt("--size", Text.substr(0, x), 1, MaxSide);
    o.Height = ParseInt("--size", Text.substr(x + 1), 1, MaxSide);
}

TLenseType ParseLens(const std::string& Text)
{
    if (Text == "convex")
        return ltConvex;
    if (Text == "concave")
        return ltConcave;
    throw EUsage("--lens: expected convex or concave, got '" + Text + "'");
}

} // namespace

const char* const RenderUsage
    = "usage: fokalis-render OUT.png [options]\n"
      "Draws the lens ray diagram and writes it as a PNG file.\n"
      "\n"
      "  --size WxH              image size in pixels (default 608x475)\n"
      "  --lens convex|concave   lens type (default convex)\n"
      "  --f N                   focal length in pixels (default 80)\n"
      "  --object-x N            object distance left of the lens (default 200)\n"
      "  --object-h N            object height, negative below the axis (default 150)\n"
      "  --no-lens               leave the lens body out\n"
      "  --help                  show this text\n";

TLenseDiagramState TRenderOptions::MainWindowDiagram()
{
    TLenseDiagramState s;
    s.F = 80;
    s.ImageColor = 0x3366BB;
    return s;
}

TRenderOptions ParseRenderOptions(const std::vector<std::string>& Args)
{
    TRenderOptions o;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= Args.size())
                throw EUsage(a + ": missing value");
            return Args[++i];
        };
        if (a == "--help" || a == "-h")
            o.Help = true;
        else if (a == "--size")
            ParseSize(value(), o);
        else if (a == "--lens")
            o.State.LenseType = ParseLens(value());
        else if (a == "--f")
            o.State.F = ParseInt(a, value(), INT_MIN, INT_MAX);
        else if (a == "--object-x")
            o.State.ObjectX = ParseInt(a, value(), INT_MIN, INT_MAX);
        else if (a == "--object-h")
            o.State.ObjectH = ParseInt(a, value(), INT_MIN, INT_MAX);
        else if (a == "--no-lens")
            o.State.DrawLense = false;
        else if (a.starts_with("-") && a.size() > 1)
            throw EUsage("unknown option '" + a + "'");
        else if (o.OutFile.empty())
            o.OutFile = a;
        else
            throw EUsage("more than one output file: '" + o.OutFile + "' and '" + a + "'");
    }
    if (!o.Help && o.OutFile.empty())
        throw EUsage("no output file given");
    return o;
}
