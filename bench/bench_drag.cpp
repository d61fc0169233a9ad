// A drag through the real main window: every mouse move is a QMouseEvent sent to
// the diagram widget through the application's event handling, and each one
// composes the whole diagram and copies it to the window. Measured next to the
// bare composition of the same 2000 scenes, each with its copy to a second frame as
// in the paint benchmark, so the ratio is what the event path adds.
#include "LenseDiagram.h"
#include "LenseStartValues.h"
#include "TApplication.h"
#include "TCanvas.h"
#include "TLenseGraph.h"
#include "TPixelBuffer.h"
#include "TQtGlyphSource.h"
#include "TfrmExample.h"

#include <QMouseEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

constexpr int Moves = 2000;
constexpr QPoint ObjectTop(104, 87);

// The pointer of move I wanders over a 100 x 100 square right of and below the
// object's top and ends on it, so every drag starts where the last one ended.
QPoint PointerAt(int I)
{
    const int Left = Moves - 1 - I;
    return ObjectTop + QPoint(Left % 100, Left * 7 % 100);
}

void Send(QWidget* Widget, QEvent::Type Type, QPoint At, Qt::MouseButton Button, Qt::MouseButtons Held)
{
    QMouseEvent Event(
        Type, At, Widget->mapTo(Widget->window(), At), Widget->mapToGlobal(At), Button, Held, Qt::NoModifier);
    QCoreApplication::sendEvent(Widget, &Event);
}

void DragThroughTheWindow(benchmark::State& State)
{
    TfrmExample Window;
    Window.show();
    QCoreApplication::processEvents();
    if (!Window.windowHandle()->isExposed())
        State.SkipWithError("the main window is not on the (offscreen) screen");
    TLenseGraph* Graph = Window.LenseGraph();
    const int Paints = Graph->PaintCount();
    for (auto _ : State) {
        Send(Graph, QEvent::MouseButtonPress, ObjectTop, Qt::LeftButton, Qt::LeftButton);
        for (int I = 0; I < Moves; ++I)
            Send(Graph, QEvent::MouseMove, PointerAt(I), Qt::NoButton, Qt::LeftButton);
        Send(Graph, QEvent::MouseButtonRelease, PointerAt(Moves - 1), Qt::LeftButton, Qt::NoButton);
    }
    if (Graph->size() != QSize(608, 475) || Graph->PaintCount() - Paints != State.iterations() * (Moves + 1))
        State.SkipWithError("not every move was a paint of the main window's 608 x 475 diagram");
    State.SetItemsProcessed(State.iterations() * Moves);
}

void Composition(benchmark::State& State)
{
    TLenseDiagramState Scene = LenseStartValues();
    TPixelBuffer Frame, Screen(608, 475);
    TCanvas ScreenCanvas(Screen);
    for (auto _ : State) {
        for (int I = 0; I < Moves; ++I) {
            const QPoint Pointer = PointerAt(I);
            Scene.ObjectX = std::max(1, 304 - Pointer.x());
            Scene.ObjectH = 237 - Pointer.y();
            PaintLenseDiagram(Scene, Frame, 608, 475);
            ScreenCanvas.Draw(0, 0, Frame);
            benchmark::DoNotOptimize(Screen.Scanline(474));
        }
    }
    State.SetItemsProcessed(State.iterations() * Moves);
}

BENCHMARK(DragThroughTheWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(Composition)->Unit(benchmark::kMillisecond);

// Prints the runs as usual, then how much longer a move through the window takes
// than its bare composition, in CPU time of the fastest repetition of each (the least
// disturbed by other work on the machine).
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        for (const Run& R : Runs) {
            if (R.run_type != Run::RT_Iteration || R.error_occurred)
                continue;
            auto [Best, First] = FTimes.try_emplace(R.run_name.function_name, R.GetAdjustedCPUTime());
            if (!First)
                Best->second = std::min(Best->second, R.GetAdjustedCPUTime());
        }
        ConsoleReporter::ReportRuns(Runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (FTimes.count("DragThroughTheWindow") && FTimes.count("Composition"))
            std::printf("drag through the window / bare composition: %.3f\n",
                FTimes["DragThroughTheWindow"] / FTimes["Composition"]);
    }

private:
    std::map<std::string, double> FTimes;
};

}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication Application(argc, argv);
    TQtGlyphSource::Install();
    benchmark::Initialize(&argc, argv);
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    return 0;
}
