#pragma once

#include <string>
#include <string_view>

// The dictionary file format (.itl): entries "[" key "]=" text "|$$", one after another,
// usually one per line. What stands before an entry's first "[" is ignored.

inline constexpr std::string_view ItlTerminator = "|$$";

// Key and text of one span, exactly as they stand in the file.
struct TItlEntry {
    std::string Key;
    std::string Text;
};

// Splits one span (ending in the terminator) at its first "[" and its first "]=". Without
// "]=", or with "]=" before the first "[", the key is empty; without "]=" the text is the span
// without its first byte and its terminator.
TItlEntry SplitEntry(std::string_view Span);

// A key as the table stores it, before lower-casing: CR, LF and tab become blanks, runs of
// blanks become one, a leading blank goes. A trailing blank stays.
std::string NormalizeKey(std::string_view S);

// A text as the table stores it: CR and LF become blanks (a line break in the file, two),
// "\n" becomes CR LF, "<%APPNAME%>" in any letter case becomes AppName.
std::string DecodeText(std::string_view S, std::string_view AppName);

// One line of the learning file: "[" Key "]=" Text "|$$".
std::string FormatEntry(std::string_view Key, std::string_view Text);
