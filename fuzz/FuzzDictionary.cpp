// Any byte sequence is a dictionary: load it, then look up keys with arguments, all drawn
// from the input. Nothing may crash, hang or grow without bound.
#include "Tolkar2000.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t MaxArguments = 8;

// The input's last line is split at tabs into a lookup key and its arguments.
std::vector<std::string> Lookup(std::string_view Input)
{
    const std::size_t lineStart = Input.rfind('\n');
    std::string_view line = lineStart == std::string_view::npos ? Input : Input.substr(lineStart + 1);
    std::vector<std::string> parts;
    while (parts.size() <= MaxArguments) {
        const std::size_t tab = line.find('\t');
        parts.emplace_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            break;
        line.remove_prefix(tab + 1);
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    TTolkar2000 engine("<%1%>");
    engine.SetAutoCreateItlFile(true);
    std::istringstream in(input);
    engine.LoadFromStream(in);
    std::vector<std::string> args = Lookup(input);
    const std::string key = args.front();
    args.erase(args.begin());
    engine.Translate(key, args);
    for (const std::string& fileKey : engine.Keys())
        engine.Translate(fileKey, args);
    engine.SetAutoCreateItlFile(false);
    return 0;
}
