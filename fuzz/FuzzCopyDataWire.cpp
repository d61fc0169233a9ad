// The socket-level frame decoder over arbitrary bytes arriving in arbitrary
// pieces: the first input byte sets the piece size. A decoded frame must encode
// back to exactly the bytes it was read from.
#include "TFrameDecoder.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0)
        return 0;
    const std::size_t Piece = Data[0] % 32 + 1;
    const std::span<const std::uint8_t> Input(Data + 1, Size - 1);
    platform::TFrameDecoder Decoder;
    std::size_t Used = 0;
    while (Used < Input.size() && Decoder.State() == platform::TDecodeState::NeedMore)
        Used += Decoder.Feed(Input.subspan(Used, std::min(Piece, Input.size() - Used)));
    if (Decoder.State() == platform::TDecodeState::Complete) {
        const platform::TCopyDataFrame Frame = Decoder.TakeFrame();
        const auto Again = platform::EncodeFrame(Frame.Kind, Frame.Sender, Frame.Data);
        if (!std::equal(
                Again.begin(), Again.end(), Input.begin(), Input.begin() + static_cast<std::ptrdiff_t>(Used))
            || Again.size() != Used)
            std::abort();
    }
    return 0;
}
