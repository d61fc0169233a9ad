#include "TDesktopShell.h"

#include "ProgramFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

class DesktopShell : public testing::Test {
protected:
    QString WriteFile(const QString& Name, const QByteArray& Content, QFile::Permissions Permissions)
    {
        const QString Path = Folder.filePath(Name);
        QFile File(Path);
        EXPECT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Content);
        File.close();
        File.setPermissions(Permissions);
        return Path;
    }

    QTemporaryDir Folder;
    platform::TDesktopShell Shell;
};

TEST_F(DesktopShell, ProgramThatCannotRunGivesTheSystemErrorNumber)
{
    const QString Plain = WriteFile("notes.exe", "text", QFile::ReadOwner | QFile::WriteOwner);

    EXPECT_EQ(Shell.StartProgram(Folder.filePath("missing.exe"), "").value(), ENOENT);
    EXPECT_EQ(Shell.StartProgram("fokalis-no-such-program.exe", "-x").value(), ENOENT);
    EXPECT_EQ(Shell.StartProgram("C:\\Tools\\viewer.exe", "").value(), ENOENT);
    EXPECT_EQ(Shell.StartProgram(Plain, "").value(), EACCES);
    EXPECT_EQ(Shell.StartProgram(Folder.path(), "").value(), EACCES);

    EXPECT_FALSE(platform::IsExecutableFile(Plain));
    EXPECT_FALSE(platform::IsExecutableFile(Folder.path()));
}

TEST_F(DesktopShell, ProgramStartsWithItsParametersSplitIntoArguments)
{
    const QString Out = Folder.filePath("arguments.txt");
    const QString Script = WriteFile("record",
        "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" '" + QFile::encodeName(Out) + "'\n",
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(platform::IsExecutableFile(Script));
    EXPECT_FALSE(platform::IsExecutableFile("record"));

    EXPECT_FALSE(Shell.StartProgram(Script, R"(one "two words" 'three $x' *)"));

    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!QFile::exists(Out) && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    QFile File(Out);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(), "one\ntwo words\nthree $x\n*\n");
}

}
