#pragma once

#include "WindowMessaging.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The bytes of one WM_COPYDATA on a socket connection (docs/host-protocol.md):
// a 16-byte header (magic "LXCD", dwData, wParam, cbData, little-endian) and then
// cbData bytes of lpData. The receiver answers a handled frame with FrameAck;
// then the same connection may carry the next frame.
namespace platform {

inline constexpr std::array<std::uint8_t, 4> FrameMagic { 'L', 'X', 'C', 'D' };
inline constexpr std::size_t FrameHeaderSize = 16;
inline constexpr std::uint8_t FrameAck = 0x06;
// How far the decoder's buffer may run ahead of the bytes that arrived.
inline constexpr std::size_t GrowthAhead = 1024 * 1024;

using TFrameHeader = std::array<std::uint8_t, FrameHeaderSize>;

// The header of a frame whose lpData is DataSize bytes long. Throws
// EWindowMessaging when DataSize is above MaxCopyDataSize.
TFrameHeader EncodeFrameHeader(std::int32_t Kind, std::int32_t Sender, std::size_t DataSize);
// The header and Data in one block.
std::vector<std::uint8_t> EncodeFrame(
    std::int32_t Kind, std::int32_t Sender, std::span<const std::uint8_t> Data);

enum class TDecodeState { NeedMore, Complete, BadMagic, TooLong };

// Takes the bytes of one frame as they arrive, in pieces of any size. Memory
// grows with the bytes that arrived, never by more than GrowthAhead beyond them,
// whatever a length field promises.
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
