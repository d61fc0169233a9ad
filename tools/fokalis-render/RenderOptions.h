#pragma once

#include "LenseStartValues.h"

#include <stdexcept>
#include <string>
#include <vector>

// The command line of fokalis-render: where to write the figure, its size, and the
// diagram's settings, starting from those of the program's main window.
struct TRenderOptions {
    std::string OutFile;
    int Width = StartDiagramWidth;
    int Height = StartDiagramHeight;
    TLenseDiagramState State = LenseStartValues();
    bool Help = false;
    bool Version = false;
};

// A bad option or value; the message is one line naming it.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws EUsage; a focal length or object distance that no drag in the window could
// give is one. "--help" or "--version" anywhere sets Help or Version and needs no
// output file. "-" as the output file stands for standard output.
TRenderOptions ParseRenderOptions(const std::vector<std::string>& Args);

extern const char* const RenderUsage;
