// Each canvas primitive at the diagram's size, next to the floor: one full-frame
// fill and one copy of the frame.
#include "TCanvas.h"
#include "TPixelBuffer.h"
#include "TQtGlyphSource.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int Width = 608;
constexpr int Height = 475;
constexpr TColor Back = 0xFFFFFF;
constexpr TColor Lens = 0xFFC0C0;

struct TFrame {
    TPixelBuffer Buffer { Width, Height };
    TPixelBuffer Screen { Width, Height };
    TCanvas Canvas { Buffer };
    TCanvas ScreenCanvas { Screen };
};

void Background(TCanvas& Canvas)
{
    Canvas.SetBrushColor(Back);
    Canvas.FillRect(0, 0, Width, Height);
}

void LensBody(TCanvas& Canvas)
{
    Canvas.SetPenColor(Lens);
    Canvas.SetBrushColor(Lens);
    Canvas.Arc(283, -842, 2442, 1316, 305, 23, 305, 450);
    Canvas.Arc(326, -842, -1832, 1316, 305, 450, 305, 23);
    Canvas.FloodFill(305, 237, Lens);
}

void Lines(TCanvas& Canvas)
{
    Canvas.SetPenColor(0x0000FF);
    Canvas.MoveTo(104, 87);
    Canvas.LineTo(304, 87);
    Canvas.LineTo(608, 657);
    Canvas.MoveTo(104, 87);
    Canvas.LineTo(608, 465);
    Canvas.SetPenStyle(TPenStyle::Dotted);
    Canvas.MoveTo(304, 87);
    Canvas.LineTo(171, -163);
    Canvas.SetPenStyle(TPenStyle::Solid);
    Canvas.MoveTo(0, 237);
    Canvas.LineTo(Width, 237);
    Canvas.MoveTo(304, 0);
    Canvas.LineTo(304, Height);
    for (int Figure = 0; Figure < 2; ++Figure) {
        const int X = 104 + 333 * Figure;
        Canvas.MoveTo(X, 137);
        Canvas.LineTo(X, 187);
        Canvas.LineTo(X - 25, 237);
        Canvas.MoveTo(X, 187);
        Canvas.LineTo(X + 25, 237);
    }
}

void Ellipses(TCanvas& Canvas)
{
    Canvas.SetBrushColor(Back);
    Canvas.Ellipse(79, 87, 129, 137);
    Canvas.Ellipse(421, 337, 453, 304);
}

void Captions(TCanvas& Canvas)
{
    Canvas.SetBrushStyle(TBrushStyle::Clear);
    for (const int X : { 144, 224, 384, 464 }) {
        const char* Caption = (X == 144 || X == 464) ? "2F" : "F";
        Canvas.TextOut(X - Canvas.TextWidth(Caption) / 2, 245, Caption);
    }
    Canvas.SetBrushStyle(TBrushStyle::Solid);
}

void Copy(TFrame& Frame)
{
    Frame.ScreenCanvas.Draw(0, 0, Frame.Buffer);
}

template <void (*Step)(TCanvas&)> void BM_Primitive(benchmark::State& State)
{
    TFrame Frame;
    Background(Frame.Canvas);
    for (auto _ : State) {
        Step(Frame.Canvas);
        benchmark::DoNotOptimize(Frame.Buffer.Scanline(0));
    }
}

void BM_FloorFillAndCopy(benchmark::State& State)
{
    TFrame Frame;
    for (auto _ : State) {
        for (int Y = 0; Y < Height; ++Y)
            std::memset(Frame.Buffer.Scanline(Y), 0xFF, Width * sizeof(std::uint32_t));
        std::memcpy(Frame.Screen.Scanline(0), Frame.Buffer.Scanline(0),
            static_cast<std::size_t>(Frame.Buffer.Stride()) * Height * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(Frame.Screen.Scanline(0));
    }
}

void BM_Copy(benchmark::State& State)
{
    TFrame Frame;
    for (auto _ : State) {
        Copy(Frame);
        benchmark::DoNotOptimize(Frame.Screen.Scanline(0));
    }
}

void BM_WholeDiagram(benchmark::State& State)
{
    TFrame Frame;
    for (auto _ : State) {
        Background(Frame.Canvas);
        LensBody(Frame.Canvas);
        Lines(Frame.Canvas);
        Ellipses(Frame.Canvas);
        Captions(Frame.Canvas);
        Copy(Frame);
        benchmark::DoNotOptimize(Frame.Screen.Scanline(0));
    }
}

BENCHMARK(BM_FloorFillAndCopy);
BENCHMARK(BM_Primitive<Background>)->Name("BM_FillRect");
BENCHMARK(BM_Copy);
BENCHMARK(BM_Primitive<Lines>)->Name("BM_Lines");
BENCHMARK(BM_Primitive<LensBody>)->Name("BM_LensArcsAndFloodFill");
BENCHMARK(BM_Primitive<Ellipses>)->Name("BM_Ellipses");
BENCHMARK(BM_Primitive<Captions>)->Name("BM_Captions");
BENCHMARK(BM_WholeDiagram);

} // namespace

int main(int argc, char** argv)
{
    qputenv(
        "QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication App(argc, argv);
    TQtGlyphSource::Install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
