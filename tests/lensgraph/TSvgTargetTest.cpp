#include "TSvgTarget.h"
#include "LenseDiagram.h"
#include "LenseStartValues.h"
#include "PixelImage.h"
#include "TPixelBuffer.h"
#include "TQtGlyphSource.h"
#include "TRasterTarget.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

// Widths and glyphs of the captions as the desktop draws them.
class TQtGlyphs : public testing::Environment {
public:
    void SetUp() override { TQtGlyphSource::Install(); }
};
const testing::Environment* const QtGlyphs = testing::AddGlobalTestEnvironment(new TQtGlyphs);

constexpr int Width = 608;
constexpr int Height = 475;
// Anti-aliasing may move an edge by a pixel, and text is hinted differently.
constexpr int Reach = 2;
// Largest channel difference between a painted pixel and its anti-aliased
// counterpart; text drawn smooth comes out grey.
constexpr int Match = 128;
// How far a pixel of the drawing may lie from a blend of colours near it.
constexpr int Blend = 48;
// Where an arc's tip meets a line the raster may keep a pixel that the smooth
// drawing spreads under the line; any missing element is many more pixels.
constexpr std::size_t StrayPixels = 3;

struct TRgb {
    int R, G, B;
};

TRgb RgbOf(QRgb Pixel)
{
    return { qRed(Pixel), qGreen(Pixel), qBlue(Pixel) };
}

int Distance(TRgb A, TRgb B)
{
    return std::max({ std::abs(A.R - B.R), std::abs(A.G - B.G), std::abs(A.B - B.B) });
}

// The blends of A and B in sixteenths.
std::vector<TRgb> Blends(TRgb A, TRgb B)
{
    std::vector<TRgb> Mixed;
    for (int Step = 0; Step <= 16; ++Step) {
        const auto Mix = [&](int X, int Y) { return X + (Y - X) * Step / 16; };
        Mixed.push_back({ Mix(A.R, B.R), Mix(A.G, B.G), Mix(A.B, B.B) });
    }
    return Mixed;
}

// Whether P is, within Tolerance, a blend of up to three of Colors (where two lines
// cross, anti-aliasing mixes both with the ground).
bool IsBlendOf(TRgb P, const std::vector<TRgb>& Colors, int Tolerance)
{
    for (std::size_t A = 0; A < Colors.size(); ++A)
        for (std::size_t B = A; B < Colors.size(); ++B)
            for (const TRgb Mix : Blends(Colors[A], Colors[B]))
                for (const TRgb Third : Colors)
                    for (const TRgb Mixed : Blends(Mix, Third))
                        if (Distance(P, Mixed) <= Tolerance)
                            return true;
    return false;
}

QImage Raster(const TLenseDiagramState& State, TPixelBuffer& Buffer)
{
    PaintLenseDiagram(State, Buffer, Width, Height);
    return PixelImage(Buffer);
}

// The document drawn by Qt's own renderer over a colour the diagram never uses,
// so that a part left unpainted shows. It is drawn four times as large and then
// averaged down: at its own size Qt draws 1-pixel dashes measured along the major
// axis, not along the line as SVG measures them.
QImage Rendered(const std::string& Svg, int PictureWidth = Width, int PictureHeight = Height)
{
    constexpr int Scale = 4;
    QSvgRenderer Renderer(QByteArray::fromStdString(Svg));
    EXPECT_TRUE(Renderer.isValid());
    QImage Picture(PictureWidth * Scale, PictureHeight * Scale, QImage::Format_RGB32);
    Picture.fill(QColor(255, 0, 255));
    QPainter Painter(&Picture);
    Renderer.render(&Painter);
    Painter.end();
    return Picture.scaled(PictureWidth, PictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The names of the document's elements; fails the test when it is not well-formed.
std::set<QString> ElementNames(const std::string& Svg)
{
    std::set<QString> Names;
    QXmlStreamReader Reader(QByteArray::fromStdString(Svg));
    while (Reader.readNext() != QXmlStreamReader::EndDocument && !Reader.hasError())
        if (Reader.isStartElement())
            Names.insert(Reader.name().toString());
    EXPECT_FALSE(Reader.hasError()) << Reader.errorString().toStdString();
    return Names;
}

// Painted pixels of Bitmap that have no counterpart within Reach in Drawing: a
// pixel at most Match away. Returns the first few.
std::vector<QPoint> Missing(const QImage& Bitmap, const QImage& Drawing, QRgb Background)
{
    std::vector<QPoint> Found;
    for (int Y = 0; Y < Bitmap.height(); ++Y) {
        for (int X = 0; X < Bitmap.width(); ++X) {
            const QRgb Pixel = Bitmap.pixel(X, Y);
            if (Pixel == Background)
                continue;
            bool Near = false;
            for (int Dy = -Reach; Dy <= Reach && !Near; ++Dy)
                for (int Dx = -Reach; Dx <= Reach && !Near; ++Dx)
                    Near = Drawing.valid(X + Dx, Y + Dy)
                        && Distance(RgbOf(Drawing.pixel(X + Dx, Y + Dy)), RgbOf(Pixel)) <= Match;
            if (!Near)
                Found.push_back({ X, Y });
        }
    }
    return Found;
}

// Pixels of Drawing, clearly unlike Background, that are no blend of two colours
// found within Reach in Bitmap: something drawn where the raster has nothing like
// it. Returns the first few.
std::vector<QPoint> Extra(const QImage& Drawing, const QImage& Bitmap, QRgb Background)
{
    std::vector<QPoint> Found;
    for (int Y = 0; Y < Drawing.height(); ++Y) {
        for (int X = 0; X < Drawing.width(); ++X) {
            const TRgb Pixel = RgbOf(Drawing.pixel(X, Y));
            if (Distance(Pixel, RgbOf(Background)) <= Match)
                continue;
            std::set<QRgb> Near;
            for (int Dy = -Reach; Dy <= Reach; ++Dy)
                for (int Dx = -Reach; Dx <= Reach; ++Dx)
                    if (Bitmap.valid(X + Dx, Y + Dy))
                        Near.insert(Bitmap.pixel(X + Dx, Y + Dy));
            std::vector<TRgb> Colors;
            for (const QRgb Color : Near)
                Colors.push_back(RgbOf(Color));
            if (!IsBlendOf(Pixel, Colors, Blend))
                Found.push_back({ X, Y });
        }
    }
    return Found;
}

std::string Where(const std::vector<QPoint>& Points)
{
    std::string Text;
    for (std::size_t I = 0; I < std::min<std::size_t>(Points.size(), 8); ++I)
        Text += " (" + std::to_string(Points[I].x()) + ", " + std::to_string(Points[I].y()) + ")";
    return Text;
}

struct TScene {
    const char* Name;
    TLenseType Type;
    int ObjectX;
    bool DrawLense;
};

void PrintTo(const TScene& Scene, std::ostream* Out)
{
    *Out << Scene.Name;
}

class SvgAgreesWithRaster : public testing::TestWithParam<TScene> { };

// Every painted pixel of the raster has its like nearby in the rendered drawing,
// and nothing is drawn where the raster has nothing: the same lines, arcs, fill,
// figures, dots and captions in the same places.
TEST_P(SvgAgreesWithRaster, RenderedDrawingMatchesTheBitmap)
{
    TLenseDiagramState State = LenseStartValues();
    State.LenseType = GetParam().Type;
    State.ObjectX = GetParam().ObjectX;
    State.DrawLense = GetParam().DrawLense;
    // Far from the background, so that the body's fill is compared too.
    State.LenseColor = 0xC0C000;
    TPixelBuffer Buffer;
    const QImage Bitmap = Raster(State, Buffer);
    const std::string Svg = LenseDiagramSvg(State, Width, Height);
    // Drawn in vector elements, never as an embedded picture.
    const std::set<QString> Vector { "svg", "rect", "path", "ellipse", "text" };
    for (const QString& Name : ElementNames(Svg))
        EXPECT_TRUE(Vector.contains(Name)) << Name.toStdString();
    const QImage Drawing = Rendered(Svg);
    const QRgb Back = Bitmap.pixel(0, 0);
    const std::vector<QPoint> NotDrawn = Missing(Bitmap, Drawing, Back);
    EXPECT_LE(NotDrawn.size(), StrayPixels) << "raster pixels missing in the SVG at" << Where(NotDrawn);
    const std::vector<QPoint> NotPainted = Extra(Drawing, Bitmap, Back);
    EXPECT_LE(NotPainted.size(), StrayPixels) << "SVG pixels not in the raster at" << Where(NotPainted);
}

INSTANTIATE_TEST_SUITE_P(Scenes, SvgAgreesWithRaster,
    testing::Values(TScene { "ConvexRealImage", TLenseType::ltConvex, 200, true },
        TScene { "ConvexVirtualImage", TLenseType::ltConvex, 50, true },
        TScene { "ConcaveVirtualImage", TLenseType::ltConcave, 200, true },
        TScene { "ConvexNoImage", TLenseType::ltConvex, 80, true },
        TScene { "LensOff", TLenseType::ltConvex, 50, false }),
    [](const testing::TestParamInfo<TScene>& Info) { return std::string(Info.param.Name); });

// Any caption bytes come out as well-formed character data that reads back as
// the text (characters XML cannot hold left out).
TEST(SvgText, IsEscapedAndReadsBack)
{
    TSvgTarget Svg(100, 50);
    Svg.SetBrushStyle(TBrushStyle::Clear);
    Svg.TextOut(5, 5, "a<b & \"c\" > 'd'\x01 \xc3\xa4]]>");
    QXmlStreamReader Reader(QByteArray::fromStdString(Svg.Document()));
    QString Text;
    while (!Reader.atEnd())
        if (Reader.readNext() == QXmlStreamReader::StartElement && Reader.name() == QStringLiteral("text"))
            Text = Reader.readElementText();
    EXPECT_FALSE(Reader.hasError()) << Reader.errorString().toStdString();
    EXPECT_EQ(Text, QString::fromUtf8("a<b & \"c\" > 'd' \xc3\xa4]]>"));
}

// Settings far beyond the window's still give a well-formed document with finite
// numbers that Qt draws.
TEST(SvgExtremes, StayWellFormedAndDrawable)
{
    const auto With = [](auto Change) {
        TLenseDiagramState State = LenseStartValues();
        Change(State);
        return State;
    };
    const TLenseDiagramState States[] = {
        With([](TLenseDiagramState& S) { S.F = 0; }),
        With([](TLenseDiagramState& S) { S.F = INT32_MAX; }),
        With([](TLenseDiagramState& S) {
            S.ObjectX = INT32_MIN;
            S.ObjectH = INT32_MAX;
        }),
        With([](TLenseDiagramState& S) { S.ObjectX = 81; }),
        With([](TLenseDiagramState& S) { S.LenseWidthRatio = 1e-12; }),
        With([](TLenseDiagramState& S) {
            S.LenseWidthRatio = 5;
            S.LenseType = TLenseType::ltConcave;
        }),
        With([](TLenseDiagramState& S) { S.LenseHeightRatio = 1e300; }),
    };
    for (const TLenseDiagramState& State : States) {
        const std::string Svg = LenseDiagramSvg(State, Width, Height);
        EXPECT_TRUE(ElementNames(Svg).contains("svg"));
        EXPECT_EQ(Svg.find("nan"), std::string::npos);
        EXPECT_EQ(Svg.find("inf"), std::string::npos);
        EXPECT_FALSE(Rendered(Svg).isNull());
    }
    EXPECT_TRUE(ElementNames(LenseDiagramSvg(LenseStartValues(), 1, 1)).contains("svg"));
}

// The dotted pen's dots fall where the raster puts them, step for step, at any
// slope and also where the line comes from far outside; the gaps between them
// take the brush colour.
TEST(SvgDots, DashesCoverTheRastersDotsAndGaps)
{
    constexpr int Side = 200;
    constexpr TColor Ground = 0xFFFFFF;
    constexpr TColor Pen = 0x0000FF; // red
    constexpr TColor Gaps = 0x00C000; // green
    struct TLine {
        std::int64_t X0, Y0, X1, Y1;
    };
    for (const TLine Line : { TLine { 10, 20, 190, 20 }, TLine { 10, 30, 160, 180 },
             TLine { 120, 5, 60, 195 }, TLine { 100000007, -99999990, 20, 170 } }) {
        TPixelBuffer Buffer(Side, Side);
        TRasterTarget Raster(Buffer);
        TSvgTarget Svg(Side, Side);
        for (TDrawTarget* Target : std::initializer_list<TDrawTarget*> { &Raster, &Svg }) {
            Target->SetBrushColor(Ground);
            Target->FillRect(0, 0, Side, Side);
            Target->SetPenColor(Pen);
            Target->SetBrushColor(Gaps);
            Target->SetPenStyle(TPenStyle::Dotted);
            Target->MoveTo(Line.X0, Line.Y0);
            Target->LineTo(Line.X1, Line.Y1);
        }
        const QImage Bitmap = PixelImage(Buffer);
        const QImage Drawing = Rendered(Svg.Document(), Side, Side);
        const QRgb Red = qRgb(255, 0, 0);
        const QRgb Green = qRgb(0, 0xC0, 0);
        int Dots = 0;
        std::vector<QPoint> Wrong;
        for (int Y = 0; Y < Side; ++Y) {
            for (int X = 0; X < Side; ++X) {
                const QRgb Pixel = Bitmap.pixel(X, Y);
                const TRgb Drawn = RgbOf(Drawing.pixel(X, Y));
                if (Pixel == Red) {
                    ++Dots;
                    if (Distance(Drawn, RgbOf(Red)) >= Distance(Drawn, RgbOf(Green)))
                        Wrong.push_back({ X, Y });
                } else if (Pixel == Green && Distance(Drawn, RgbOf(Green)) >= Distance(Drawn, RgbOf(Red))) {
                    Wrong.push_back({ X, Y });
                }
            }
        }
        EXPECT_GT(Dots, 40);
        EXPECT_EQ(Wrong.size(), 0u) << "line to (" << Line.X1 << ", " << Line.Y1 << "):" << Where(Wrong);
    }
}

} // namespace
