#pragma once

#include "TCanvas.h"

#include <cstdint>
#include <string>
#include <string_view>

class TDrawTarget;
class TPixelBuffer;

enum class TLenseType : std::uint8_t { ltConcave = 0, ltConvex = 1 };

// Everything a paint reads: the diagram's published values, with the defaults a
// freshly created diagram has (its image colour is black, as nothing sets it).
struct TLenseDiagramState {
    TColor GridColor = 0;
    TColor LenseColor = 0xFFDDDD;
    TColor BackColor = 0xFFFFFF;
    TColor ObjectColor = 0x7F00;
    TColor ImageColor = 0;
    TColor LineColor1 = 0x0000FF;
    TColor LineColor2 = 0xFF0000;
    std::int32_t F = 3;
    std::int32_t MarkWidth = 3;
    std::int32_t MarkCapSpace = 5;
    TLenseType LenseType = TLenseType::ltConvex;
    std::int32_t ObjectH = 150;
    std::int32_t ObjectX = 200;
    std::int32_t GrabSensitivity = 50;
    double LenseHeightRatio = 0.45;
    double LenseWidthRatio = 0.1;
    std::uint8_t ConcaveThick = 5;
    bool DrawLense = true;
};

// The captions of the focal marks: the only texts the diagram draws.
inline constexpr std::string_view FocusCaption = "F";
inline constexpr std::string_view DoubleFocusCaption = "2F";
inline constexpr std::string_view LenseCaptions[] = { FocusCaption, DoubleFocusCaption };

// Draws the whole ray diagram of a Width x Height area on Target. Never fails: a
// degenerate construction leaves the image and the rays out, and a step whose
// integer arithmetic would overflow leaves only that element out.
void DrawLenseDiagram(const TLenseDiagramState& State, TDrawTarget& Target, int Width, int Height);

// Composes the whole ray diagram into Buffer, resizing it to Width x Height first.
// Never fails: a degenerate construction leaves the image and the rays out, and a
// step whose integer arithmetic would overflow leaves only that element out.
void PaintLenseDiagram(const TLenseDiagramState& State, TPixelBuffer& Buffer, int Width, int Height);

// The same diagram as an SVG 1.1 document of Width x Height pixels: a vector
// drawing of the same calls, its coordinates those of the pixels.
std::string LenseDiagramSvg(const TLenseDiagramState& State, int Width, int Height);
