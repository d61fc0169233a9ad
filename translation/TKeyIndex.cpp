#include "TKeyIndex.h"

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
    const std::size_t Hash = std::hash<std::string_view> {}(Keys[Index]);
    TSlot& Slot = FSlots[Probe(Keys, Keys[Index], Hash)];
    if (Slot.Index == Empty) {
        Slot = { Hash, Index };
        ++FCount;
    }
}

std::optional<std::size_t> TKeyIndex::Find(const std::vector<std::string>& Keys, std::string_view Key) const
{
    if (FSlots.empty())
        return std::nullopt;
    const TSlot& Slot = FSlots[Probe(Keys, Key, std::hash<std::string_view> {}(Key))];
    if (Slot.Index == Empty)
        return std::nullopt;
    return Slot.Index;
}

std::size_t TKeyIndex::Probe(
    const std::vector<std::string>& Keys, std::string_view Key, std::size_t Hash) const
{
    const std::size_t Mask = FSlots.size() - 1;
    for (std::size_t At = Hash & Mask;; At = (At + 1) & Mask) {
        const TSlot& Slot = FSlots[At];
        if (Slot.Index == Empty || (Slot.Hash == Hash && Keys[Slot.Index] == Key))
            return At;
    }
}

void TKeyIndex::Grow()
{
    std::vector<TSlot> Old = std::move(FSlots);
    FSlots.assign(Old.empty() ? InitialSlots : 2 * Old.size(), TSlot {});
    const std::size_t Mask = FSlots.size() - 1;
    for (const TSlot& Slot : Old) {
        if (Slot.Index == Empty)
            continue;
        std::size_t At = Slot.Hash & Mask;
        while (FSlots[At].Index != Empty)
            At = (At + 1) & Mask;
        FSlots[At] = Slot;
    }
}
