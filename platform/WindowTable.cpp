#include "WindowTable.h"

#include "SystemError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::array<char, 4> RecordMagic { 'L', 'X', 'N', 'R' };
constexpr std::size_t MaxRecordSize = RecordMagic.size() + 2 * (4 + MaxWindowNameLength);
constexpr int ClaimAttempts = 64;
constexpr mode_t FileMode = 0600;
// "w" + 8 hex digits + "."
constexpr std::size_t HandlePrefixLength = 10;

void PutString(std::string& Out, const std::string& Text)
{
    for (int Shift = 0; Shift < 32; Shift += 8)
        Out.push_back(static_cast<char>(Text.size() >> Shift));
    Out += Text;
}

std::optional<std::string> GetString(const std::string& In, std::size_t& Pos)
{
    if (In.size() - Pos < 4)
        return std::nullopt;
    std::size_t Length = 0;
    for (int Byte = 0; Byte < 4; ++Byte)
        Length |= std::size_t(static_cast<unsigned char>(In[Pos + Byte])) << (8 * Byte);
    Pos += 4;
    if (Length > In.size() - Pos)
        return std::nullopt;
    Pos += Length;
    return In.substr(Pos - Length, Length);
}

bool SameName(const std::string& A, const std::string& B)
{
    const auto Lower = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; };
    return std::ranges::equal(A, B, {}, Lower, Lower);
}

std::optional<THandle> HandleOfEntry(const std::string& Entry)
{
    unsigned Value = 0;
    if (Entry.size() <= HandlePrefixLength || Entry[0] != 'w' || Entry[HandlePrefixLength - 1] != '.'
        || !std::all_of(Entry.begin() + 1, Entry.begin() + HandlePrefixLength - 1,
            [](char C) { return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'f'); })
        || std::sscanf(Entry.c_str() + 1, "%8x", &Value) != 1 || Value == 0 || Value > 0x7fffffffu)
        return std::nullopt;
    return static_cast<THandle>(Value);
}

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

std::string TWindowTable::PathOf(THandle Handle, const char* Suffix) const
{
    std::array<char, 16> Name {};
    std::snprintf(Name.data(), Name.size(), "/w%08x.", static_cast<unsigned>(Handle));
    return FFolder + Name.data() + Suffix;
}

std::string TWindowTable::SocketPath(THandle Handle) const
{
    return PathOf(Handle, "sock");
}

TWindowClaim TWindowTable::Claim()
{
    std::uniform_int_distribution<THandle> Pick(1, 0x7fffffff);
    for (int Attempt = 0; Attempt < ClaimAttempts; ++Attempt) {
        const THandle Handle = Pick(FRandom);
        const std::string LockPath = PathOf(Handle, "lock");
        TUniqueFd Lock(::open(LockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, FileMode));
        if (!Lock.Valid())
            throw EWindowMessaging("Could not make " + LockPath + ": " + GetLastErrorString());
        // A lock on a file that a cleaner has just unlinked holds nothing.
        if (::flock(Lock.Get(), LOCK_EX | LOCK_NB) != 0 || !SameFile(Lock.Get(), LockPath))
            continue;
        ::unlink(SocketPath(Handle).c_str());
        ::unlink(PathOf(Handle, "name").c_str());
        ::unlink(PathOf(Handle, "tmp").c_str());
        return { Handle, std::move(Lock) };
    }
    throw EWindowMessaging("Could not find a free window handle in " + FFolder);
}

void TWindowTable::Publish(THandle Handle, const TWindowNames& Names)
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

void TWindowTable::RemoveFiles(THandle Handle)
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

bool TWindowTable::IsLive(THandle Handle)
{
    if (Handle <= 0)
        return false;
    TUniqueFd Lock(::open(PathOf(Handle, "lock").c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    if (!Lock.Valid())
        return false;
    if (::flock(Lock.Get(), LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK;
    RemoveFiles(Handle);
    return false;
}

std::optional<TWindowNames> TWindowTable::ReadRecord(THandle Handle) const
{
    TUniqueFd File(::open(PathOf(Handle, "name").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    struct stat Info { };
    if (!File.Valid() || ::fstat(File.Get(), &Info) != 0 || Info.st_size < 0
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

std::optional<TWindowNames> TWindowTable::NamesOf(THandle Handle)
{
    if (!IsLive(Handle))
        return std::nullopt;
    return ReadRecord(Handle);
}

THandle TWindowTable::Find(const TWindowNames& Names)
{
    std::set<THandle> Seen;
    {
        const std::unique_ptr<DIR, int (*)(DIR*)> Folder(::opendir(FFolder.c_str()), ::closedir);
        if (!Folder)
            return 0;
        while (const dirent* Entry = ::readdir(Folder.get()))
            if (const auto Handle = HandleOfEntry(Entry->d_name))
                Seen.insert(*Handle);
    }
    THandle Found = 0;
    for (const THandle Handle : Seen) {
        if (!IsLive(Handle) || Found != 0)
            continue;
        const auto Record = ReadRecord(Handle);
        if (Record && SameName(Record->ClassName, Names.ClassName)
            && SameName(Record->WindowName, Names.WindowName))
            Found = Handle;
    }
    return Found;
}

} // namespace platform
