#pragma once

#include <string>
#include <string_view>

// The system's texts are bytes in an 8-bit code page: case folding touches the letters
// A to Z only, never bytes above 127, whatever the locale.

// C with A to Z turned into a to z.
constexpr char LowerAsciiChar(char C)
{
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

// S with A to Z turned into a to z.
std::string LowerAscii(std::string_view S);

// Whether A and B are equal when A to Z count as a to z.
bool SameTextAscii(std::string_view A, std::string_view B);
