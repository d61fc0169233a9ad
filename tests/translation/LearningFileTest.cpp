#include "LearningFile.h"
#include "TEngineFixture.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

using LearningFile = TEngineFixture;

std::string ReadFile(const std::filesystem::path& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return { std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>() };
}

std::string ExpectedName()
{
    return LearningFileName(ProgramFilePath().value().string());
}

TEST(LearningFileName, ReplacesOrAddsTheExtension)
{
    EXPECT_EQ(LearningFileName("/opt/x/fokalis"), "fokalis.itl");
    EXPECT_EQ(LearningFileName("C:\\X\\demo.exe"), "demo.itl");
    EXPECT_EQ(LearningFileName("C:demo.exe"), "demo.itl");
    EXPECT_EQ(LearningFileName("/opt/v1.2/fokalis"), "fokalis.itl");
    EXPECT_EQ(LearningFileName("a.b.c"), "a.b.itl");
}

TEST_F(LearningFile, DestroyWritesMissedKeysThenTheTable)
{
    {
        TTolkar2000 Engine;
        Load(Engine, "[Exit]=Beenden|$$");
        Engine.SetAutoCreateItlFile(true);
        Engine.Translate("About");
    }
    EXPECT_EQ(ReadFile(ExpectedName()), "[About]=About|$$\r\n[exit]=Beenden|$$\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir), {}), 1);
}

TEST_F(LearningFile, NothingIsWrittenWithTheSwitchOff)
{
    {
        TTolkar2000 Engine;
        Engine.Translate("About");
    }
    EXPECT_TRUE(std::filesystem::is_empty(FDir));
}

TEST_F(LearningFile, AFailedWriteIsReportedAndLeavesNoPartialFile)
{
    std::filesystem::create_directory(ExpectedName());
    testing::internal::CaptureStderr();
    {
        TTolkar2000 Engine;
        Engine.SetAutoCreateItlFile(true);
        Engine.Translate("About");
    }
    const std::string Message = testing::internal::GetCapturedStderr();
    EXPECT_NE(Message.find("cannot write the learning file"), std::string::npos) << Message;
    EXPECT_TRUE(std::filesystem::is_directory(ExpectedName()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir), {}), 1);
}

TEST_F(LearningFile, SaveReplacesAnOldFileWhole)
{
    const std::filesystem::path Target = FDir / "x.itl";
    std::ofstream(Target) << "old content that is longer than the new one";
    ASSERT_FALSE(SaveLinesReplacing(Target, { "[a]=b|$$" }));
    EXPECT_EQ(ReadFile(Target), "[a]=b|$$\r\n");
}

// Links planted beside the learning file, and at its own name, must not redirect the write.
TEST_F(LearningFile, SaveWritesThroughNoLink)
{
    const std::filesystem::path Victims = FDir / "victims";
    std::filesystem::create_directory(Victims);
    std::ofstream(Victims / "beside") << "keep";
    std::ofstream(Victims / "target") << "keep too";
    const std::filesystem::path Target = "x.itl";
    const std::filesystem::path Guessable = "x.itl." + std::to_string(::getpid()) + ".tmp";
    std::filesystem::create_symlink(Victims / "beside", Guessable);
    std::filesystem::create_symlink(Victims / "target", Target);

    ASSERT_FALSE(SaveLinesReplacing(Target, { "[a]=b|$$", "[c]=d|$$" }));

    EXPECT_EQ(ReadFile(Victims / "beside"), "keep");
    EXPECT_EQ(ReadFile(Victims / "target"), "keep too");
    EXPECT_TRUE(std::filesystem::is_symlink(Guessable));
    ASSERT_FALSE(std::filesystem::is_symlink(Target));
    EXPECT_EQ(ReadFile(Target), "[a]=b|$$\r\n[c]=d|$$\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir), {}), 3) << "no temporary file left";
}

TEST_F(LearningFile, SaveIntoAMissingFolderFails)
{
    const auto Failure = SaveLinesReplacing(FDir / "no" / "x.itl", { "line" });
    ASSERT_TRUE(Failure);
    EXPECT_NE(Failure->Message.find("x.itl"), std::string::npos);
}

} // namespace
