#include "KeyIndex.h"

#include <functional>

void TKeyIndex::Clear()
{
    FSlots.clear();
    FCount = 0;
}

void TKeyIndex::Add(const std::vector<std::string>& Keys, std::size_t Index)
{
    if (2 * (FCount + 1) > FSlots.size())
        Grow();
    const std::size_t hash = std::hash<std::string_view> {}(Keys[Index]);
    TSlot& slot = FSlots[Probe(Keys, Keys[Index], hash)];
    if (slot.Index == Empty) {
        slot = { hash, Index };
        ++FCount;
    }
}

std::optional<std::size_t> TKeyIndex::Find(const std::vector<std::string>& Keys, std::string_view Key) const
{
    if (FSlots.empty())
        return std::nullopt;
    const TSlot& slot = FSlots[Probe(Keys, Key, std::hash<std::string_view> {}(Key))];
    if (slot.Index == Empty)
        return std::nullopt;
    return slot.Index;
}

std::size_t TKeyIndex::Probe(
    const std::vector<std::string>& Keys, std::string_view Key, std::size_t Hash) const
{
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t at = Hash & mask;; at = (at + 1) & mask) {
        const TSlot& slot = FSlots[at];
        if (slot.Index == Empty || (slot.Hash == Hash && Keys[slot.Index] == Key))
            return at;
    }
}

void TKeyIndex::Grow()
{
    std::vector<TSlot> old = std::move(FSlots);
    FSlots.assign(old.empty() ? InitialSlots : 2 * old.size(), TSlot {});
    const std::size_t mask = FSlots.size() - 1;
    for (const TSlot& slot : old) {
        if (slot.Index == Empty)
            continue;
        std::size_t at = slot.Hash & mask;
        while (FSlots[at].Index != Empty)
            at = (at + 1) & mask;
        FSlots[at] = slot;
    }
}
