#pragma once

#include "LenseDiagram.h"

// The diagram the main window starts with: its colours, focal length, object and
// marks. The render tool draws it unless told otherwise.
TLenseDiagramState LenseStartValues();

// The size of the main window's diagram area as designed, in pixels.
inline constexpr int StartDiagramWidth = 608;
inline constexpr int StartDiagramHeight = 475;
