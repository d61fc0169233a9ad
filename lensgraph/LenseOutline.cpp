#include "LenseOutline.h"

#include "TPixelFrame.h"

#include <cmath>

namespace {

// Truncates coordinates to pixels and remembers whether any of them was not finite.
class TPixels {
public:
    std::int64_t operator()(double Value)
    {
        const auto Pixel = TPixelFrame::Trunc(Value);
        FFinite = FFinite && Pixel.has_value();
        return Pixel.value_or(0);
    }
    bool Finite() const { return FFinite; }

private:
    bool FFinite = true;
};

// The lens in optics units around the pixel column Xc and row Cy: faces of half
// height H on circles of radius R whose centres lie D beyond the lens plane, each
// face moved Shift away from it (the concave lens's thickness).
struct TFaces {
    double Xc, Cy, H, D, R, Shift;
};

// The face whose circle has its centre on Side (+1 right, -1 left) of the lens, so
// that it bulges to the other side; the arc runs counter-clockwise between its ends.
TLenseOutline::TArc FaceArc(const TFaces& Lens, double Side, TPixels& Pixel)
{
    return { Pixel(Lens.Xc + Side * ((Lens.D - Lens.R) + Lens.Shift)), Pixel(Lens.Cy - Lens.R),
        Pixel(Lens.Xc + Side * ((Lens.D + Lens.R) + Lens.Shift)), Pixel(Lens.Cy + Lens.R),
        Pixel(Lens.Xc + Side * Lens.Shift), Pixel(Lens.Cy - Side * Lens.H),
        Pixel(Lens.Xc + Side * Lens.Shift), Pixel(Lens.Cy + Side * Lens.H) };
}

// A line across the concave lens at row Y, one pixel beyond each face.
TLenseOutline::TEdge Edge(const TFaces& Lens, double Y, TPixels& Pixel)
{
    return { Pixel(Lens.Xc - Lens.Shift - 1), Pixel(Lens.Xc + Lens.Shift + 1), Pixel(Y) };
}

} // namespace

std::optional<TLenseOutline> LenseOutline(
    const TLenseDiagramState& State, int Width, int Height, bool Concave)
{
    const TPixelFrame Frame(Width, Height);
    const double H = Height * State.LenseHeightRatio;
    const double W = H * State.LenseWidthRatio;
    if (W == 0.0 || !std::isfinite(W))
        return std::nullopt;
    const double D = (H * H - W * W) / (2.0 * W);
    const std::int64_t Xc = static_cast<std::int64_t>(Frame.Cx()) + 1;
    const TFaces Faces { static_cast<double>(Xc), static_cast<double>(Frame.Cy()), H, D, D + W,
        Concave ? State.ConcaveThick + W : 0.0 };

    TPixels Pixel;
    TLenseOutline Outline;
    Outline.Arc1 = FaceArc(Faces, 1.0, Pixel);
    Outline.Arc2 = FaceArc(Faces, -1.0, Pixel);
    Outline.HasEdges = Concave;
    const double Cy = Faces.Cy;
    Outline.Edges = { Edge(Faces, Cy - H, Pixel), Edge(Faces, Cy + H, Pixel), Edge(Faces, Cy - H + 1, Pixel),
        Edge(Faces, Cy + H - 1, Pixel) };
    if (!Pixel.Finite())
        return std::nullopt;
    Outline.SeedX = Xc;
    Outline.SeedY = Frame.Cy();
    return Outline;
}
