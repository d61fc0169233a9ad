#include "TSvgTarget.h"

#include "LenseOutline.h"
#include "TTextCache.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>
#include <optional>
#include <utility>

namespace {

// Lines are cut this far outside the drawing, beyond the reach of any stroke.
constexpr long double Margin = 8;

constexpr long double FullTurn = 2 * std::numbers::pi_v<long double>;

// The dotted pen: 3 pixels on, 3 off, counted along the major axis.
constexpr long double DotOn = 3;
constexpr long double DotPeriod = 6;

void AppendNumber(std::string& Out, long double Value)
{
    char Text[512];
#if defined(__cpp_lib_to_chars)
    const auto Result
        = std::to_chars(Text, Text + sizeof Text, static_cast<double>(Value), std::chars_format::fixed, 3);
    std::string_view Number(Text, static_cast<std::size_t>(Result.ptr - Text));
#else
    // The web build's library has no floating-point to_chars; printf gives the same digits
    // there, where nothing leaves the C locale.
    const int Length = std::snprintf(Text, sizeof Text, "%.3f", static_cast<double>(Value));
    std::string_view Number(Text, static_cast<std::size_t>(Length));
#endif
    while (Number.ends_with('0'))
        Number.remove_suffix(1);
    if (Number.ends_with('.'))
        Number.remove_suffix(1);
    Out += Number == "-0" ? "0" : Number;
}

std::string Number(long double Value)
{
    std::string Out;
    AppendNumber(Out, Value);
    return Out;
}

void AppendPoint(std::string& Out, char Command, long double X, long double Y)
{
    Out += Command;
    AppendNumber(Out, X);
    Out += ' ';
    AppendNumber(Out, Y);
}

struct TEntity {
    char32_t Code;
    const char* Text;
};
constexpr TEntity Entities[] = { { U'&', "&amp;" }, { U'<', "&lt;" }, { U'>', "&gt;" }, { U'"', "&quot;" } };

constexpr char32_t Replacement = 0xFFFD;

// The character at the start of Bytes and its length in bytes, read as UTF-8 (the locale's
// 8-bit codec here); a byte that starts no well-formed sequence is one U+FFFD.
std::pair<char32_t, std::size_t> NextCharacter(std::string_view Bytes)
{
    const auto Byte = [&](std::size_t I) { return static_cast<unsigned char>(Bytes[I]); };
    const unsigned char Lead = Byte(0);
    if (Lead < 0x80)
        return { Lead, 1 };
    std::size_t Length = 0;
    char32_t Code = 0;
    // The range of the second byte excludes overlong forms, surrogates and codes past U+10FFFF.
    unsigned char Low = 0x80;
    unsigned char High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2;
        Code = Lead & 0x1Fu;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3;
        Code = Lead & 0x0Fu;
        Low = Lead == 0xE0 ? 0xA0 : 0x80;
        High = Lead == 0xED ? 0x9F : 0xBF;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4;
        Code = Lead & 0x07u;
        Low = Lead == 0xF0 ? 0x90 : 0x80;
        High = Lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return { Replacement, 1 };
    }
    if (Bytes.size() < Length || Byte(1) < Low || Byte(1) > High)
        return { Replacement, 1 };
    for (std::size_t I = 1; I < Length; ++I) {
        if ((Byte(I) & 0xC0u) != 0x80u)
            return { Replacement, 1 };
        Code = Code << 6 | (Byte(I) & 0x3Fu);
    }
    return { Code, Length };
}

void AppendUtf8(std::string& Out, char32_t Code)
{
    const auto Unit = [](char32_t Value) { return static_cast<char>(Value); };
    if (Code < 0x80) {
        Out += Unit(Code);
    } else if (Code < 0x800) {
        Out += Unit(0xC0 | Code >> 6);
        Out += Unit(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Out += Unit(0xE0 | Code >> 12);
        Out += Unit(0x80 | (Code >> 6 & 0x3F));
        Out += Unit(0x80 | (Code & 0x3F));
    } else {
        Out += Unit(0xF0 | Code >> 18);
        Out += Unit(0x80 | (Code >> 12 & 0x3F));
        Out += Unit(0x80 | (Code >> 6 & 0x3F));
        Out += Unit(0x80 | (Code & 0x3F));
    }
}

// The text as XML character data in UTF-8: markup characters escaped, characters that
// XML does not allow left out.
std::string Escaped(std::string_view Bytes)
{
    std::string Out;
    while (!Bytes.empty()) {
        const auto [Decoded, Length] = NextCharacter(Bytes);
        Bytes.remove_prefix(Length);
        // A named copy: clang 14 cannot capture a structured binding in a lambda.
        const char32_t Code = Decoded;
        const bool Allowed = Code == 0x9 || Code == 0xA || Code == 0xD || (Code >= 0x20 && Code <= 0xD7FF)
            || (Code >= 0xE000 && Code <= 0xFFFD) || (Code >= 0x10000 && Code <= 0x10FFFF);
        if (!Allowed)
            continue;
        const auto Entity = std::find_if(std::begin(Entities), std::end(Entities),
            [Code](const TEntity& Candidate) { return Candidate.Code == Code; });
        if (Entity != std::end(Entities))
            Out += Entity->Text;
        else
            AppendUtf8(Out, Code);
    }
    return Out;
}

// The part [T0, T1] of the line from (X0, Y0) to (X1, Y1) that lies in the box.
struct TSpan {
    long double T0 = 0;
    long double T1 = 1;
};

std::optional<TSpan> Clip(
    long double X0, long double Y0, long double X1, long double Y1, long double Right, long double Bottom)
{
    TSpan Span;
    const auto Bound = [&](long double Q, long double P) {
        // The line leaves the half-plane P * t <= Q at t = Q / P.
        if (P == 0)
            return Q >= 0;
        const long double T = Q / P;
        if (P < 0)
            Span.T0 = std::max(Span.T0, T);
        else
            Span.T1 = std::min(Span.T1, T);
        return Span.T0 <= Span.T1;
    };
    const long double Dx = X1 - X0;
    const long double Dy = Y1 - Y0;
    if (Bound(X0 + Margin, -Dx) && Bound(Right + Margin - X0, Dx) && Bound(Y0 + Margin, -Dy)
        && Bound(Bottom + Margin - Y0, Dy))
        return Span;
    return std::nullopt;
}

// The ellipse that GDI inscribes in a box, its outline through the centres of the
// box's outer pixels (the right and bottom edges lie outside).
struct TEllipseShape {
    long double Cx, Cy, Rx, Ry;

    // The angle, counter-clockwise on the screen, of the ray from the centre
    // through pixel (X, Y).
    long double AngleOf(std::int64_t X, std::int64_t Y) const
    {
        const long double Dx = static_cast<long double>(X) + 0.5L - Cx;
        const long double Dy = static_cast<long double>(Y) + 0.5L - Cy;
        return Dx == 0 && Dy == 0 ? 0 : std::atan2(-Dy / Ry, Dx / Rx);
    }
    long double XAt(long double Angle) const { return Cx + Rx * std::cos(Angle); }
    long double YAt(long double Angle) const { return Cy - Ry * std::sin(Angle); }
};

std::optional<TEllipseShape> EllipseIn(
    std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    const long double L = static_cast<long double>(std::min(Left, Right));
    const long double R = static_cast<long double>(std::max(Left, Right));
    const long double T = static_cast<long double>(std::min(Top, Bottom));
    const long double B = static_cast<long double>(std::max(Top, Bottom));
    if (R - L < 2 || B - T < 2)
        return std::nullopt;
    return TEllipseShape { (L + R) / 2, (T + B) / 2, (R - L - 1) / 2, (B - T - 1) / 2 };
}

// Path data of the arc counter-clockwise from the ray through the start to the ray
// through the end (the whole ellipse when both rays are one), led by Lead ('M' to
// start a shape, 'L' to go on with one).
void AppendArc(std::string& Data, char Lead, const TEllipseShape& Shape, const TLenseOutline::TArc& Arc)
{
    const long double From = Shape.AngleOf(Arc.StartX, Arc.StartY);
    long double Sweep = std::fmod(Shape.AngleOf(Arc.EndX, Arc.EndY) - From, FullTurn);
    if (Sweep <= 0)
        Sweep += FullTurn;
    AppendPoint(Data, Lead, Shape.XAt(From), Shape.YAt(From));
    // An SVG arc cannot close on itself: a whole ellipse is two halves.
    const int Pieces = Sweep >= FullTurn ? 2 : 1;
    for (int Piece = 1; Piece <= Pieces; ++Piece) {
        const long double To = From + Sweep * Piece / Pieces;
        const bool Large = Sweep / Pieces > std::numbers::pi_v<long double>;
        Data += 'A';
        AppendNumber(Data, Shape.Rx);
        Data += ' ';
        AppendNumber(Data, Shape.Ry);
        Data += Large ? " 0 1 0 " : " 0 0 0 ";
        AppendNumber(Data, Shape.XAt(To));
        Data += ' ';
        AppendNumber(Data, Shape.YAt(To));
    }
}

std::optional<TEllipseShape> ArcShape(const TLenseOutline::TArc& Arc)
{
    return EllipseIn(Arc.Left, Arc.Top, Arc.Right, Arc.Bottom);
}

} // namespace

std::string HexColor(TColor Value)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string Out = "#";
    for (const unsigned Shift : { 0u, 8u, 16u }) {
        Out += Digits[(Value >> (Shift + 4)) & 0xFu];
        Out += Digits[(Value >> Shift) & 0xFu];
    }
    return Out;
}

TSvgTarget::TSvgTarget(int Width, int Height)
    : FWidth(Width)
    , FHeight(Height)
{
}

void TSvgTarget::SetPenColor(TColor Color)
{
    Color &= 0xFFFFFFu;
    if (Color != FPenColor)
        Flush();
    FPenColor = Color;
}

void TSvgTarget::FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    if (FBrushStyle == TBrushStyle::Clear)
        return;
    const long double L = std::max<long double>(static_cast<long double>(std::min(Left, Right)), -Margin);
    const long double T = std::max<long double>(static_cast<long double>(std::min(Top, Bottom)), -Margin);
    const long double R
        = std::min<long double>(static_cast<long double>(std::max(Left, Right)), FWidth + Margin);
    const long double B
        = std::min<long double>(static_cast<long double>(std::max(Top, Bottom)), FHeight + Margin);
    if (L >= R || T >= B)
        return;
    Flush();
    FBody += "<rect x=\"" + Number(L) + "\" y=\"" + Number(T) + "\" width=\"" + Number(R - L) + "\" height=\""
        + Number(B - T) + "\" fill=\"" + HexColor(FBrushColor) + "\"/>\n";
}

void TSvgTarget::MoveTo(std::int64_t X, std::int64_t Y)
{
    FPenX = X;
    FPenY = Y;
}

void TSvgTarget::LineTo(std::int64_t X, std::int64_t Y)
{
    const auto X0 = static_cast<long double>(FPenX);
    const auto Y0 = static_cast<long double>(FPenY);
    FPenX = X;
    FPenY = Y;
    if (FPenStyle == TPenStyle::Solid)
        SolidLine(X0, Y0, static_cast<long double>(X), static_cast<long double>(Y));
    else
        DottedLine(X0, Y0, static_cast<long double>(X), static_cast<long double>(Y));
}

void TSvgTarget::SolidLine(long double X0, long double Y0, long double X1, long double Y1)
{
    const auto Span = Clip(X0, Y0, X1, Y1, FWidth, FHeight);
    if ((X0 == X1 && Y0 == Y1) || !Span)
        return;
    const long double FromX = X0 + (X1 - X0) * Span->T0 + 0.5L;
    const long double FromY = Y0 + (Y1 - Y0) * Span->T0 + 0.5L;
    if (FPath.empty() || FromX != FPathX || FromY != FPathY)
        AppendPoint(FPath, 'M', FromX, FromY);
    FPathX = X0 + (X1 - X0) * Span->T1 + 0.5L;
    FPathY = Y0 + (Y1 - Y0) * Span->T1 + 0.5L;
    AppendPoint(FPath, 'L', FPathX, FPathY);
}

void TSvgTarget::DottedLine(long double X0, long double Y0, long double X1, long double Y1)
{
    const long double Steps = std::max(std::fabs(X1 - X0), std::fabs(Y1 - Y0));
    const auto Span = Clip(X0, Y0, X1, Y1, FWidth, FHeight);
    if (Steps == 0 || !Span)
        return;
    Flush();
    std::string Data;
    AppendPoint(Data, 'M', X0 + (X1 - X0) * Span->T0 + 0.5L, Y0 + (Y1 - Y0) * Span->T0 + 0.5L);
    AppendPoint(Data, 'L', X0 + (X1 - X0) * Span->T1 + 0.5L, Y0 + (Y1 - Y0) * Span->T1 + 0.5L);
    if (FBrushStyle == TBrushStyle::Solid)
        FBody += "<path d=\"" + Data + "\" fill=\"none\" stroke=\"" + HexColor(FBrushColor) + "\"/>\n";
    // The raster counts dots in pixels along the major axis; along the line one
    // such pixel is Scale long. Each dot is centred on its pixel.
    const long double Scale = std::hypot(X1 - X0, Y1 - Y0) / Steps;
    const long double Phase = std::fmod(Span->T0 * Steps + 0.5L, DotPeriod);
    FBody += "<path d=\"" + Data + "\" fill=\"none\" stroke=\"" + HexColor(FPenColor)
        + "\" stroke-dasharray=\"" + Number(DotOn * Scale) + " " + Number((DotPeriod - DotOn) * Scale)
        + "\" stroke-dashoffset=\"" + Number(Phase * Scale) + "\"/>\n";
}

void TSvgTarget::Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
    std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY)
{
    const TLenseOutline::TArc Arc { Left, Top, Right, Bottom, StartX, StartY, EndX, EndY };
    const auto Shape = ArcShape(Arc);
    if (!Shape)
        return;
    Flush();
    std::string Data;
    AppendArc(Data, 'M', *Shape, Arc);
    FBody += "<path d=\"" + Data + "\" fill=\"none\" stroke=\"" + HexColor(FPenColor) + "\"/>\n";
}

void TSvgTarget::Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    const std::int64_t Width = std::max(Left, Right) - std::min(Left, Right);
    const std::int64_t Height = std::max(Top, Bottom) - std::min(Top, Bottom);
    if (Width == 0 || Height == 0 || (Width == 1 && Height == 1) || std::max(Left, Right) + Margin < 0
        || std::max(Top, Bottom) + Margin < 0 || std::min(Left, Right) > FWidth + Margin
        || std::min(Top, Bottom) > FHeight + Margin)
        return;
    Flush();
    const auto Shape = EllipseIn(Left, Top, Right, Bottom);
    // The raster fills a box this thin with the pen.
    if (!Shape || Width <= 2 || Height <= 2) {
        FBody += "<rect x=\"" + Number(static_cast<long double>(std::min(Left, Right))) + "\" y=\""
            + Number(static_cast<long double>(std::min(Top, Bottom))) + "\" width=\""
            + Number(static_cast<long double>(Width)) + "\" height=\""
            + Number(static_cast<long double>(Height)) + "\" fill=\"" + HexColor(FPenColor) + "\"/>\n";
        return;
    }
    FBody += "<ellipse cx=\"" + Number(Shape->Cx) + "\" cy=\"" + Number(Shape->Cy) + "\" rx=\""
        + Number(Shape->Rx) + "\" ry=\"" + Number(Shape->Ry) + "\" fill=\""
        + (FBrushStyle == TBrushStyle::Solid ? HexColor(FBrushColor) : "none") + "\" stroke=\""
        + HexColor(FPenColor) + "\"/>\n";
}

int TSvgTarget::TextWidth(std::string_view Text) const
{
    return TTextCache::Mask(Text).Width;
}

void TSvgTarget::TextOut(std::int64_t X, std::int64_t Y, std::string_view Text)
{
    const TTextCache::TMask& Mask = TTextCache::Mask(Text);
    const auto Left = static_cast<long double>(X);
    const auto Top = static_cast<long double>(Y);
    Flush();
    if (FBrushStyle == TBrushStyle::Solid)
        FBody += "<rect x=\"" + Number(Left) + "\" y=\"" + Number(Top) + "\" width=\"" + Number(Mask.Width)
            + "\" height=\"" + Number(Mask.Height) + "\" fill=\"" + HexColor(FBrushColor) + "\"/>\n";
    FBody += "<text x=\"" + Number(Left) + "\" y=\"" + Number(Top + Mask.Ascent) + "\" font-family=\""
        + TTextCache::FontFamily + "\" font-size=\"" + std::to_string(TTextCache::FontPixelSize)
        + "\" fill=\"#000000\" xml:space=\"preserve\">" + Escaped(Text) + "</text>\n";
}

void TSvgTarget::FillLenseBody(const TLenseOutline& Outline, TColor)
{
    const auto Face1 = ArcShape(Outline.Arc1);
    const auto Face2 = ArcShape(Outline.Arc2);
    if (FBrushStyle == TBrushStyle::Clear || !Face1 || !Face2)
        return;
    Flush();
    std::string Data;
    AppendArc(Data, 'M', *Face1, Outline.Arc1);
    AppendArc(Data, 'L', *Face2, Outline.Arc2);
    FBody += "<path d=\"" + Data + "Z\" fill=\"" + HexColor(FBrushColor) + "\"/>\n";
}

void TSvgTarget::Flush()
{
    if (FPath.empty())
        return;
    FBody += "<path d=\"" + FPath + "\" fill=\"none\" stroke=\"" + HexColor(FPenColor)
        + "\" stroke-linejoin=\"round\"/>\n";
    FPath.clear();
}

std::string TSvgTarget::Document()
{
    Flush();
    const std::string Width = std::to_string(FWidth);
    const std::string Height = std::to_string(FHeight);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
        + Width + "\" height=\"" + Height + "\" viewBox=\"0 0 " + Width + " " + Height + "\">\n" + FBody
        + "</svg>\n";
}
