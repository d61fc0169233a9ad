#pragma once

#include "WindowMessaging.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The bytes of one WM_COPYDATA on a socket connection (docs/host-protocol.md):
// a 16-byte header (magic "LXCD", dwData, wParam, cbData, little-endian) and then
// cbData bytes of lpData. The receiver answers a handled frame with FrameAck.
namespace platform {

inline constexpr std::array<std::uint8_t, 4> FrameMagic { 'L', 'X', 'C', 'D' };
inline constexpr std::size_t FrameHeaderSize = 16;
inline constexpr std::uint8_t FrameAck = 0x06;

// The header and Data, ready to write. Throws EWindowMessaging when Data is
// longer than MaxCopyDataSize.
std::vector<std::uint8_t> EncodeFrame(
    std::int32_t Kind, std::int32_t Sender, std::span<const std::uint8_t> Data);

enum class TDecodeState { NeedMore, Complete, BadMagic, TooLong };

// Takes the bytes of one frame as they arrive, in pieces of any size. Memory
// grows with the bytes that arrived, never with what a length field promises.
class TFrameDecoder {
public:
    // Consumes bytes of Input up to the end of the frame; gives how many it used.
    // After Complete or a failure it uses none.
    std::size_t Feed(std::span<const std::uint8_t> Input);
    TDecodeState State() const { return FState; }
    // The decoded frame; only once, and only when State() is Complete.
    TCopyDataFrame TakeFrame();

private:
    void ParseHeader();
    void Append(std::span<const std::uint8_t> Input);

    std::array<std::uint8_t, FrameHeaderSize> FHeader {};
    std::size_t FHeaderFill = 0;
    std::size_t FDataSize = 0;
    TCopyDataFrame FFrame;
    TDecodeState FState = TDecodeState::NeedMore;
};

} // namespace platform
