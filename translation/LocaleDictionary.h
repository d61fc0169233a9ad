#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Choosing a program's dictionary: the one beside the program file, else one by the user's
// locale among the installed dictionaries.

// The dictionary beside the program: ProgramPath with its extension replaced by ".itl", or
// ".itl" added when it has none ("/opt/x/fokalis" gives "/opt/x/fokalis.itl",
// "C:\X\demo.exe" gives "C:\X\demo.itl").
std::string DictionaryFileName(std::string_view ProgramPath);

// The value of the environment variable Name; empty when it is unset.
using TEnvironment = std::function<std::string(const char* Name)>;

// The environment of this process.
std::string ProcessEnvironment(const char* Name);

// Names a folder of dictionaries that replaces the installed one: for tests, and for trying a
// set of dictionaries without installing it.
inline constexpr const char* DictionaryFolderVariable = "FOKALIS_DICTIONARY_DIR";
// The dictionary taken when no locale chooses one.
inline constexpr const char* FallbackDictionary = "english.itl";

// The locale names that choose the language of the texts, most wanted first, read as gettext
// reads them: the first of LC_ALL, LC_MESSAGES and LANG that is set and non-empty is the locale.
// Unless that is the C locale ("C", "POSIX", or "C." and a code set), a non-empty LANGUAGE
// takes its place with its colon-separated list (empty entries left out). Empty when the
// locale is the C locale or none is set.
std::vector<std::string> MessageLocales(const TEnvironment& Environment);

// The dictionary file of a locale name such as "de", "de_DE.UTF-8" or "en_GB@euro", by its
// language part in any letter case ("german.itl" for de, "english.itl" for en); empty for a
// language that has none.
std::string DictionaryOfLocale(const std::string& Locale);

// The folder of the installed dictionaries, ending in "/": the value of
// DictionaryFolderVariable when it is set and non-empty, else the place the install layout
// gives them relative to the folder of ProgramPath (the program's real file). Empty when
// neither is known (an empty ProgramPath: the program's file is unknown).
std::string InstalledDictionaryFolder(const std::string& ProgramPath, const TEnvironment& Environment);

// The files a standalone program may read its dictionary from, most wanted first: the one
// beside ProgramPath (DictionaryFileName; an empty ProgramPath has none); then, in
// InstalledDictionaryFolder, the dictionary of each of MessageLocales that has one and
// FallbackDictionary; when DictionaryFolderVariable chose that folder, the same again in the
// installed folder. Whether they exist is left to the caller.
std::vector<std::string> StandaloneDictionaryFiles(
    const std::string& ProgramPath, const TEnvironment& Environment);
