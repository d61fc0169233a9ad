#include "TWebDiagram.h"

#include "CheckedInt.h"
#include "DictionaryBytes.h"
#include "LenseDescription.h"
#include "LensePart.h"
#include "TStoredGlyphSource.h"
#include "TTextCache.h"

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
    auto Out = FRgba.begin();
    for (int Y = 0; Y < Height; ++Y) {
        const std::uint32_t* Row = FPixels.Scanline(Y);
        // 0xFFRRGGBB to the bytes R, G, B, A of a little-endian word.
        for (int X = 0; X < Width; ++X, ++Out)
            *Out = 0xFF000000u | ((Row[X] & 0xFFu) << 16) | (Row[X] & 0xFF00u) | ((Row[X] >> 16) & 0xFFu);
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
