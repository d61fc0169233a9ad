#pragma once

#include "LenseDiagram.h"

// The diagram the main window starts with: its colours, focal length, object and
// marks. The render tool draws it unless told otherwise.
TLenseDiagramState LenseStartValues();

// Reset: puts State's object and focal length back where the main window starts them; the
// lens type, the lens-body switch and the colours stay as the user or the host chose them.
// Gives true when that changed anything.
bool ResetToStartValues(TLenseDiagramState& State);

// The size of the main window's diagram area as designed, in pixels.
inline constexpr int StartDiagramWidth = 608;
inline constexpr int StartDiagramHeight = 475;
