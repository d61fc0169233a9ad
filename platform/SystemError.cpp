#include "SystemError.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// strerror_r comes in two flavours: the GNU one gives the text, the POSIX one
// fills the buffer and gives 0 on success.
[[maybe_unused]] std::string TextFrom(char* Result, const char*)
{
    return Result ? Result : ErrorTextFailed;
}
[[maybe_unused]] std::string TextFrom(int Result, const char* Buffer)
{
    return Result == 0 ? Buffer : ErrorTextFailed;
}

} // namespace

std::string SystemErrorText(int Code)
{
    std::array<char, 256> Buffer {};
    return TextFrom(::strerror_r(Code, Buffer.data(), Buffer.size()), Buffer.data());
}

std::string GetLastErrorString()
{
    const int Code = errno;
    std::string Text = SystemErrorText(Code);
    errno = Code;
    return Text;
}

} // namespace platform
