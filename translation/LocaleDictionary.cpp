#include "LocaleDictionary.h"

#include "AsciiCase.h"
#include "FileNames.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view DictionaryExtension = ".itl";

struct TLanguageDictionary {
    std::string_view Language;
    const char* File;
};

// By the language's two-letter code.
constexpr TLanguageDictionary LanguageDictionaries[] = {
    { "de", "german.itl" },
    { "en", FallbackDictionary },
};

// glibc counts C.UTF-8 as the C locale too, in which LANGUAGE has no say.
bool IsCLocale(std::string_view Locale)
{
    return Locale == "C" || Locale == "POSIX" || Locale.starts_with("C.");
}

std::vector<std::string> ColonSeparated(std::string_view List)
{
    std::vector<std::string> Items;
    while (!List.empty()) {
        const std::size_t End = std::min(List.find(':'), List.size());
        if (End > 0)
            Items.emplace_back(List.substr(0, End));
        List.remove_prefix(std::min(End + 1, List.size()));
    }
    return Items;
}

// Not a folder, and not a pipe or device that a read could wait on for ever.
bool IsRegularFile(const std::string& Path)
{
    std::error_code Error;
    return std::filesystem::is_regular_file(Path, Error);
}

} // namespace

std::string DictionaryFileName(std::string_view ProgramPath)
{
    return ReplaceFileExtension(ProgramPath, DictionaryExtension);
}

std::string ProcessEnvironment(const char* Name)
{
    const char* Value = std::getenv(Name);
    return Value ? Value : "";
}

std::vector<std::string> MessageLocales(const TEnvironment& Environment)
{
    std::string Locale;
    for (const char* Name : { "LC_ALL", "LC_MESSAGES", "LANG" })
        if (Locale = Environment(Name); !Locale.empty())
            break;
    if (Locale.empty() || IsCLocale(Locale))
        return {};
    std::vector<std::string> Languages = ColonSeparated(Environment("LANGUAGE"));
    if (Languages.empty())
        Languages.push_back(std::move(Locale));
    return Languages;
}

std::string DictionaryOfLocale(const std::string& Locale)
{
    const std::string Language = LowerAscii(std::string_view(Locale).substr(0, Locale.find_first_of("_.@")));
    for (const auto& [Code, File] : LanguageDictionaries)
        if (Language == Code)
            return File;
    return {};
}

std::string InstalledDictionaryFolder(const std::string& ProgramPath, const TEnvironment& Environment)
{
    const std::string Chosen = Environment(DictionaryFolderVariable);
    if (!Chosen.empty())
        return Chosen.ends_with('/') ? Chosen : Chosen + '/';
    if (ProgramPath.empty())
        return {};
    // The install layout (cmake/FokalisInstallDirs.cmake) defines the path.
    return ExtractFilePath(ProgramPath) + FOKALIS_DICTIONARIES_FROM_PROGRAM + '/';
}

std::string StandaloneDictionaryFile(const std::string& ProgramPath, const TEnvironment& Environment)
{
    if (!ProgramPath.empty()) {
        std::string Beside = DictionaryFileName(ProgramPath);
        if (IsRegularFile(Beside))
            return Beside;
    }
    const std::string Folder = InstalledDictionaryFolder(ProgramPath, Environment);
    if (Folder.empty())
        return {};
    for (const std::string& Locale : MessageLocales(Environment)) {
        const std::string File = DictionaryOfLocale(Locale);
        if (!File.empty() && IsRegularFile(Folder + File))
            return Folder + File;
    }
    std::string Fallback = Folder + FallbackDictionary;
    return IsRegularFile(Fallback) ? Fallback : std::string();
}
