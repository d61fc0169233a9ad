#pragma once

#include <cstdint>

// The pixels of a 1-pixel GDI line from (X0, Y0) to (X1, Y1), clipped to a
// Width x Height area. Along the major axis each step takes the nearest minor
// coordinate, exact halves going to the smaller one; the end pixel is left out.
// The walk starts at the clip entry with the error term of the unclipped line,
// so the clipped line paints exactly the visible pixels of the whole line, and
// Step still counts from the true start (the dot pattern stays in phase).
// Coordinates must lie within +-2^60.
class TLineWalk {
public:
    TLineWalk(std::int64_t X0, std::int64_t Y0, std::int64_t X1, std::int64_t Y1, int Width, int Height);

    // Calls Plot(X, Y, Step) for each visible pixel in drawing order; Step is the
    // pixel's index along the major axis counted from the line's start.
    template <class TPlot> void ForEach(TPlot&& Plot) const
    {
        int Major = FMajor;
        int Minor = FMinor;
        std::int64_t Residue = FResidue;
        for (int I = 0; I < FCount; ++I) {
            if (FXMajor)
                Plot(Major, Minor, FFirstStep + I);
            else
                Plot(Minor, Major, FFirstStep + I);
            Major += FMajorStep;
            Residue += FMinorDelta2;
            if (Residue > 0) {
                ++Minor;
                Residue -= FDenominator;
            } else if (Residue <= -FDenominator) {
                --Minor;
                Residue += FDenominator;
            }
        }
    }

    int Count() const { return FCount; }

private:
    bool FXMajor = true;
    int FCount = 0;
    int FMajor = 0;
    int FMinor = 0;
    int FMajorStep = 1;
    std::int64_t FFirstStep = 0;
    // Minor offset at step t is ceil((2*dMinor*t - |dMajor|) / (2*|dMajor|)); the
    // residue is that numerator less the quotient times the denominator, in (-D, 0].
    std::int64_t FResidue = 0;
    std::int64_t FMinorDelta2 = 0;
    std::int64_t FDenominator = 1;
};
