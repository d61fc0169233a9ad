#pragma once

#include "LenseDiagram.h"
#include "uVectors.h"

#include <cstdint>

// The optical construction of one paint: the image is where the refracted focus
// ray and the centre ray cross; E1 and E2 are where they leave the area on the
// right (x = Cx from the lens centre).
struct TLenseConstruction {
    bool ImageShown = false;
    bool ImageVirtual = false;
    uVectors::TVector2D O, A, I, E1, E2;
};

// No image when ObjectX equals F, or when a value of the construction is not
// finite (the arithmetic failure of an extreme setting).
TLenseConstruction ConstructImage(const TLenseDiagramState& State, std::int32_t Cx);
