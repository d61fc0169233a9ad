#pragma once

#include "LenseDiagram.h"

#include <cstdint>

// Where the object stands relative to the marks left of the lens.
enum class TObjectZone : std::uint8_t {
    BeyondDoubleFocus,
    AtDoubleFocus,
    BetweenFocusAndDoubleFocus,
    AtFocus,
    InsideFocus
};

// The thin-lens values of a diagram, in pixels of the diagram, with the sign rule
// "real is positive": the object distance u is ObjectX, the focal length f is F for a
// convex and -F for a concave lens, the image distance v is positive right of the lens
// (a real image) and negative left of it (a virtual one), and 1/f = 1/u + 1/v.
struct TLenseOptics {
    double ObjectDistance = 0.0;
    double FocalLength = 0.0;
    // False when the rays leave the lens parallel (u = f): then the fields below are 0.
    bool ImageForms = false;
    double ImageDistance = 0.0;
    // m = -v/u; its sign tells upright (positive) from inverted.
    double Magnification = 0.0;
    double ImageHeight = 0.0;
    bool Real = false;
    bool Upright = false;
    TObjectZone Zone = TObjectZone::BeyondDoubleFocus;
};

// Computes the values from F, ObjectX, ObjectH and LenseType; never fails. An object on
// the lens plane (u = 0) gives the image on the lens plane, of the object's size.
TLenseOptics ThinLenseOptics(const TLenseDiagramState& State);
