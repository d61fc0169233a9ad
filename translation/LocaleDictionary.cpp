#include "LocaleDictionary.h"

#include "AsciiCase.h"
#include "FileNames.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

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

std::vector<std::string> StandaloneDictionaryFiles(
    const std::string& ProgramPath, const TEnvironment& Environment)
{
    std::vector<std::string> Files;
    if (!ProgramPath.empty())
        Files.push_back(DictionaryFileName(ProgramPath));
    std::vector<std::string> Folders { InstalledDictionaryFolder(ProgramPath, Environment) };
    // A chosen folder that cannot serve leaves the installed one to fall back on.
    if (!Environment(DictionaryFolderVariable).empty() && !ProgramPath.empty())
        Folders.push_back(InstalledDictionaryFolder(ProgramPath, [](const char*) { return std::string(); }));
    for (const std::string& Folder : Folders) {
        if (Folder.empty())
            continue;
        for (const std::string& Locale : MessageLocales(Environment))
            if (const std::string File = DictionaryOfLocale(Locale); !File.empty())
                Files.push_back(Folder + File);
        Files.push_back(Folder + FallbackDictionary);
    }
    return Files;
}
