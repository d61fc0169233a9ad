#pragma once

#include "TWindowMessaging.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The bytes of one WM_COPYDATA on a socket connection (docs/host-protocol.md):
// a 16-byte header (magic "LXCD", dwData, wParam, cbData, little-endian) and then
// cbData bytes of lpData. The receiver answers a handled frame with FrameAck;
// then the same connection may carry the next frame. TFrameDecoder reads them.
namespace platform {

inline constexpr std::array<std::uint8_t, 4> FrameMagic { 'L', 'X', 'C', 'D' };
inline constexpr std::size_t FrameHeaderSize = 16;
inline constexpr std::uint8_t FrameAck = 0x06;

using TFrameHeader = std::array<std::uint8_t, FrameHeaderSize>;

// The header of a frame whose lpData is DataSize bytes long. Throws
// EWindowMessaging when DataSize is above MaxCopyDataSize.
TFrameHeader EncodeFrameHeader(std::int32_t Kind, std::int32_t Sender, std::size_t DataSize);
// The header and Data in one block.
std::vector<std::uint8_t> EncodeFrame(
    std::int32_t Kind, std::int32_t Sender, std::span<const std::uint8_t> Data);

} // namespace platform
