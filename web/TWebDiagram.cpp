#include "TWebDiagram.h"

#include "CheckedInt.h"
#include "DictionaryBytes.h"
#include "LenseDescription.h"
#include "LensePart.h"
#include "TStoredGlyphSource.h"
#include "TTextCache.h"

#include <cstring>

TWebDiagram::TWebDiagram()
    : FState(LenseStartValues())
{
    // A browser's fonts differ from the desktop's: the captions come compiled in.
    TTextCache::SetGlyphSource(&TStoredGlyphSource::LenseCaptionGlyphs());
}

std::optional<std::string> TWebDiagram::LoadDictionary(const std::string& Bytes)
{
    return LoadDictionaryBytes(FTranslator, Bytes);
}

std::string TWebDiagram::Translate(std::string_view Key)
{
    return FTranslator.Translate(Key);
}

TTextLookup TWebDiagram::Lookup()
{
    return [this](std::string_view Key, const std::vector<std::string>& Args) {
        return FTranslator.Translate(Key, Args);
    };
}

template <typename TValue> bool TWebDiagram::Assign(TValue& Field, TValue Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    FStale = true;
    return true;
}

bool TWebDiagram::SetLenseType(TLenseType Value)
{
    return Assign(FState.LenseType, Value);
}

bool TWebDiagram::SetDrawLense(bool Value)
{
    return Assign(FState.DrawLense, Value);
}

bool TWebDiagram::ResetToStartValues()
{
    if (!::ResetToStartValues(FState))
        return false;
    FStale = true;
    return true;
}

bool TWebDiagram::PointerDown(int X, int Y, bool Focused)
{
    try {
        FGrab = FindGrabTarget(FState, Width, Height, X, Y);
    } catch (const CheckedInt::EIntOverflow&) {
        // Only values no drag gives overflow; such a press grabs nothing.
        FGrab = TGrabTarget::gtNone;
    }
    if (Focused && FGrab != TGrabTarget::gtNone)
        FKeys.Choose(FGrab);
    return PointerMove(X, Y);
}

bool TWebDiagram::PointerMove(int X, int Y)
{
    if (FGrab == TGrabTarget::gtNone)
        return false;
    try {
        MoveGrabTarget(FState, FGrab, Width, Height, X, Y);
    } catch (const CheckedInt::EIntOverflow&) {
        return false;
    }
    FStale = true;
    return true;
}

TLenseKeyboard::TResult TWebDiagram::Press(TDiagramKey Key, bool Shift)
{
    const TLenseKeyboard::TResult Result = FKeys.Press(Key, Shift, FState, Width, Height);
    if (Result == TLenseKeyboard::TResult::Moved)
        FStale = true;
    return Result;
}

const std::vector<std::uint32_t>& TWebDiagram::Rgba()
{
    if (!FStale)
        return FRgba;
    PaintLenseDiagram(FState, FPixels, Width, Height);
    FRgba.resize(static_cast<std::size_t>(Width) * Height);
    // 0xFFRRGGBB to the bytes R, G, B, A of a little-endian word: red and blue swap places.
    // Two pixels at a time in a 64-bit word, which WebAssembly handles as one; this copy
    // took most of a picture's time when done pixel by pixel.
    static_assert(Width % 2 == 0);
    constexpr std::uint64_t Keep = 0xFF00FF00FF00FF00u;
    constexpr std::uint64_t Low = 0x000000FF000000FFu;
    std::uint32_t* Out = FRgba.data();
    for (int Y = 0; Y < Height; ++Y) {
        const std::uint32_t* Row = FPixels.Scanline(Y);
        for (int X = 0; X < Width; X += 2, Out += 2) {
            std::uint64_t Pair;
            std::memcpy(&Pair, Row + X, sizeof Pair);
            Pair = (Pair & Keep) | ((Pair >> 16) & Low) | ((Pair & Low) << 16) | 0xFF000000FF000000u;
            std::memcpy(Out, &Pair, sizeof Pair);
        }
    }
    FStale = false;
    return FRgba;
}

std::string TWebDiagram::Svg() const
{
    return LenseDiagramSvg(FState, Width, Height);
}

std::string TWebDiagram::Name()
{
    return Translate("Lens Diagram");
}

std::string TWebDiagram::Description()
{
    return DescribeLenseDiagram(FState, Width, Height, Lookup());
}

std::string TWebDiagram::Announcement()
{
    if (const std::optional<TLensePart> Part = FKeys.Part())
        return DescribeLensePart(FState, *Part, Width, Height, Lookup());
    return DescribeLenseSituation(FState, Width, Height, Lookup());
}

std::string TWebDiagram::Values()
{
    std::string Text;
    for (const std::string& Line : DescribeLenseValues(FState, Lookup()))
        Text += Line + "\n";
    return Text;
}
