#include "FrameText.h"

#include "MessageKinds.h"

#include <array>
#include <cstdio>

std::string MessageKindName(std::int32_t Kind)
{
    static constexpr std::array<const char*, 11> Names { "lmQuit", "lmReply", "lmRegister", "lmUnregister",
        "lmQueryEntity", "lmParams", "lmExecute", "lmGetFile", "lmResolveName", "lmQueryString",
        "lmGetValue" };
    static_assert(lmGetValue - lmQuit + 1 == Names.size(), "one name for every kind");
    if (Kind >= lmQuit && Kind <= lmGetValue)
        return Names[static_cast<std::size_t>(Kind - lmQuit)];
    return "kind " + std::to_string(Kind);
}

std::string QuoteBytes(std::string_view Bytes, std::size_t MaxShown)
{
    std::string Text = "\"";
    for (const char Byte : Bytes.substr(0, MaxShown)) {
        if (Byte == '"' || Byte == '\\') {
            Text += '\\';
            Text += Byte;
        } else if (Byte >= ' ' && Byte <= '~') {
            Text += Byte;
        } else {
            char Escaped[5];
            std::snprintf(Escaped, sizeof Escaped, "\\x%02x", static_cast<unsigned char>(Byte));
            Text += Escaped;
        }
    }
    Text += '"';
    if (Bytes.size() > MaxShown)
        Text += "... (" + std::to_string(Bytes.size()) + " bytes)";
    return Text;
}
