// The whole diagram composed by our canvas, against the same scene drawn with
// QPainter and against the floor: one fill of the frame plus one copy of it.
// Each case ends with the frame copied to a second surface, as the screen gets it.
#include "LenseDiagram.h"
#include "LenseStartValues.h"
#include "TCanvas.h"
#include "TPixelBuffer.h"
#include "TQPainterLenseScene.h"
#include "TQtGlyphSource.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

TLenseDiagramState Scene()
{
    TLenseDiagramState Diagram = LenseStartValues();
    Diagram.ObjectX = 50; // inside the focal length: both dotted extensions are drawn
    return Diagram;
}

void Composition(benchmark::State& State)
{
    const int Width = static_cast<int>(State.range(0)), Height = static_cast<int>(State.range(1));
    TPixelBuffer Frame, Screen(Width, Height);
    TCanvas ScreenCanvas(Screen);
    const TLenseDiagramState Diagram = Scene();
    for (auto _ : State) {
        PaintLenseDiagram(Diagram, Frame, Width, Height);
        ScreenCanvas.Draw(0, 0, Frame);
        benchmark::DoNotOptimize(Screen.Scanline(Height - 1));
    }
}

void Floor(benchmark::State& State)
{
    const int Width = static_cast<int>(State.range(0)), Height = static_cast<int>(State.range(1));
    TPixelBuffer Frame(Width, Height), Screen(Width, Height);
    TCanvas Canvas(Frame), ScreenCanvas(Screen);
    for (auto _ : State) {
        Canvas.FillRect(0, 0, Width, Height);
        ScreenCanvas.Draw(0, 0, Frame);
        benchmark::DoNotOptimize(Screen.Scanline(Height - 1));
    }
}

void QPainterScene(benchmark::State& State)
{
    const int Width = static_cast<int>(State.range(0)), Height = static_cast<int>(State.range(1));
    QImage Picture(Width, Height, QImage::Format_RGB32), Screen(Width, Height, QImage::Format_RGB32);
    const TQPainterLenseScene Scene(::Scene(), Width, Height);
    for (auto _ : State) {
        QPainter Painter(&Picture);
        Scene.Paint(Painter);
        Painter.end();
        QPainter Copy(&Screen);
        Copy.drawImage(0, 0, Picture);
        Copy.end();
        benchmark::DoNotOptimize(Screen.constScanLine(Height - 1));
    }
}

void Sizes(benchmark::internal::Benchmark* Bench)
{
    Bench->Args({ 608, 475 })->Args({ 1920, 1080 })->Args({ 3840, 2160 })->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Floor)->Apply(Sizes);
BENCHMARK(Composition)->Apply(Sizes);
BENCHMARK(QPainterScene)->Apply(Sizes);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication Application(argc, argv);
    TQtGlyphSource::Install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
