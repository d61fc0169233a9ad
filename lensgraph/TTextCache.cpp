#include "TTextCache.h"

#include <map>
#include <mutex>
#include <string>

namespace {

struct TCache {
    std::mutex Lock;
    const TGlyphSource* Source = nullptr;
    std::map<std::string, TTextCache::TMask, std::less<>> Masks;
};

TCache& Cache()
{
    static TCache Instance;
    return Instance;
}

} // namespace

void TTextCache::SetGlyphSource(const TGlyphSource* Source)
{
    TCache& State = Cache();
    const std::lock_guard<std::mutex> Guard(State.Lock);
    if (Source == State.Source)
        return;
    State.Source = Source;
    State.Masks.clear();
}

const TTextCache::TMask& TTextCache::Mask(std::string_view Text)
{
    static const TMask Empty;
    TCache& State = Cache();
    const std::lock_guard<std::mutex> Guard(State.Lock);
    if (!State.Source)
        return Empty;
    auto Found = State.Masks.find(Text);
    if (Found == State.Masks.end())
        Found = State.Masks.emplace(std::string(Text), State.Source->Render(Text)).first;
    return Found->second;
}
