#pragma once

#include "LenseDiagram.h"

#include <array>
#include <cstdint>
#include <optional>

// Where the lens body is drawn: two arcs of circles through the ends of the faces,
// for a concave lens four edge lines closing top and bottom, and the seed of the
// fill. All coordinates are pixels, truncated toward zero.
struct TLenseOutline {
    struct TArc {
        std::int64_t Left, Top, Right, Bottom;
        std::int64_t StartX, StartY, EndX, EndY;
    };
    struct TEdge {
        std::int64_t FromX, ToX, Y;
    };

    TArc Arc1;
    TArc Arc2;
    bool HasEdges = false;
    std::array<TEdge, 4> Edges {};
    std::int64_t SeedX = 0;
    std::int64_t SeedY = 0;
};

// None when the faces have no finite radius (no bulge, or a non-finite size).
std::optional<TLenseOutline> LenseOutline(
    const TLenseDiagramState& State, int Width, int Height, bool Concave);
