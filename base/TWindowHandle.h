#pragma once

#include <cstdint>

// A hidden window's handle: 1 to 2^31-1 for a window, 0 for none; unique among the live
// windows of all processes of the user. The window layer hands them out, the wire format
// carries them in entity records and as the sender of a frame.
using TWindowHandle = std::int32_t;
