#include "ItlFormat.h"

#include "StringHelpers.h"

#include <algorithm>

namespace {

constexpr std::string_view KeyOpen = "[";
constexpr std::string_view KeyClose = "]=";

} // namespace

TItlEntry SplitEntry(std::string_view Span)
{
    const std::size_t open = FindNth(KeyOpen, Span, 1, 1, false);
    const std::size_t close = FindNth(KeyClose, Span, 1, 1, false);
    const std::size_t terminator = FindNth(ItlTerminator, Span, 1, 1, true);
    TItlEntry entry;
    if (close > open + 1)
        entry.Key = Span.substr(open, close - open - 1);
    const std::size_t textStart = close + 2;
    if (terminator > textStart)
        entry.Text = Span.substr(textStart - 1, terminator - textStart);
    return entry;
}

std::string NormalizeKey(std::string_view S)
{
    std::string key;
    key.reserve(S.size());
    for (const char c : S) {
        const char blanked = (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
        if (blanked == ' ' && (key.empty() || key.back() == ' '))
            continue;
        key.push_back(blanked);
    }
    return key;
}

std::string DecodeText(std::string_view S, std::string_view AppName)
{
    std::string text(S);
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return ReplaceAll(ReplaceAll(text, "\\n", "\r\n", false), "<%APPNAME%>", AppName, true);
}

std::string FormatEntry(std::string_view Key, std::string_view Text)
{
    std::string line;
    line.append(KeyOpen).append(Key).append(KeyClose).append(Text).append(ItlTerminator);
    return line;
}
