#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <sys/types.h>

struct xcb_connection_t;

// Watches an X server from outside the programs on it: the top-level windows mapped after
// Arm, in the order they were mapped, and the first drawing into each that the server
// reports through the DAMAGE extension. Only windows created after Arm count, so nothing
// of a program started earlier is taken for the new one.
class TDamageWatch {
public:
    // Connects to $DISPLAY; throws std::runtime_error without a display or without the
    // DAMAGE extension.
    TDamageWatch();
    ~TDamageWatch();
    TDamageWatch(const TDamageWatch&) = delete;
    TDamageWatch& operator=(const TDamageWatch&) = delete;

    struct TFirstPaint {
        std::int64_t MappedNs = 0; // CLOCK_MONOTONIC when the window was mapped
        std::int64_t PaintedNs = 0; // and when the first drawing into it was reported
        int Width = 0;
        int Height = 0;
    };

    // Forgets every window seen so far; call before starting the program to watch.
    void Arm();

    // Waits for the first paint of the Window-th top-level window mapped since Arm (0 the
    // first). Throws std::runtime_error when Process ends first or that window is not
    // painted within TimeoutMs. Process is left unreaped, so its caller can still collect
    // its resource use.
    TFirstPaint WaitForFirstPaint(pid_t Process, int TimeoutMs, std::size_t Window = 0);

private:
    struct TState;
    std::unique_ptr<TState> F;
};
