#include "TWindowTable.h"

#include "AsciiCase.h"
#include "LittleEndian.h"
#include "SystemError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::array<char, 4> RecordMagic { 'L', 'X', 'N', 'R' };
constexpr std::size_t MaxRecordSize = RecordMagic.size() + 2 * (4 + MaxWindowNameLength);
constexpr int ClaimAttempts = 64;
// How often a liveness test looks again when the lock file was made anew under it.
constexpr int LivenessAttempts = 4;
constexpr mode_t FileMode = 0600;
// "w" + 8 hex digits + "."
constexpr std::size_t HandlePrefixLength = 10;

void PutString(std::string& Out, const std::string& Text)
{
    std::array<std::uint8_t, 4> Length {};
    PutLittleEndian32(Length.data(), static_cast<std::uint32_t>(Text.size()));
    Out.append(Length.begin(), Length.end());
    Out += Text;
}

std::optional<std::string> GetString(const std::string& In, std::size_t& Pos)
{
    if (In.size() - Pos < 4)
        return std::nullopt;
    const std::size_t Length = GetLittleEndian32(reinterpret_cast<const std::uint8_t*>(In.data() + Pos));
    Pos += 4;
    if (Length > In.size() - Pos)
        return std::nullopt;
    Pos += Length;
    return In.substr(Pos - Length, Length);
}

bool IsLowerHexDigit(char C)
{
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'f');
}

// The handle in a file name "wHHHHHHHH.<suffix>", or nothing for any other name.
std::optional<TWindowHandle> HandleOfEntry(std::string_view Entry)
{
    if (Entry.size() <= HandlePrefixLength || Entry.front() != 'w' || Entry[HandlePrefixLength - 1] != '.')
        return std::nullopt;
    const std::string_view Digits = Entry.substr(1, HandlePrefixLength - 2);
    if (!std::ranges::all_of(Digits, IsLowerHexDigit))
        return std::nullopt;
    std::uint32_t Value = 0;
    std::from_chars(Digits.data(), Digits.data() + Digits.size(), Value, 16);
    if (Value == 0 || Value > static_cast<std::uint32_t>(std::numeric_limits<TWindowHandle>::max()))
        return std::nullopt;
    return static_cast<TWindowHandle>(Value);
}

// Only a regular file can be a window's lock or record; anything else (a pipe
// that would block a reader, a device) is never opened further.
bool IsRegularFile(int Fd)
{
    struct stat Info { };
    return ::fstat(Fd, &Info) == 0 && S_ISREG(Info.st_mode);
}

// A lock taken on a file that a cleaner has unlinked meanwhile holds nothing: only
// the file the path still names counts.
bool SameFile(int Fd, const std::string& Path)
{
    struct stat Open {
    }, Named {};
    return ::fstat(Fd, &Open) == 0 && ::stat(Path.c_str(), &Named) == 0 && Open.st_dev == Named.st_dev
        && Open.st_ino == Named.st_ino;
}

bool WriteAll(int Fd, const std::string& Bytes)
{
    std::size_t Done = 0;
    while (Done < Bytes.size()) {
        const ssize_t Written = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
        if (Written < 0 && errno != EINTR)
            return false;
        Done += Written > 0 ? static_cast<std::size_t>(Written) : 0;
    }
    return true;
}

} // namespace

TWindowTable::TWindowTable(std::string Folder)
    : FFolder(std::move(Folder))
    , FRandom(std::random_device {}())
{
}

std::string TWindowTable::PathOf(TWindowHandle Handle, const char* Suffix) const
{
    std::array<char, 16> Name {};
    std::snprintf(Name.data(), Name.size(), "/w%08x.", static_cast<unsigned>(Handle));
    return FFolder + Name.data() + Suffix;
}

std::string TWindowTable::SocketPath(TWindowHandle Handle) const
{
    return PathOf(Handle, "sock");
}

TWindowClaim TWindowTable::Claim()
{
    std::uniform_int_distribution<TWindowHandle> Pick(1, 0x7fffffff);
    for (int Attempt = 0; Attempt < ClaimAttempts; ++Attempt) {
        const TWindowHandle Handle = Pick(FRandom);
        const std::string LockPath = PathOf(Handle, "lock");
        TUniqueFd Lock(
            ::open(LockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, FileMode));
        if (!Lock.Valid())
            throw EWindowMessaging("Could not make " + LockPath + ": " + GetLastErrorString());
        if (!IsRegularFile(Lock.Get()) || ::flock(Lock.Get(), LOCK_EX | LOCK_NB) != 0
            || !SameFile(Lock.Get(), LockPath))
            continue;
        ::unlink(SocketPath(Handle).c_str());
        ::unlink(PathOf(Handle, "name").c_str());
        ::unlink(PathOf(Handle, "tmp").c_str());
        return { Handle, std::move(Lock) };
    }
    throw EWindowMessaging("Could not find a free window handle in " + FFolder);
}

void TWindowTable::Publish(TWindowHandle Handle, const TWindowNames& Names)
{
    if (Names.ClassName.size() > MaxWindowNameLength || Names.WindowName.size() > MaxWindowNameLength)
        throw EWindowMessaging(
            "A window name or class name is longer than " + std::to_string(MaxWindowNameLength) + " bytes");
    std::string Record(RecordMagic.begin(), RecordMagic.end());
    PutString(Record, Names.ClassName);
    PutString(Record, Names.WindowName);
    const std::string Temporary = PathOf(Handle, "tmp");
    TUniqueFd File(
        ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, FileMode));
    if (!File.Valid() || !WriteAll(File.Get(), Record)
        || ::rename(Temporary.c_str(), PathOf(Handle, "name").c_str()) != 0)
        throw EWindowMessaging("Could not write the name record of window " + std::to_string(Handle) + ": "
            + GetLastErrorString());
}

void TWindowTable::RemoveFiles(TWindowHandle Handle)
{
    for (const char* Suffix : { "name", "tmp", "sock", "lock" })
        ::unlink(PathOf(Handle, Suffix).c_str());
}

void TWindowTable::Remove(TWindowClaim& Claim)
{
    RemoveFiles(Claim.Handle);
    Claim.Lock.Reset();
    Claim.Handle = 0;
}

bool TWindowTable::IsLive(TWindowHandle Handle)
{
    if (Handle <= 0)
        return false;
    const std::string LockPath = PathOf(Handle, "lock");
    for (int Attempt = 0; Attempt < LivenessAttempts; ++Attempt) {
        TUniqueFd Lock(::open(LockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (!Lock.Valid() || !IsRegularFile(Lock.Get()))
            return false;
        if (::flock(Lock.Get(), LOCK_EX | LOCK_NB) != 0)
            return errno == EWOULDBLOCK;
        // Made anew since it was opened: a new owner may hold it now, so look again.
        if (!SameFile(Lock.Get(), LockPath))
            continue;
        RemoveFiles(Handle);
        return false;
    }
    return false;
}

std::optional<TWindowNames> TWindowTable::ReadRecord(TWindowHandle Handle) const
{
    TUniqueFd File(::open(PathOf(Handle, "name").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat Info { };
    if (!File.Valid() || ::fstat(File.Get(), &Info) != 0 || !S_ISREG(Info.st_mode) || Info.st_size < 0
        || static_cast<std::size_t>(Info.st_size) > MaxRecordSize)
        return std::nullopt;
    std::string Bytes(static_cast<std::size_t>(Info.st_size), '\0');
    if (::read(File.Get(), Bytes.data(), Bytes.size()) != static_cast<ssize_t>(Bytes.size())
        || !Bytes.starts_with(std::string_view(RecordMagic.data(), RecordMagic.size())))
        return std::nullopt;
    std::size_t Pos = RecordMagic.size();
    auto ClassName = GetString(Bytes, Pos);
    auto WindowName = GetString(Bytes, Pos);
    if (!ClassName || !WindowName || Pos != Bytes.size())
        return std::nullopt;
    return TWindowNames { std::move(*ClassName), std::move(*WindowName) };
}

std::optional<TWindowNames> TWindowTable::NamesOf(TWindowHandle Handle)
{
    if (!IsLive(Handle))
        return std::nullopt;
    return ReadRecord(Handle);
}

TWindowHandle TWindowTable::Find(const TWindowNames& Names)
{
    std::set<TWindowHandle> Seen;
    {
        const std::unique_ptr<DIR, int (*)(DIR*)> Folder(::opendir(FFolder.c_str()), ::closedir);
        if (!Folder)
            return 0;
        while (const dirent* Entry = ::readdir(Folder.get()))
            if (const auto Handle = HandleOfEntry(Entry->d_name))
                Seen.insert(*Handle);
    }
    TWindowHandle Found = 0;
    for (const TWindowHandle Handle : Seen) {
        if (!IsLive(Handle) || Found != 0)
            continue;
        const auto Record = ReadRecord(Handle);
        if (Record && SameTextAscii(Record->ClassName, Names.ClassName)
            && SameTextAscii(Record->WindowName, Names.WindowName))
            Found = Handle;
    }
    return Found;
}

} // namespace platform
