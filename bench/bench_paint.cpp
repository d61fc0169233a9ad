// The whole diagram composed by our canvas, against the same scene drawn with
// QPainter and against the floor: one fill of the frame plus one copy of it.
// Each case ends with the frame copied to a second surface, as the screen gets it.
#include "LenseConstruction.h"
#include "LenseDiagram.h"
#include "LenseOutline.h"
#include "LenseStartValues.h"
#include "StickFigure.h"
#include "TCanvas.h"
#include "TPixelBuffer.h"
#include "TPixelFrame.h"
#include "TQtGlyphSource.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

TLenseDiagramState Scene()
{
    TLenseDiagramState Diagram = LenseStartValues();
    Diagram.ObjectX = 50; // inside the focal length: both dotted extensions are drawn
    return Diagram;
}

QColor ToQColor(TColor Color)
{
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
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

void DrawFigureQt(QPainter& Painter, const TStickFigure& Figure)
{
    Painter.drawLine(Figure.Column, Figure.Neck, Figure.Column, Figure.Hip);
    Painter.drawLine(Figure.Column, Figure.Hip, Figure.Left, Figure.Feet);
    Painter.drawLine(Figure.Column, Figure.Hip, Figure.Right, Figure.Feet);
    Painter.drawLine(Figure.Column, Figure.Shoulder, Figure.Left, Figure.Hands);
    Painter.drawLine(Figure.Column, Figure.Shoulder, Figure.Right, Figure.Hands);
    Painter.drawEllipse(
        QRect(QPoint(Figure.Left, Figure.HeadTop), QPoint(Figure.Right, Figure.Neck)).normalized());
}

QPainterPath LensPath(const TLenseOutline& Outline)
{
    QPainterPath Path;
    const auto Face = [](const auto& Arc) {
        return QRectF(
            QPointF(double(Arc.Left), double(Arc.Top)), QPointF(double(Arc.Right), double(Arc.Bottom)))
            .normalized();
    };
    const QRectF LeftFace = Face(Outline.Arc1);
    const QRectF RightFace = Face(Outline.Arc2);
    const double Sweep = 2.0
        * qRadiansToDegrees(std::asin(double(Outline.Arc1.EndY - Outline.Arc1.StartY) / LeftFace.height()));
    Path.arcMoveTo(LeftFace, 180.0 - Sweep / 2);
    Path.arcTo(LeftFace, 180.0 - Sweep / 2, Sweep);
    Path.arcTo(RightFace, -Sweep / 2, Sweep);
    Path.closeSubpath();
    return Path;
}

void QPainterScene(benchmark::State& State)
{
    const int Width = static_cast<int>(State.range(0)), Height = static_cast<int>(State.range(1));
    QImage Picture(Width, Height, QImage::Format_RGB32), Screen(Width, Height, QImage::Format_RGB32);
    const TLenseDiagramState Diagram = Scene();
    const TPixelFrame Frame(Width, Height);
    const TLenseConstruction C = ConstructImage(Diagram, Frame.Cx());
    const QPainterPath Lens = LensPath(*LenseOutline(Diagram, Width, Height, false));
    const TStickFigure Object = StickFigure(-Diagram.ObjectX, Diagram.ObjectH, Frame.Cx(), Frame.Cy());
    const TStickFigure Image
        = StickFigure(static_cast<int>(C.I.X), static_cast<int>(C.I.Y), Frame.Cx(), Frame.Cy());
    auto At = [&](uVectors::TVector2D Point) {
        const auto Pixel = *Frame.ToPixel(Point);
        return QPoint(static_cast<int>(Pixel.X), static_cast<int>(Pixel.Y));
    };
    const QPen Dotted(ToQColor(Diagram.LineColor1), 1, Qt::DotLine);
    for (auto _ : State) {
        QPainter Painter(&Picture);
        Painter.setRenderHint(QPainter::Antialiasing, false);
        Painter.fillRect(0, 0, Width, Height, ToQColor(Diagram.BackColor));
        Painter.setPen(ToQColor(Diagram.LenseColor));
        Painter.setBrush(ToQColor(Diagram.LenseColor));
        Painter.drawPath(Lens);
        Painter.setBrush(ToQColor(Diagram.BackColor));
        Painter.setPen(ToQColor(Diagram.ObjectColor));
        DrawFigureQt(Painter, Object);
        Painter.setPen(ToQColor(Diagram.ImageColor));
        DrawFigureQt(Painter, Image);
        Painter.setBackgroundMode(Qt::OpaqueMode);
        Painter.setBackground(ToQColor(Diagram.BackColor));
        Painter.setPen(ToQColor(Diagram.LineColor1));
        Painter.drawLine(At(C.O), At(C.A));
        Painter.drawLine(At(C.A), At(C.E1));
        Painter.setPen(Dotted);
        Painter.drawLine(At(C.A), At(C.I));
        Painter.setPen(ToQColor(Diagram.LineColor2));
        Painter.drawLine(At(C.O), At(C.E2));
        Painter.setPen(QPen(ToQColor(Diagram.LineColor2), 1, Qt::DotLine));
        Painter.drawLine(At(C.O), At(C.I));
        Painter.setBackgroundMode(Qt::TransparentMode);
        Painter.setPen(ToQColor(Diagram.GridColor));
        Painter.drawLine(0, Frame.Cy(), Width, Frame.Cy());
        Painter.drawLine(Frame.Cx(), 0, Frame.Cx(), Height);
        for (int K : { -2, -1, 1, 2 }) {
            const int X = Frame.Cx() + K * Diagram.F;
            Painter.drawLine(X - Diagram.MarkWidth, Frame.Cy(), X + Diagram.MarkWidth, Frame.Cy());
            Painter.drawLine(X, Frame.Cy() - Diagram.MarkWidth, X, Frame.Cy() + Diagram.MarkWidth);
            Painter.drawText(X - 6, Frame.Cy() + Diagram.MarkCapSpace + 12, K == 1 || K == -1 ? "F" : "2F");
        }
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
