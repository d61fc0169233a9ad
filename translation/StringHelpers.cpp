#include "StringHelpers.h"

#include "ByteStream.h"

#include <algorithm>
#include <array>

namespace {

char LowerByte(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

bool HasAsciiLetter(std::string_view S)
{
    return std::any_of(S.begin(), S.end(), [](char C) { return LowerByte(C) >= 'a' && LowerByte(C) <= 'z'; });
}

// The 0-based index of the first occurrence of Sub in S at or after From, or npos.
std::size_t FindFrom(std::string_view Sub, std::string_view S, std::size_t From, bool IgnoreCase)
{
    if (Sub.empty() || From > S.size())
        return std::string_view::npos;
    if (!IgnoreCase || !HasAsciiLetter(Sub))
        return S.find(Sub, From);
    const auto found = std::search(S.begin() + static_cast<std::ptrdiff_t>(From), S.end(), Sub.begin(),
        Sub.end(), [](char A, char B) { return LowerByte(A) == LowerByte(B); });
    return found == S.end() ? std::string_view::npos : static_cast<std::size_t>(found - S.begin());
}

} // namespace

std::string LowerAscii(std::string_view S)
{
    std::string lower(S);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerByte);
    return lower;
}

std::size_t FindNth(
    std::string_view Sub, std::string_view S, std::size_t Start, std::size_t Count, bool IgnoreCase)
{
    if (Count == 0)
        return 0;
    std::size_t from = Start == 0 ? 0 : Start - 1;
    for (std::size_t found = 1;; ++found) {
        const std::size_t at = FindFrom(Sub, S, from, IgnoreCase);
        if (at == std::string_view::npos)
            return 0;
        if (found == Count)
            return at + 1;
        from = at + Sub.size();
    }
}

std::string ReplaceAll(std::string_view S, std::string_view Old, std::string_view New, bool IgnoreCase)
{
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = FindFrom(Old, S, 0, IgnoreCase); at != std::string_view::npos;
         at = FindFrom(Old, S, from, IgnoreCase)) {
        result.append(S.substr(from, at - from)).append(New);
        from = at + Old.size();
    }
    result.append(S.substr(from));
    return result;
}

std::optional<std::string> ReadUntil(TByteStream& Stream, std::string_view Delimiter)
{
    if (Delimiter.empty())
        return std::nullopt;
    std::string span;
    std::array<char, ReadUntilBlockSize> block {};
    for (;;) {
        const std::size_t count = Stream.Read(block.data(), block.size());
        if (count == 0)
            return std::nullopt;
        const std::size_t searchFrom
            = span.size() >= Delimiter.size() ? span.size() - Delimiter.size() + 1 : 0;
        span.append(block.data(), count);
        const std::size_t at = FindFrom(Delimiter, span, searchFrom, true);
        if (at != std::string_view::npos) {
            const std::size_t end = at + Delimiter.size();
            Stream.PutBack(std::string_view(span).substr(end));
            span.resize(end);
            return span;
        }
    }
}
