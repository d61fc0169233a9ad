#include "DictionaryBytes.h"

#include "ItlFormat.h"
#include "TTolkar2000.h"

#include <sstream>

std::optional<std::string> DictionarySizeProblem(std::size_t Size)
{
    if (Size <= MaxDictionarySize)
        return std::nullopt;
    return "it is larger than " + std::to_string(MaxDictionarySize / (1024 * 1024)) + " MiB";
}

std::optional<std::string> DictionaryProblem(std::string_view Bytes)
{
    if (Bytes.empty())
        return "it is empty";
    if (auto Problem = DictionarySizeProblem(Bytes.size()))
        return Problem;
    if (Bytes.find('\0') != std::string_view::npos)
        return "it is no text file (it holds NUL bytes)";
    const std::size_t Last = Bytes.rfind(ItlTerminator);
    if (Last == std::string_view::npos)
        return "it holds no entry of the form [key]=text|$$";
    if (Bytes.find_first_not_of(" \t\r\n", Last + ItlTerminator.size()) != std::string_view::npos)
        return "it ends inside an entry (the file may have been cut short)";
    return std::nullopt;
}

std::optional<std::string> LoadDictionaryBytes(TTolkar2000& Engine, const std::string& Bytes)
{
    if (auto Problem = DictionaryProblem(Bytes))
        return Problem;
    std::istringstream In(Bytes);
    Engine.LoadFromStream(In);
    return std::nullopt;
}
