#include "StringHelpers.h"

#include "AsciiCase.h"
#include "TByteStream.h"

#include <algorithm>
#include <array>

namespace {

bool HasAsciiLetter(std::string_view S)
{
    return std::any_of(S.begin(), S.end(), [](char C) {
        const char Lower = LowerAsciiChar(C);
        return Lower >= 'a' && Lower <= 'z';
    });
}

// The 0-based index of the first occurrence of Sub in S at or after From, or npos.
std::size_t FindFrom(std::string_view Sub, std::string_view S, std::size_t From, bool IgnoreCase)
{
    if (Sub.empty() || From > S.size())
        return std::string_view::npos;
    if (!IgnoreCase || !HasAsciiLetter(Sub))
        return S.find(Sub, From);
    const auto Found = std::search(S.begin() + static_cast<std::ptrdiff_t>(From), S.end(), Sub.begin(),
        Sub.end(), [](char A, char B) { return LowerAsciiChar(A) == LowerAsciiChar(B); });
    return Found == S.end() ? std::string_view::npos : static_cast<std::size_t>(Found - S.begin());
}

} // namespace

std::size_t FindNth(
    std::string_view Sub, std::string_view S, std::size_t Start, std::size_t Count, bool IgnoreCase)
{
    if (Count == 0)
        return 0;
    std::size_t From = Start == 0 ? 0 : Start - 1;
    for (std::size_t Found = 1;; ++Found) {
        const std::size_t At = FindFrom(Sub, S, From, IgnoreCase);
        if (At == std::string_view::npos)
            return 0;
        if (Found == Count)
            return At + 1;
        From = At + Sub.size();
    }
}

std::string ReplaceAll(std::string_view S, std::string_view Old, std::string_view New, bool IgnoreCase)
{
    std::string Result;
    std::size_t From = 0;
    for (std::size_t At = FindFrom(Old, S, 0, IgnoreCase); At != std::string_view::npos;
         At = FindFrom(Old, S, From, IgnoreCase)) {
        Result.append(S.substr(From, At - From)).append(New);
        From = At + Old.size();
    }
    Result.append(S.substr(From));
    return Result;
}

std::optional<std::string> ReadUntil(TByteStream& Stream, std::string_view Delimiter)
{
    if (Delimiter.empty())
        return std::nullopt;
    std::string Span;
    std::array<char, ReadUntilBlockSize> Block {};
    for (;;) {
        const std::size_t Count = Stream.Read(Block.data(), Block.size());
        if (Count == 0)
            return std::nullopt;
        const std::size_t SearchFrom
            = Span.size() >= Delimiter.size() ? Span.size() - Delimiter.size() + 1 : 0;
        Span.append(Block.data(), Count);
        const std::size_t At = FindFrom(Delimiter, Span, SearchFrom, true);
        if (At != std::string_view::npos) {
            const std::size_t End = At + Delimiter.size();
            Stream.PutBack(std::string_view(Span).substr(End));
            Span.resize(End);
            return Span;
        }
    }
}
