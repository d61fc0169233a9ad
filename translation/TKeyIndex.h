#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lookup index of the dictionary table: key -> index of its first entry. The keys stay in
// the table; the index holds only their hashes and positions in one flat array (open
// addressing), so adding an entry rarely touches another key's memory and loading stays
// linear in time however large the table grows.
class TKeyIndex {
public:
    void Clear();
    // Records that Keys[Index] is at Index, unless an earlier entry has the same key.
    void Add(const std::vector<std::string>& Keys, std::size_t Index);
    // The index of the first entry of Keys equal to Key, byte for byte.
    std::optional<std::size_t> Find(const std::vector<std::string>& Keys, std::string_view Key) const;

private:
    struct TSlot {
        std::size_t Hash = 0;
        std::size_t Index = Empty;
    };
    static constexpr std::size_t Empty = static_cast<std::size_t>(-1);
    static constexpr std::size_t InitialSlots = 64;

    // The slot that holds Key, or the empty slot where it belongs.
    std::size_t Probe(const std::vector<std::string>& Keys, std::string_view Key, std::size_t Hash) const;
    void Grow();

    std::vector<TSlot> FSlots;
    std::size_t FCount = 0;
};
