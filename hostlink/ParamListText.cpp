#include "ParamListText.h"

#include "TMemoryStream.h"

#include <algorithm>

void WriteParamListText(TMemoryStream& Stream, const std::vector<std::string>& Lines)
{
    static constexpr char LineBreak[] = { '\r', '\n' };
    for (const std::string& line : Lines) {
        Stream.WriteBuffer(line.data(), line.size());
        Stream.WriteBuffer(LineBreak, sizeof LineBreak);
    }
}

std::vector<std::string> SplitParamListText(const std::string& Text)
{
    const std::string text = Text.substr(0, Text.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + 1;
        if (text[stop] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

std::vector<std::string> ReadParamListText(TMemoryStream& Stream)
{
    std::string text(static_cast<std::size_t>(std::max<std::int64_t>(Stream.Remaining(), 0)), '\0');
    Stream.ReadBuffer(text.data(), text.size());
    return SplitParamListText(text);
}
