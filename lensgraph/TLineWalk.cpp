#include "TLineWalk.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Wide = __int128;

Wide FloorDiv(Wide N, Wide D)
{
    const Wide Q = N / D;
    return (N % D != 0 && ((N < 0) != (D < 0))) ? Q - 1 : Q;
}

Wide CeilDiv(Wide N, Wide D)
{
    return -FloorDiv(-N, D);
}

// One line in major/minor terms: pixel t (0 <= t < Length) lies at major
// M0 + MajorStep * t and minor M0 + ceil((2 * MinorDelta * t - Length) / (2 * Length)).
struct TAxes {
    Wide Major0;
    Wide Minor0;
    int MajorStep;
    Wide MinorDelta;
    Wide Length;

    // Smallest t >= 0 from which the minor coordinate has reached V in the
    // direction of travel (MinorDelta must not be 0).
    Wide FirstReaching(Wide V) const
    {
        const Wide K = V - Minor0;
        const Wide T = MinorDelta > 0 ? FloorDiv(Length * (2 * K - 1), 2 * MinorDelta) + 1
                                      : CeilDiv(Length * (2 * K + 1), 2 * MinorDelta);
        return std::max<Wide>(T, 0);
    }
};

} // namespace

TLineWalk::TLineWalk(
    std::int64_t X0, std::int64_t Y0, std::int64_t X1, std::int64_t Y1, int Width, int Height)
{
    const Wide Dx = Wide(X1) - X0;
    const Wide Dy = Wide(Y1) - Y0;
    const Wide Adx = Dx < 0 ? -Dx : Dx;
    const Wide Ady = Dy < 0 ? -Dy : Dy;
    FXMajor = Adx >= Ady;
    const TAxes Axes
        = FXMajor ? TAxes { X0, Y0, Dx < 0 ? -1 : 1, Dy, Adx } : TAxes { Y0, X0, Dy < 0 ? -1 : 1, Dx, Ady };
    const Wide MajorSize = FXMajor ? Width : Height;
    const Wide MinorSize = FXMajor ? Height : Width;
    if (Axes.Length == 0 || MajorSize <= 0 || MinorSize <= 0)
        return;

    Wide Lo = 0;
    Wide Hi = Axes.Length;
    if (Axes.MajorStep > 0) {
        Lo = std::max(Lo, -Axes.Major0);
        Hi = std::min(Hi, MajorSize - Axes.Major0);
    } else {
        Lo = std::max(Lo, Axes.Major0 - MajorSize + 1);
        Hi = std::min(Hi, Axes.Major0 + 1);
    }
    if (Axes.MinorDelta > 0) {
        Lo = std::max(Lo, Axes.FirstReaching(0));
        Hi = std::min(Hi, Axes.FirstReaching(MinorSize));
    } else if (Axes.MinorDelta < 0) {
        Lo = std::max(Lo, Axes.FirstReaching(MinorSize - 1));
        Hi = std::min(Hi, Axes.FirstReaching(-1));
    } else if (Axes.Minor0 < 0 || Axes.Minor0 >= MinorSize) {
        return;
    }
    if (Lo >= Hi)
        return;

    const Wide Denominator = 2 * Axes.Length;
    const Wide Numerator = 2 * Axes.MinorDelta * Lo - Axes.Length;
    const Wide Quotient = CeilDiv(Numerator, Denominator);
    FCount = static_cast<int>(Hi - Lo);
    FFirstStep = static_cast<std::int64_t>(Lo);
    FMajor = static_cast<int>(Axes.Major0 + Axes.MajorStep * Lo);
    FMinor = static_cast<int>(Axes.Minor0 + Quotient);
    FMajorStep = Axes.MajorStep;
    FResidue = static_cast<std::int64_t>(Numerator - Quotient * Denominator);
    FMinorDelta2 = static_cast<std::int64_t>(2 * Axes.MinorDelta);
    FDenominator = static_cast<std::int64_t>(Denominator);
}
