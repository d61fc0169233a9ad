#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class TByteStream;

// Byte-string helpers of the dictionary engine. Texts are bytes in the 8-bit code page;
// "ignoring case" touches the letters A to Z only, never bytes above 127.

// The 1-based position in S of the Count-th occurrence of Sub that begins at or after the
// 1-based Start (a Start of 0 counts as 1). Occurrences do not overlap: each search begins
// after the end of the previous occurrence. 0 when there are fewer than Count occurrences,
// when Count is 0, or when Sub is empty.
std::size_t FindNth(
    std::string_view Sub, std::string_view S, std::size_t Start, std::size_t Count, bool IgnoreCase);

// S with every occurrence of Old replaced by New, searched from the left; text that has been
// inserted is never searched again. An empty Old changes nothing.
std::string ReplaceAll(std::string_view S, std::string_view Old, std::string_view New, bool IgnoreCase);

// The bytes of Stream up to and including the first occurrence of Delimiter (found ignoring
// case). Bytes read past it are put back into Stream for the next call. When the stream ends
// before a Delimiter (or Delimiter is empty) there is no span and the bytes read are dropped.
// Each block is searched only where it adds to the span, so a long span costs linear time.
std::optional<std::string> ReadUntil(TByteStream& Stream, std::string_view Delimiter);

// Bytes asked of the stream per read.
inline constexpr std::size_t ReadUntilBlockSize = 256;
