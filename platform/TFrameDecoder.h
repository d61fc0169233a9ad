#pragma once

#include "CopyDataWire.h"
#include "TWindowMessaging.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

// How far the decoder's buffer may run ahead of the bytes that arrived.
inline constexpr std::size_t GrowthAhead = 1024 * 1024;

enum class TDecodeState { NeedMore, Complete, BadMagic, TooLong };

// Takes the bytes of one frame (CopyDataWire.h) as they arrive, in pieces of any
// size. Memory grows with the bytes that arrived, never by more than GrowthAhead
// beyond them, whatever a length field promises.
class TFrameDecoder {
public:
    // Consumes bytes of Input up to the end of the frame; gives how many it used.
    // After Complete or a failure it uses none.
    std::size_t Feed(std::span<const std::uint8_t> Input);
    TDecodeState State() const { return FState; }
    // True once a byte of the frame has arrived.
    bool Started() const { return FHeaderFill > 0; }
    // The decoded frame, when State() is Complete; the decoder then waits for
    // the next frame.
    TCopyDataFrame TakeFrame();

private:
    void ParseHeader();
    void Append(std::span<const std::uint8_t> Input);

    TFrameHeader FHeader {};
    std::size_t FHeaderFill = 0;
    std::size_t FDataSize = 0;
    TCopyDataFrame FFrame;
    TDecodeState FState = TDecodeState::NeedMore;
};

} // namespace platform
