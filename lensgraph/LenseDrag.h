#pragma once

#include "LenseDiagram.h"

#include <cstdint>

// The least a drag leaves: the object at least MinObjectX pixels left of the lens
// and the focal length, of either lens type, at least MinFocalLength. A drag sets
// no upper bound.
inline constexpr std::int32_t MinObjectX = 1;
inline constexpr std::int32_t MinFocalLength = 1;

enum class TGrabTarget : std::uint8_t { gtNone = 0, gtObject = 1, gtFocus = 2, gtDoubleFocus = 3 };

// What a left-button press at pixel (X, Y) of a Width x Height diagram grabs: the
// object's top within a circle of GrabSensitivity, else the left F mark, else the
// left 2F mark, each within a diamond of that radius (distance equal counts).
// Throws CheckedInt::EIntOverflow when the 32-bit arithmetic overflows.
TGrabTarget FindGrabTarget(const TLenseDiagramState& State, int Width, int Height, int X, int Y);

// Puts the grabbed element under the pointer, within the bounds above; 2F follows
// in steps of two pixels. A pointer outside the Width x Height picture is taken on the
// picture's nearest edge pixel, so nothing goes where it can be neither seen nor grabbed.
// Throws CheckedInt::EIntOverflow like FindGrabTarget.
void MoveGrabTarget(TLenseDiagramState& State, TGrabTarget Target, int Width, int Height, int X, int Y);
