#include "TParticipantList.h"

#include <algorithm>

void TParticipantList::Register(const TEntity& Entity)
{
    const auto Known = std::ranges::find_if(
        FEntities, [&](const TEntity& Other) { return Other.Handle == Entity.Handle; });
    TEntity& Record = Known != FEntities.end() ? *Known : FEntities.emplace_back();
    Record.Assign(&Entity);
}

bool TParticipantList::Unregister(TWindowHandle Handle)
{
    return std::erase_if(FEntities, [Handle](const TEntity& Entity) { return Entity.Handle == Handle; }) > 0;
}

void TParticipantList::RemoveDead(const std::function<bool(TWindowHandle)>& IsAlive)
{
    std::erase_if(FEntities, [&](const TEntity& Entity) { return !IsAlive(Entity.Handle); });
}

const TEntity* TParticipantList::FindByHandle(TWindowHandle Handle) const
{
    const auto Found = std::ranges::find_if(
        FEntities, [Handle](const TEntity& Entity) { return Entity.Handle == Handle; });
    return Found != FEntities.end() ? &*Found : nullptr;
}

const TEntity* TParticipantList::FindByTitle(const std::string& Title, TWindowHandle Asker) const
{
    const auto Found = std::ranges::find_if(
        FEntities, [&](const TEntity& Entity) { return Entity.Title == Title && Entity.Handle != Asker; });
    return Found != FEntities.end() ? &*Found : nullptr;
}

std::vector<TWindowHandle> TParticipantList::Handles() const
{
    std::vector<TWindowHandle> Handles;
    for (const TEntity& Entity : FEntities)
        Handles.push_back(Entity.Handle);
    return Handles;
}
