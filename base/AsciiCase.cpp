#include "AsciiCase.h"

#include <algorithm>

std::string LowerAscii(std::string_view S)
{
    std::string Result(S);
    std::ranges::transform(Result, Result.begin(), LowerAsciiChar);
    return Result;
}

bool SameTextAscii(std::string_view A, std::string_view B)
{
    return std::ranges::equal(A, B, {}, LowerAsciiChar, LowerAsciiChar);
}
