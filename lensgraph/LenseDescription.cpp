#include "LenseDescription.h"

#include "LenseOptics.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Whole(double Value)
{
    return std::to_string(std::llround(Value));
}

// Rounds to Decimals places; never shows "-0".
std::string Decimal(double Value, int Decimals, const std::string& Point)
{
    const double Scale = std::pow(10.0, Decimals);
    double Rounded = std::round(Value * Scale) / Scale;
    if (Rounded == 0.0)
        Rounded = 0.0;
    char Text[64];
    std::snprintf(Text, sizeof Text, "%.*f", Decimals, Rounded);
    std::string Result(Text);
    if (const auto Dot = Result.find('.'); Dot != std::string::npos)
        Result.replace(Dot, 1, Point);
    return Result;
}

// The image distance with as few decimals (at least one) as make the shown equation hold:
// 1/u + 1/v, worked out from the numbers as shown, gives back the shown f. Near the lens v
// is close to u, and one decimal would turn 1/80 = 1/1 + 1/(-1.0127) into 1/(-1.0).
std::string ImageDistanceText(double U, double F, double V, const std::string& Point)
{
    constexpr int MostDecimals = 9;
    for (int Decimals = 1; Decimals < MostDecimals; ++Decimals) {
        const double Scale = std::pow(10.0, Decimals);
        const double Shown = std::round(V * Scale) / Scale;
        const double Sum = 1.0 / U + 1.0 / Shown;
        if (Shown != 0.0 && Sum != 0.0 && std::fabs(1.0 / Sum - F) < 0.5)
            return Decimal(V, Decimals, Point);
    }
    return Decimal(V, MostDecimals, Point);
}

// A negative number in the equation is bracketed, so "1/(-80)" cannot be misread.
std::string Term(const std::string& Number)
{
    return Number.starts_with('-') ? "(" + Number + ")" : Number;
}

const char* ZoneKey(TObjectZone Zone)
{
    switch (Zone) {
    case TObjectZone::BeyondDoubleFocus:
        return "Object Beyond 2F";
    case TObjectZone::AtDoubleFocus:
        return "Object At 2F";
    case TObjectZone::BetweenFocusAndDoubleFocus:
        return "Object Between F And 2F";
    case TObjectZone::AtFocus:
        return "Object At F";
    case TObjectZone::InsideFocus:
        break;
    }
    return "Object Inside F";
}

// |m| exactly 1 only at u = 2f; the tolerance absorbs the rounding of the division.
const char* SizeKey(double Magnification)
{
    const double Size = std::fabs(Magnification);
    if (std::fabs(Size - 1.0) < 1e-9)
        return "Image Same Size";
    return Size > 1.0 ? "Image Enlarged" : "Image Reduced";
}

const char* KindKey(const TLenseOptics& O)
{
    return O.Real ? "Image Real" : "Image Virtual";
}

const char* OrientationKey(const TLenseOptics& O)
{
    return O.Upright ? "Image Upright" : "Image Inverted";
}

// The sentences for what the user moves and cannot see: the object's head, and the left
// marks, which lie further out than the right ones.
std::string DescribeOutside(const TLenseDiagramState& State, int Width, int Height, const TTextLookup& Lookup)
{
    const long long Cx = Width / 2;
    const long long HeadX = Cx - State.ObjectX;
    const long long HeadY = Height / 2 - static_cast<long long>(State.ObjectH);
    std::string Text;
    if (HeadX < 0 || HeadX >= Width || HeadY < 0 || HeadY >= Height)
        Text += ' ' + Lookup("Object Outside", {});
    if (Cx - State.F < 0)
        Text += ' ' + Lookup("Focus Outside", {});
    else if (Cx - 2LL * State.F < 0)
        Text += ' ' + Lookup("Double Focus Outside", {});
    return Text;
}

} // namespace

std::string DescribeLenseDiagram(
    const TLenseDiagramState& State, int Width, int Height, const TTextLookup& Lookup)
{
    return Lookup(State.LenseType == TLenseType::ltConvex ? "Describe Convex" : "Describe Concave",
               { std::to_string(State.F) })
        + ' ' + DescribeLenseSituation(State, Width, Height, Lookup);
}

std::string DescribeLenseSituation(
    const TLenseDiagramState& State, int Width, int Height, const TTextLookup& Lookup)
{
    const TLenseOptics O = ThinLenseOptics(State);
    std::string Text = Lookup(ZoneKey(O.Zone), { std::to_string(State.ObjectX) });
    if (!O.ImageForms)
        Text += ' ' + Lookup("Describe No Image", {});
    else
        Text += ' '
            + Lookup("Describe Image",
                { Lookup(KindKey(O), {}), Lookup(OrientationKey(O), {}), Lookup(SizeKey(O.Magnification), {}),
                    Whole(std::fabs(O.ImageDistance)),
                    Lookup(O.ImageDistance < 0.0 ? "Image Left Side" : "Image Right Side", {}) });
    return Text + DescribeOutside(State, Width, Height, Lookup);
}

std::vector<std::string> DescribeLenseValues(const TLenseDiagramState& State, const TTextLookup& Lookup)
{
    const TLenseOptics O = ThinLenseOptics(State);
    std::string Point = Lookup("Decimal Point", {});
    if (Point.size() != 1)
        Point = ".";
    const std::string U = Whole(O.ObjectDistance);
    const std::string F = Whole(O.FocalLength);
    const std::string Gap = "    ";
    if (!O.ImageForms)
        return { Lookup("Values Object", { U }) + Gap + Lookup("Values Focal", { F }),
            Lookup("Values No Image", {}), Lookup("Values Units", {}) };
    const std::string V
        = ImageDistanceText(std::round(O.ObjectDistance), std::round(O.FocalLength), O.ImageDistance, Point);
    std::vector<std::string> Lines { Lookup("Values Object", { U }) + Gap + Lookup("Values Image", { V })
            + Gap + Lookup("Values Focal", { F }),
        Lookup("Values Magnification",
            { Decimal(O.Magnification, 2, Point), Lookup(KindKey(O), {}), Lookup(OrientationKey(O), {}) }) };
    // With the object on the lens plane 1/u has no value to fill in.
    if (std::round(O.ObjectDistance) != 0.0)
        Lines.push_back(Lookup("Values Equation", { Term(F), Term(U), Term(V) }));
    Lines.push_back(Lookup("Values Units", {}));
    return Lines;
}
