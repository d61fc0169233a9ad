#pragma once

#include "TDemonLink.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TLernixMessageStream;

// The data block of one WM_COPYDATA frame: StampTime and StampDate as two
// integers, then the payload.
inline constexpr std::size_t FrameStampSize = 8;
// The largest data block (stamp and payload) that is sent or accepted.
inline constexpr std::size_t MaxFrameDataSize = 16 * 1024 * 1024;

// A received frame that cannot be a message; the text says why.
class EBadFrame : public std::runtime_error {
public:
    explicit EBadFrame(const std::string& Why)
        : std::runtime_error(Why)
    {
    }
};

// Msg's stamp and then its whole content. Throws ELernix when the block would
// exceed MaxFrameDataSize.
std::vector<std::uint8_t> EncodeFrameData(const TLernixMessageStream& Msg);

// The message that a frame carries: kind, stamp, content (at position 0) and
// the sender's window in SenderEntity. Throws EBadFrame, before copying any
// byte, for a block shorter than the stamp or longer than MaxFrameDataSize, and
// for a sender handle outside 0 to 2^31-1.
std::unique_ptr<TLernixMessageStream> DecodeFrame(
    std::int32_t Kind, std::int64_t Sender, const std::uint8_t* Data, std::size_t Size, TDemonLink* Demon);
