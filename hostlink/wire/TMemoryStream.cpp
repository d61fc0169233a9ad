#include "TMemoryStream.h"

#include "ELernix.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

void TMemoryStream::SetPosition(std::int64_t Pos)
{
    FPosition = std::max<std::int64_t>(Pos, 0);
}

void TMemoryStream::SetSize(std::int64_t NewSize)
{
    FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(NewSize, 0)));
    FPosition = std::min(FPosition, Size());
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case TSeekOrigin::Beginning:
        SetPosition(Offset);
        break;
    case TSeekOrigin::Current:
        SetPosition(FPosition + Offset);
        break;
    case TSeekOrigin::End:
        SetPosition(Size() + Offset);
        break;
    }
    return FPosition;
}

std::size_t TMemoryStream::Read(void* Buffer, std::size_t Count)
{
    if (FPosition >= Size())
        return 0;
    const auto Available = static_cast<std::size_t>(Size() - FPosition);
    const std::size_t Taken = std::min(Count, Available);
    if (Taken > 0)
        std::memcpy(Buffer, FData.data() + FPosition, Taken);
    FPosition += static_cast<std::int64_t>(Taken);
    return Taken;
}

void TMemoryStream::ReadBuffer(void* Buffer, std::size_t Count)
{
    if (FPosition > Size() || Count > static_cast<std::size_t>(Size() - FPosition))
        throw EReadError();
    Read(Buffer, Count);
}

void TMemoryStream::WriteBuffer(const void* Buffer, std::size_t Count)
{
    if (Count == 0)
        return;
    const auto End = static_cast<std::size_t>(FPosition) + Count;
    if (End > FData.size())
        FData.resize(End);
    std::memcpy(FData.data() + FPosition, Buffer, Count);
    FPosition = static_cast<std::int64_t>(End);
}

void TMemoryStream::CopyFrom(TMemoryStream& Source)
{
    if (&Source == this)
        throw std::invalid_argument("a stream cannot copy itself");
    Source.SetPosition(0);
    WriteBuffer(Source.Memory(), Source.FData.size());
    Source.SetPosition(Source.Size());
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}
