#pragma once

#include "TEntity.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The participants that registered at the host, in the order they registered.
class TParticipantList {
public:
    // Adds Entity, or replaces the record of its window, which keeps its place.
    void Register(const TEntity& Entity);
    // Removes the record of Handle; false when there was none.
    bool Unregister(TWindowHandle Handle);
    // Removes every record whose window IsAlive says is gone: a participant that
    // was killed never unregisters.
    void RemoveDead(const std::function<bool(TWindowHandle)>& IsAlive);

    const TEntity* FindByHandle(TWindowHandle Handle) const;
    // The first registered participant whose title equals Title byte for byte,
    // other than Asker: a second copy of a program asks for its own title and
    // wants the first copy, not itself.
    const TEntity* FindByTitle(const std::string& Title, TWindowHandle Asker) const;
    std::vector<TWindowHandle> Handles() const;
    std::size_t Size() const { return FEntities.size(); }

private:
    std::vector<TEntity> FEntities;
};
