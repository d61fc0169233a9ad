#include "UsableDictionary.h"

#include "TTolkar2000.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

const std::string Good = "[Exit]=Beenden|$$\r\n[About]=Info|$$\r\n";

class UsableDictionary : public ::testing::Test {
protected:
    std::string Write(const std::string& Name, const std::string& Bytes) const
    {
        const std::string File = Path(Name);
        std::ofstream(File, std::ios::binary) << Bytes;
        return File;
    }
    std::string Path(const std::string& Name) const
    {
        return FFolder.filePath(QString::fromStdString(Name)).toStdString();
    }

    // Loads the first usable of Files; the complaints as "name: why" lines.
    std::pair<std::string, std::vector<std::string>> Load(const std::vector<std::string>& Files)
    {
        std::vector<std::string> Complaints;
        const std::string Loaded
            = LoadFirstUsableDictionary(FEngine, Files, [&](const std::string& File, const std::string& Why) {
                  Complaints.push_back(std::filesystem::path(File).filename().string() + ": " + Why);
              });
        return { Loaded, Complaints };
    }

    QTemporaryDir FFolder;
    TTolkar2000 FEngine;
};

} // namespace

TEST_F(UsableDictionary, WhatCannotServeIsNamedWithItsReason)
{
    EXPECT_EQ(DictionaryProblem(Good), std::nullopt);
    EXPECT_EQ(DictionaryProblem(Good + "\r\n\r\n  \t"), std::nullopt) << "blank lines at the end are fine";
    EXPECT_EQ(DictionaryProblem(""), "it is empty");
    EXPECT_EQ(
        DictionaryProblem(std::string("\x89PNG\0\x1a|$$", 9)), "it is no text file (it holds NUL bytes)");
    EXPECT_EQ(
        DictionaryProblem("Exit=Beenden\r\nAbout=Info\r\n"), "it holds no entry of the form [key]=text|$$");
    EXPECT_EQ(DictionaryProblem(Good.substr(0, Good.size() - 8)),
        "it ends inside an entry (the file may have been cut short)");

    // A refused text leaves the table that was loaded before.
    ASSERT_EQ(LoadDictionaryBytes(FEngine, Good), std::nullopt);
    EXPECT_TRUE(LoadDictionaryBytes(FEngine, Good.substr(0, 20)).has_value());
    EXPECT_EQ(FEngine.Translate("Exit"), "Beenden");
}

TEST_F(UsableDictionary, TheFirstUsableFileCountsAndEveryUnusableOneIsSaid)
{
    const std::string Empty = Write("empty.itl", "");
    const std::string Cut = Write("cut.itl", Good.substr(0, 25));
    const std::string Usable = Write("good.itl", Good);
    const std::string Folder = Path("folder.itl");
    ASSERT_TRUE(std::filesystem::create_directory(Folder));
    const std::string Pipe = Path("pipe.itl");
    ASSERT_EQ(::mkfifo(Pipe.c_str(), 0600), 0);

    // A missing file is passed over in silence; a pipe is never opened (it would block).
    const auto [Loaded, Complaints] = Load({ Path("missing.itl"), Empty, Folder, Pipe, Cut, Usable, Empty });
    EXPECT_EQ(Loaded, Usable);
    EXPECT_EQ(Complaints,
        (std::vector<std::string> { "empty.itl: it is empty", "folder.itl: it is a folder",
            "pipe.itl: it is not a regular file",
            "cut.itl: it ends inside an entry (the file may have been cut short)" }));
    EXPECT_EQ(FEngine.Translate("About"), "Info");

    TTolkar2000 Untouched;
    std::vector<std::string> Said;
    EXPECT_EQ(LoadFirstUsableDictionary(Untouched, { Empty, Path("missing.itl") },
                  [&](const std::string& File, const std::string&) { Said.push_back(File); }),
        "");
    EXPECT_EQ(Said, std::vector<std::string> { Empty });
    EXPECT_TRUE(Untouched.Keys().empty());
}
