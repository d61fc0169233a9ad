#pragma once

#include "LenseDiagram.h"
#include "LenseDrag.h"
#include "LenseStartValues.h"
#include "TLenseKeyboard.h"
#include "TPixelBuffer.h"
#include "TTolkar2000.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The main window's diagram for the page: its state, the dictionary's engine, drags and
// keys, and what the page shows and reads out, all through the desktop's own core
// functions, so the page has no rule of its own. A change composes nothing at once; the
// pixels are composed when next asked for.
class TWebDiagram {
public:
    TWebDiagram();

    // Loads a dictionary when it can serve and gives nothing; otherwise why, and the
    // texts stay as they were.
    std::optional<std::string> LoadDictionary(const std::string& Bytes);
    std::string Translate(std::string_view Key);

    // Each gives true when the diagram changed.
    bool SetLenseType(TLenseType Value);
    bool SetDrawLense(bool Value);
    // Reset, as the window's: the object and the focal length back to the start values.
    bool ResetToStartValues();
    // A press of the primary button (or pen, or finger) at pixel (X, Y) grabs what lies
    // there; with the keyboard's focus on the diagram it also becomes the keyboard's choice.
    bool PointerDown(int X, int Y, bool Focused);
    bool PointerMove(int X, int Y);
    void PointerUp() { FGrab = TGrabTarget::gtNone; }
    TLenseKeyboard::TResult Press(TDiagramKey Key, bool Shift);

    const TLenseDiagramState& State() const { return FState; }
    TGrabTarget GrabTarget() const { return FGrab; }
    const TLenseKeyboard& Keys() const { return FKeys; }

    // The picture as RGBA bytes, row after row, Width x Height, for a canvas's ImageData.
    const std::vector<std::uint32_t>& Rgba();
    std::string Svg() const;
    // What assistive technology reads: the picture's name, its description, and after a
    // change the chosen part's numbers with the situation (the situation alone without a
    // choice).
    std::string Name();
    std::string Description();
    std::string Announcement();
    // The thin-lens values, one line each, ending in line breaks.
    std::string Values();

    static constexpr int Width = StartDiagramWidth;
    static constexpr int Height = StartDiagramHeight;

private:
    template <typename TValue> bool Assign(TValue& Field, TValue Value);
    TTextLookup Lookup();

    TLenseDiagramState FState;
    TTolkar2000 FTranslator;
    TLenseKeyboard FKeys;
    TGrabTarget FGrab = TGrabTarget::gtNone;
    TPixelBuffer FPixels;
    std::vector<std::uint32_t> FRgba;
    bool FStale = true;
};
