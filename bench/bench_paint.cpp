// The whole diagram composed by our canvas, against the same scene drawn with
// QPainter and against the floor: one fill of the frame plus one copy of it.
// Each case ends with the frame copied to a second surface, as the screen gets it.
#include "GdiCanvas.h"
#include "LenseConstruction.h"
#include "LenseDiagram.h"
#include "LenseOutline.h"
#include "PixelBuffer.h"
#include "PixelFrame.h"
#include "StickFigure.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

TLenseDiagramState Scene()
{
    TLenseDiagramState s;
    s.F = 80;
    s.ImageColor = 0x3366BB;
    s.ObjectX = 50; // inside the focal length: both dotted extensions are drawn
    return s;
}

QColor ToQColor(TColor c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void Composition(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    PixelBuffer frame, screen(w, h);
    TCanvas screenCanvas(screen);
    const TLenseDiagramState scene = Scene();
    for (auto _ : state) {
        PaintLenseDiagram(scene, frame, w, h);
        screenCanvas.Draw(0, 0, frame);
        benchmark::DoNotOptimize(screen.Scanline(h - 1));
    }
}

void Floor(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    PixelBuffer frame(w, h), screen(w, h);
    TCanvas canvas(frame), screenCanvas(screen);
    for (auto _ : state) {
        canvas.FillRect(0, 0, w, h);
        screenCanvas.Draw(0, 0, frame);
        benchmark::DoNotOptimize(screen.Scanline(h - 1));
    }
}

void DrawFigureQt(QPainter& p, const TStickFigure& f)
{
    p.drawLine(f.Column, f.Neck, f.Column, f.Hip);
    p.drawLine(f.Column, f.Hip, f.Left, f.Feet);
    p.drawLine(f.Column, f.Hip, f.Right, f.Feet);
    p.drawLine(f.Column, f.Shoulder, f.Left, f.Hands);
    p.drawLine(f.Column, f.Shoulder, f.Right, f.Hands);
    p.drawEllipse(QRect(QPoint(f.Left, f.HeadTop), QPoint(f.Right, f.Neck)).normalized());
}

QPainterPath LensPath(const TLenseOutline& o)
{
    QPainterPath path;
    const QRectF left
        = QRectF(QPointF(o.Arc1.Left, o.Arc1.Top), QPointF(o.Arc1.Right, o.Arc1.Bottom)).normalized();
    const QRectF right
        = QRectF(QPointF(o.Arc2.Left, o.Arc2.Top), QPointF(o.Arc2.Right, o.Arc2.Bottom)).normalized();
    const double sweep = 2.0 * qRadiansToDegrees(std::asin((o.Arc1.EndY - o.Arc1.StartY) / left.height()));
    path.arcMoveTo(left, 180.0 - sweep / 2);
    path.arcTo(left, 180.0 - sweep / 2, sweep);
    path.arcTo(right, -sweep / 2, sweep);
    path.closeSubpath();
    return path;
}

void QPainterScene(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    QImage frame(w, h, QImage::Format_RGB32), screen(w, h, QImage::Format_RGB32);
    const TLenseDiagramState s = Scene();
    const TPixelFrame px(w, h);
    const TLenseConstruction c = ConstructImage(s, px.Cx());
    const QPainterPath lens = LensPath(*LenseOutline(s, w, h, false));
    const TStickFigure object = StickFigure(-s.ObjectX, s.ObjectH, px.Cx(), px.Cy());
    const TStickFigure image
        = StickFigure(static_cast<int>(c.I.X), static_cast<int>(c.I.Y), px.Cx(), px.Cy());
    auto at = [&](uVectors::TVector2D v) {
        const auto p = *px.ToPixel(v);
        return QPoint(static_cast<int>(p.X), static_cast<int>(p.Y));
    };
    const QPen dotted(ToQColor(s.LineColor1), 1, Qt::DotLine);
    for (auto _ : state) {
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(0, 0, w, h, ToQColor(s.BackColor));
        p.setPen(ToQColor(s.LenseColor));
        p.setBrush(ToQColor(s.LenseColor));
        p.drawPath(lens);
        p.setBrush(ToQColor(s.BackColor));
        p.setPen(ToQColor(s.ObjectColor));
        DrawFigureQt(p, object);
        p.setPen(ToQColor(s.ImageColor));
        DrawFigureQt(p, image);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(ToQColor(s.BackColor));
        p.setPen(ToQColor(s.LineColor1));
        p.drawLine(at(c.O), at(c.A));
        p.drawLine(at(c.A), at(c.E1));
        p.setPen(dotted);
        p.drawLine(at(c.A), at(c.I));
        p.setPen(ToQColor(s.LineColor2));
        p.drawLine(at(c.O), at(c.E2));
        p.setPen(QPen(ToQColor(s.LineColor2), 1, Qt::DotLine));
        p.drawLine(at(c.O), at(c.I));
        p.setBackgroundMode(Qt::TransparentMode);
        p.setPen(ToQColor(s.GridColor));
        p.drawLine(0, px.Cy(), w, px.Cy());
        p.drawLine(px.Cx(), 0, px.Cx(), h);
        for (int k : { -2, -1, 1, 2 }) {
            const int x = px.Cx() + k * s.F;
            p.drawLine(x - s.MarkWidth, px.Cy(), x + s.MarkWidth, px.Cy());
            p.drawLine(x, px.Cy() - s.MarkWidth, x, px.Cy() + s.MarkWidth);
            p.drawText(x - 6, px.Cy() + s.MarkCapSpace + 12, k == 1 || k == -1 ? "F" : "2F");
        }
        p.end();
        QPainter copy(&screen);
        copy.drawImage(0, 0, frame);
        copy.end();
        benchmark::DoNotOptimize(screen.constScanLine(h - 1));
    }
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({ 608, 475 })->Args({ 1920, 1080 })->Args({ 3840, 2160 })->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Floor)->Apply(Sizes);
BENCHMARK(Composition)->Apply(Sizes);
BENCHMARK(QPainterScene)->Apply(Sizes);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
