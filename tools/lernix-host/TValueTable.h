#pragma once

#include <map>
#include <optional>
#include <string>

// The answers to lmGetValue and lmQueryString: a key=value text file. Each line
// is split at its first "="; the key is what stands before it and may not be
// empty, the value the rest (a CR before the line break is dropped). Empty lines
// and lines that start with "#" are skipped; a later key replaces an earlier one.
class TValueTable {
public:
    TValueTable() = default;
    explicit TValueTable(std::map<std::string, std::string> Values)
        : FValues(std::move(Values))
    {
    }
    // Reads Path. Throws std::runtime_error naming the file and, for a line
    // without "=" or with an empty key, the line number.
    static TValueTable Load(const std::string& Path);

    // The value of Key, compared byte for byte; nothing when the file has no such key.
    std::optional<std::string> Lookup(const std::string& Key) const;

private:
    std::map<std::string, std::string> FValues;
};
