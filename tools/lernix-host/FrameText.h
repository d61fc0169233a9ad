#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts for the host's log.

// "lmGetValue" and the like for the host-link kinds; "kind N" for any other.
std::string MessageKindName(std::int32_t Kind);
// Bytes in double quotes, printable ASCII as it is and every other byte as \xNN;
// longer texts are cut after MaxShown bytes and their length is added.
std::string QuoteBytes(std::string_view Bytes, std::size_t MaxShown = 120);
