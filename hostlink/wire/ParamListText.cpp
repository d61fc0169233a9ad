#include "ParamListText.h"

#include "TMemoryStream.h"

#include <algorithm>

void WriteParamListText(TMemoryStream& Stream, const std::vector<std::string>& Lines)
{
    static constexpr char LineBreak[] = { '\r', '\n' };
    for (const std::string& Line : Lines) {
        Stream.WriteBuffer(Line.data(), Line.size());
        Stream.WriteBuffer(LineBreak, sizeof LineBreak);
    }
}

std::vector<std::string> SplitParamListText(const std::string& Text)
{
    const std::string Content = Text.substr(0, Text.find('\0'));
    std::vector<std::string> Lines;
    std::size_t Start = 0;
    while (Start < Content.size()) {
        const std::size_t Stop = Content.find_first_of("\r\n", Start);
        if (Stop == std::string::npos) {
            Lines.push_back(Content.substr(Start));
            break;
        }
        Lines.push_back(Content.substr(Start, Stop - Start));
        Start = Stop + 1;
        if (Content[Stop] == '\r' && Start < Content.size() && Content[Start] == '\n')
            ++Start;
    }
    return Lines;
}

std::vector<std::string> ReadParamListText(TMemoryStream& Stream)
{
    std::string Text(static_cast<std::size_t>(std::max<std::int64_t>(Stream.Remaining(), 0)), '\0');
    Stream.ReadBuffer(Text.data(), Text.size());
    return SplitParamListText(Text);
}
