#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The answer to a request for one file.
struct TFileLookup {
    // The file's bytes, or nothing when the file is not served.
    std::optional<std::vector<std::uint8_t>> Bytes;
    // Why the file is not served; empty when it is.
    std::string Refusal;
};

// Where the host's files come from, as lmGetFile and lmResolveName see them. Names are
// relative with "/" between folders; NameInsideFolder decides which names are served.
class TFileSource {
public:
    virtual ~TFileSource() = default;

    // The bytes of the file Name, when it has at most MaxSize bytes.
    virtual TFileLookup ReadFile(const std::string& Name, std::size_t MaxSize) const = 0;
    // The name under which Name is served: relative names come back without "."
    // parts and doubled slashes; an absolute name (a participant's program file,
    // say) stands for the file of the same file name. The file need not exist.
    // Nothing when the name is refused.
    virtual std::optional<std::string> Resolve(const std::string& Name) const = 0;

protected:
    TFileSource() = default;
    TFileSource(const TFileSource&) = default;
    TFileSource& operator=(const TFileSource&) = default;
};

// Name with "." parts and empty parts dropped, or nothing when it is empty,
// absolute, holds a NUL byte or a ".." part.
std::optional<std::string> NameInsideFolder(const std::string& Name);
// The served name that Resolve starts from: the file-name part of an absolute name,
// checked like any other; nothing when it is refused.
std::optional<std::string> ServedName(const std::string& Name);
