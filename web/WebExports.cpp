// The page's door into the core: plain C functions that the page's script calls with
// numbers and byte strings. Texts come back as NUL-terminated UTF-8 held until the next
// call that gives a text.
#include "TWebDiagram.h"

#include "AboutTexts.h"
#include "DictionaryBytes.h"
#include "LocaleDictionary.h"
#include "TSvgTarget.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>

namespace {

TWebDiagram& Diagram()
{
    static TWebDiagram Instance;
    return Instance;
}

const char* Reply(std::string Text)
{
    static std::string Held;
    Held = std::move(Text);
    return Held.c_str();
}

std::string CssColor(TColor Value)
{
    return "\"" + HexColor(Value) + "\"";
}

const char* GrabTargetName(TGrabTarget Target)
{
    switch (Target) {
    case TGrabTarget::gtObject:
        return "object";
    case TGrabTarget::gtFocus:
        return "focus";
    case TGrabTarget::gtDoubleFocus:
        return "doubleFocus";
    case TGrabTarget::gtNone:
        break;
    }
    return "none";
}

} // namespace

extern "C" {

// The dictionary file of a locale name ("de_DE"), or an empty text for a language that has
// none.
EMSCRIPTEN_KEEPALIVE const char* FokalisDictionaryOfLocale(const char* Locale)
{
    return Reply(DictionaryOfLocale(Locale));
}

EMSCRIPTEN_KEEPALIVE const char* FokalisFallbackDictionary()
{
    return FallbackDictionary;
}

// Why a dictionary of Size bytes is refused before it is read, or an empty text.
EMSCRIPTEN_KEEPALIVE const char* FokalisDictionarySizeProblem(double Size)
{
    const std::size_t Bytes = Size > static_cast<double>(MaxDictionarySize) ? MaxDictionarySize + 1
                                                                            : static_cast<std::size_t>(Size);
    return Reply(DictionarySizeProblem(Bytes).value_or(std::string()));
}

// The dictionary's Size bytes at Bytes; an empty text when it was loaded, else why not.
EMSCRIPTEN_KEEPALIVE const char* FokalisLoadDictionary(const char* Bytes, std::size_t Size)
{
    const std::optional<std::string> Problem = Diagram().LoadDictionary(std::string(Bytes, Size));
    return Reply(Problem.value_or(std::string()));
}

EMSCRIPTEN_KEEPALIVE const char* FokalisVersion()
{
    return FOKALIS_VERSION;
}

EMSCRIPTEN_KEEPALIVE const char* FokalisTranslate(const char* Key)
{
    return Reply(Diagram().Translate(Key));
}

// The About box's heading of the links (Which 0) or its description (1), in the
// dictionary's dialog language.
EMSCRIPTEN_KEEPALIVE const char* FokalisAboutText(int Which)
{
    const TAboutTexts Texts = AboutTexts(Diagram().Translate("$dlglanguage$"));
    return Which == 0 ? Texts.WebSite : Texts.Description;
}

// 0 concave, 1 convex; gives 1 when the diagram changed.
EMSCRIPTEN_KEEPALIVE int FokalisSetLenseType(int Convex)
{
    return Diagram().SetLenseType(Convex != 0 ? TLenseType::ltConvex : TLenseType::ltConcave);
}

EMSCRIPTEN_KEEPALIVE int FokalisSetDrawLense(int Draw)
{
    return Diagram().SetDrawLense(Draw != 0);
}

EMSCRIPTEN_KEEPALIVE int FokalisResetToStartValues()
{
    return Diagram().ResetToStartValues();
}

EMSCRIPTEN_KEEPALIVE int FokalisPointerDown(int X, int Y, int Focused)
{
    return Diagram().PointerDown(X, Y, Focused != 0);
}

EMSCRIPTEN_KEEPALIVE int FokalisPointerMove(int X, int Y)
{
    return Diagram().PointerMove(X, Y);
}

EMSCRIPTEN_KEEPALIVE void FokalisPointerUp()
{
    Diagram().PointerUp();
}

// Key is a TDiagramKey; gives 0 ignored (the page passes the key on), 1 chosen, 2 moved.
EMSCRIPTEN_KEEPALIVE int FokalisPress(int Key, int Shift)
{
    if (Key < 0 || Key > static_cast<int>(TDiagramKey::Down))
        return 0;
    return static_cast<int>(Diagram().Press(static_cast<TDiagramKey>(Key), Shift != 0));
}

// The address of the picture's RGBA bytes, TWebDiagram::Width x Height.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* FokalisPixels()
{
    return Diagram().Rgba().data();
}

EMSCRIPTEN_KEEPALIVE int FokalisWidth()
{
    return TWebDiagram::Width;
}

EMSCRIPTEN_KEEPALIVE int FokalisHeight()
{
    return TWebDiagram::Height;
}

EMSCRIPTEN_KEEPALIVE const char* FokalisSvg()
{
    return Reply(Diagram().Svg());
}

EMSCRIPTEN_KEEPALIVE const char* FokalisName()
{
    return Reply(Diagram().Name());
}

EMSCRIPTEN_KEEPALIVE const char* FokalisDescription()
{
    return Reply(Diagram().Description());
}

EMSCRIPTEN_KEEPALIVE const char* FokalisAnnouncement()
{
    return Reply(Diagram().Announcement());
}

EMSCRIPTEN_KEEPALIVE const char* FokalisValues()
{
    return Reply(Diagram().Values());
}

// The settings as JSON, for the page's host link and its tests; keyPixel is where the
// keyboard's choice stands (the lens centre without one), legend the colours of object,
// image, focus ray and centre ray.
EMSCRIPTEN_KEEPALIVE const char* FokalisStateJson()
{
    const TLenseDiagramState& State = Diagram().State();
    long long X = 0;
    long long Y = 0;
    TKeyboardGrab::TargetPixel(
        State, Diagram().Keys().Target(), TWebDiagram::Width, TWebDiagram::Height, X, Y);
    return Reply(std::string("{\"objectX\":") + std::to_string(State.ObjectX)
        + ",\"objectH\":" + std::to_string(State.ObjectH) + ",\"f\":" + std::to_string(State.F)
        + ",\"lensType\":\"" + (State.LenseType == TLenseType::ltConvex ? "convex" : "concave")
        + "\",\"displayLens\":" + (State.DrawLense ? "true" : "false") + ",\"keyTarget\":\""
        + GrabTargetName(Diagram().Keys().Target()) + "\",\"keyPixel\":[" + std::to_string(X) + ","
        + std::to_string(Y) + "],\"legend\":[" + CssColor(State.ObjectColor) + ","
        + CssColor(State.ImageColor) + "," + CssColor(State.LineColor1) + "," + CssColor(State.LineColor2)
        + "]}");
}

} // extern "C"
