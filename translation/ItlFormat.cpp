#include "ItlFormat.h"

#include "StringHelpers.h"

#include <algorithm>

namespace {

constexpr std::string_view KeyOpen = "[";
constexpr std::string_view KeyClose = "]=";

} // namespace

TItlEntry SplitEntry(std::string_view Span)
{
    const std::size_t Open = FindNth(KeyOpen, Span, 1, 1, false);
    const std::size_t Close = FindNth(KeyClose, Span, 1, 1, false);
    const std::size_t Terminator = FindNth(ItlTerminator, Span, 1, 1, true);
    TItlEntry Entry;
    if (Close > Open + 1)
        Entry.Key = Span.substr(Open, Close - Open - 1);
    const std::size_t TextStart = Close + 2;
    if (Terminator > TextStart)
        Entry.Text = Span.substr(TextStart - 1, Terminator - TextStart);
    return Entry;
}

std::string NormalizeKey(std::string_view S)
{
    std::string Key;
    Key.reserve(S.size());
    for (const char C : S) {
        const char Blanked = (C == '\r' || C == '\n' || C == '\t') ? ' ' : C;
        if (Blanked == ' ' && (Key.empty() || Key.back() == ' '))
            continue;
        Key.push_back(Blanked);
    }
    return Key;
}

std::string DecodeText(std::string_view S, std::string_view AppName)
{
    std::string Text(S);
    std::replace(Text.begin(), Text.end(), '\r', ' ');
    std::replace(Text.begin(), Text.end(), '\n', ' ');
    return ReplaceAll(ReplaceAll(Text, "\\n", "\r\n", false), "<%APPNAME%>", AppName, true);
}

std::string FormatEntry(std::string_view Key, std::string_view Text)
{
    std::string Line;
    Line.append(KeyOpen).append(Key).append(KeyClose).append(Text).append(ItlTerminator);
    return Line;
}
