// Any byte sequence is a dictionary: load it, then look up keys with arguments, all drawn
// from the input. Nothing may crash, hang or grow without bound.
#include "TTolkar2000.h"

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
    const std::size_t LineStart = Input.rfind('\n');
    std::string_view Line = LineStart == std::string_view::npos ? Input : Input.substr(LineStart + 1);
    std::vector<std::string> Parts;
    while (Parts.size() <= MaxArguments) {
        const std::size_t Tab = Line.find('\t');
        Parts.emplace_back(Line.substr(0, Tab));
        if (Tab == std::string_view::npos)
            break;
        Line.remove_prefix(Tab + 1);
    }
    return Parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string Input(reinterpret_cast<const char*>(Data), Size);
    TTolkar2000 Engine("<%1%>");
    Engine.SetAutoCreateItlFile(true);
    std::istringstream In(Input);
    Engine.LoadFromStream(In);
    std::vector<std::string> Args = Lookup(Input);
    const std::string Key = Args.front();
    Args.erase(Args.begin());
    Engine.Translate(Key, Args);
    for (const std::string& FileKey : Engine.Keys())
        Engine.Translate(FileKey, Args);
    Engine.SetAutoCreateItlFile(false);
    return 0;
}
