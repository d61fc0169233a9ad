#include "AsciiCase.h"

#include <algorithm>

std::string LowerAscii(std::string_view S)
{
    std::string Result(S);
    std::transform(Result.begin(), Result.end(), Result.begin(), LowerAsciiChar);
    return Result;
}

bool SameTextAscii(std::string_view A, std::string_view B)
{
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
        [](char CA, char CB) { return LowerAsciiChar(CA) == LowerAsciiChar(CB); });
}
