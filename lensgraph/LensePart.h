#pragma once

#include "LenseDescription.h"
#include "LenseDrag.h"

#include <cstdint>
#include <string>

// What the keyboard moves, each part one number that assistive technology reads and
// sets: the object's distance from the lens and its height, the focal length at the F
// mark, and the 2F mark's distance from the lens.
enum class TLensePart : std::uint8_t { ObjectDistance, ObjectHeight, Focus, DoubleFocus };
constexpr int LensePartCount = 4;

struct TLensePartRange {
    std::int32_t Minimum;
    std::int32_t Maximum;
};

// The element that moves with Part.
TGrabTarget GrabTargetOf(TLensePart Part);
// The part that choosing Target gives: for the object its distance.
TLensePart PartOf(TGrabTarget Target);
// Part's number in pixels (ObjectX, ObjectH, F or 2F), in 64 bits since a setter may
// have stored any 32-bit value.
long long LensePartValue(const TLenseDiagramState& State, TLensePart Part);
// The numbers a drag inside a Width x Height picture can give Part.
TLensePartRange LensePartRange(TLensePart Part, int Width, int Height);
// Moves Part's element as a drag to the pixel where its number is Value would: Value is
// held within LensePartRange, and the 2F mark keeps F whole.
void SetLensePartValue(TLenseDiagramState& State, TLensePart Part, int Width, int Height, long long Value);

// Part's name ("object", "focal point F", ...) in the dictionary's language.
std::string LensePartName(TLensePart Part, const TTextLookup& Lookup);
// What a listener needs after each change of Part: its numbers, then where the object
// stands, what image forms, and what lies outside the picture.
std::string DescribeLensePart(
    const TLenseDiagramState& State, TLensePart Part, int Width, int Height, const TTextLookup& Lookup);
