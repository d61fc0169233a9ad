#include "LocaleDictionary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>

namespace {

using TVariables = std::map<std::string, std::string>;

TEnvironment EnvironmentOf(const TVariables& Variables)
{
    return [Variables](const char* Name) {
        const auto Found = Variables.find(Name);
        return Found == Variables.end() ? std::string() : Found->second;
    };
}

// The first of the candidates that exists as a file: the one a load takes when all can serve.
std::string FirstFile(const std::vector<std::string>& Files)
{
    for (const std::string& File : Files)
        if (std::filesystem::is_regular_file(File))
            return File;
    return {};
}

void WriteFile(const std::filesystem::path& Path)
{
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream(Path) << "[Fokalis]=Fokalis|$$\r\n";
}

// An installed tree in a folder of its own: the program in libexec/fokalis/, the English and
// German dictionaries in share/fokalis/dictionaries/, and nothing beside the program.
class InstalledTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Template = (std::filesystem::path(testing::TempDir()) / "fokalis-tree-XXXXXX").string();
        ASSERT_NE(::mkdtemp(Template.data()), nullptr);
        FRoot = Template;
        FProgram = (FRoot / "libexec/fokalis/fokalis").string();
        WriteFile(FProgram);
        for (const char* File : { "english.itl", "german.itl" })
            WriteFile(Dictionaries() / File);
    }

    std::filesystem::path Dictionaries() const { return FRoot / "share/fokalis/dictionaries"; }
    // The file chosen for Variables, by its name alone; "(none)" when there is none.
    std::string Chosen(const TVariables& Variables) const
    {
        const std::string File = FirstFile(StandaloneDictionaryFiles(FProgram, EnvironmentOf(Variables)));
        return File.empty() ? "(none)" : std::filesystem::path(File).filename().string();
    }

    void TearDown() override { std::filesystem::remove_all(FRoot); }

    std::filesystem::path FRoot;
    std::string FProgram;
};

struct TLocaleCase {
    const char* Name;
    TVariables Variables;
    const char* Dictionary;
};

// Names the case in a failure, in place of its bytes.
void PrintTo(const TLocaleCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class LocaleChoice : public InstalledTree, public ::testing::WithParamInterface<TLocaleCase> { };

} // namespace

TEST(DictionaryFileName, ReplacesTheProgramsExtensionInItsFolder)
{
    // Dots in folders are no extension.
    EXPECT_EQ(DictionaryFileName("/opt/x.d/fokalis"), "/opt/x.d/fokalis.itl");
    EXPECT_EQ(DictionaryFileName("C:\\X\\demo.exe"), "C:\\X\\demo.itl");
}

TEST_P(LocaleChoice, ChoosesTheInstalledDictionary)
{
    const TLocaleCase& Case = GetParam();
    EXPECT_EQ(Chosen(Case.Variables), Case.Dictionary);
}

INSTANTIATE_TEST_SUITE_P(LocaleDictionary, LocaleChoice,
    ::testing::Values(
        TLocaleCase { "LangWithTerritoryAndCodeSet", { { "LANG", "de_DE.UTF-8" } }, "german.itl" },
        TLocaleCase { "LangWithModifierInUpperCase", { { "LANG", "DE@euro" } }, "german.itl" },
        TLocaleCase { "LcAllOverLcMessagesOverLang",
            { { "LC_ALL", "de_AT" }, { "LC_MESSAGES", "en_GB" }, { "LANG", "en_US" } }, "german.itl" },
        TLocaleCase {
            "LcMessagesOverLang", { { "LC_MESSAGES", "en_GB" }, { "LANG", "de_DE" } }, "english.itl" },
        TLocaleCase { "EmptyLcAllDecidesNothing", { { "LC_ALL", "" }, { "LANG", "de_CH" } }, "german.itl" },
        TLocaleCase { "LanguageListTakenInOrder",
            { { "LANGUAGE", "fr:de_DE:en" }, { "LANG", "en_US.UTF-8" } }, "german.itl" },
        TLocaleCase { "LanguageListSkipsEmptyEntries", { { "LANGUAGE", "::en:" }, { "LANG", "de_DE" } },
            "english.itl" },
        TLocaleCase { "LanguageListWithoutAKnownLanguageReplacesTheLocale",
            { { "LANGUAGE", "fr:it" }, { "LANG", "de_DE" } }, "english.itl" },
        TLocaleCase { "LanguageIgnoredInTheCLocale",
            { { "LANGUAGE", "de" }, { "LC_ALL", "C" }, { "LANG", "de_DE" } }, "english.itl" },
        TLocaleCase {
            "LanguageIgnoredInThePosixLocale", { { "LANGUAGE", "de" }, { "LANG", "POSIX" } }, "english.itl" },
        TLocaleCase { "LanguageIgnoredInTheCUtf8Locale", { { "LANGUAGE", "de" }, { "LANG", "C.UTF-8" } },
            "english.itl" },
        TLocaleCase { "LanguageIgnoredWithoutALocale", { { "LANGUAGE", "de" } }, "english.itl" },
        TLocaleCase { "LanguageCodeIsWholeNotAPrefix", { { "LANG", "deu_DE" } }, "english.itl" }),
    [](const ::testing::TestParamInfo<TLocaleCase>& Info) { return std::string(Info.param.Name); });

TEST_F(InstalledTree, WhatLiesWhereDecides)
{
    const TVariables German { { "LANG", "de_DE.UTF-8" } };

    // A dictionary beside the program wins over the locale's, whatever its language.
    const std::string Beside = FRoot / "libexec/fokalis/fokalis.itl";
    std::filesystem::create_directory(Beside);
    EXPECT_EQ(Chosen(German), "german.itl") << "a folder beside the program is no dictionary";
    std::filesystem::remove(Beside);
    WriteFile(Beside);
    EXPECT_EQ(FirstFile(StandaloneDictionaryFiles(FProgram, EnvironmentOf(German))), Beside);
    std::filesystem::remove(Beside);

    // The chosen folder replaces the installed one, with or without its final separator.
    const std::filesystem::path Own = FRoot / "own";
    WriteFile(Own / "english.itl");
    for (const std::string& Folder : { Own.string(), Own.string() + "/" })
        EXPECT_EQ(FirstFile(StandaloneDictionaryFiles(FProgram,
                      EnvironmentOf({ { "LANG", "de_DE" }, { DictionaryFolderVariable, Folder } }))),
            (Own / "english.itl").string())
            << "the locale's language is not there, so English is";
    // A chosen folder that cannot serve leaves the installed ones to fall back on.
    EXPECT_EQ(Chosen({ { "LANG", "de_DE" }, { DictionaryFolderVariable, (FRoot / "missing").string() } }),
        "german.itl");

    std::filesystem::remove(Dictionaries() / "english.itl");
    EXPECT_EQ(Chosen({ { "LANG", "fr_FR" } }), "(none)");
    EXPECT_EQ(Chosen(German), "german.itl");
    std::filesystem::remove_all(Dictionaries());
    EXPECT_EQ(Chosen(German), "(none)");
    EXPECT_EQ(Chosen({ { DictionaryFolderVariable, (FRoot / "missing").string() } }), "(none)");
    // An unknown program file has nothing beside it and no installed folder.
    EXPECT_TRUE(StandaloneDictionaryFiles("", EnvironmentOf(German)).empty());
}
