#pragma once

#include <QImage>

#include <memory>
#include <string>

class TPixelBuffer;

// Replays a gdi-oracle scene script (the golden images' source) on a TCanvas:
// the same commands, the same defaults, a white bitmap to start with.
// Throws std::runtime_error on a line it does not understand.
std::unique_ptr<TPixelBuffer> RunGdiScript(const std::string& Path);

// The checked-in golden image next to a script, or a null image.
QImage LoadGolden(const std::string& Path);

// Empty when Buffer equals Golden pixel for pixel, else a description of the
// first differences.
std::string CompareWithGolden(const TPixelBuffer& Buffer, const QImage& Golden);
