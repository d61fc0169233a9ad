#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A growable in-memory byte stream. Writing past the end grows it; reading
// never does: ReadBuffer throws EReadError when fewer bytes remain than asked,
// and then consumes nothing.
class TMemoryStream {
public:
    enum class TSeekOrigin { Beginning, Current, End };

    TMemoryStream() = default;
    virtual ~TMemoryStream() = default;
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;
    TMemoryStream(TMemoryStream&&) = default;
    TMemoryStream& operator=(TMemoryStream&&) = default;

    std::int64_t Position() const { return FPosition; }
    void SetPosition(std::int64_t Pos);
    std::int64_t Size() const { return static_cast<std::int64_t>(FData.size()); }
    // Truncates or zero-extends; the position is kept but never beyond the end.
    void SetSize(std::int64_t NewSize);
    // Bytes between the position and the end.
    std::int64_t Remaining() const { return Size() - FPosition; }
    // Moves the position; a target before the start clamps to 0. Gives the new position.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin);

    // Copies up to Count bytes at the position into Buffer; gives how many.
    std::size_t Read(void* Buffer, std::size_t Count);
    // Copies exactly Count bytes, or throws EReadError.
    void ReadBuffer(void* Buffer, std::size_t Count);
    void WriteBuffer(const void* Buffer, std::size_t Count);
    // Appends, at the position, all bytes of Source from its start; Source's
    // position ends at its end.
    void CopyFrom(TMemoryStream& Source);
    void Clear();

    const std::uint8_t* Memory() const { return FData.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return FData; }

private:
    std::vector<std::uint8_t> FData;
    std::int64_t FPosition = 0;
};
