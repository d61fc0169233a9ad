#include "LearningFile.h"
#include "EngineFixture.h"

#include <fstream>
#include <iterator>

namespace {

using LearningFile = EngineTest;

std::string ReadFile(const std::filesystem::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
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
        TTolkar2000 engine;
        Load(engine, "[Exit]=Beenden|$$");
        engine.SetAutoCreateItlFile(true);
        engine.Translate("About");
    }
    EXPECT_EQ(ReadFile(ExpectedName()), "[About]=About|$$\r\n[exit]=Beenden|$$\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir), {}), 1);
}

TEST_F(LearningFile, NothingIsWrittenWithTheSwitchOff)
{
    {
        TTolkar2000 engine;
        engine.Translate("About");
    }
    EXPECT_TRUE(std::filesystem::is_empty(FDir));
}

TEST_F(LearningFile, AFailedWriteIsReportedAndLeavesNoPartialFile)
{
    std::filesystem::create_directory(ExpectedName());
    testing::internal::CaptureStderr();
    {
        TTolkar2000 engine;
        engine.SetAutoCreateItlFile(true);
        engine.Translate("About");
    }
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("cannot write the learning file"), std::string::npos) << message;
    EXPECT_TRUE(std::filesystem::is_directory(ExpectedName()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir), {}), 1);
}

TEST_F(LearningFile, SaveReplacesAnOldFileWhole)
{
    const std::filesystem::path target = FDir / "x.itl";
    std::ofstream(target) << "old content that is longer than the new one";
    ASSERT_FALSE(SaveLinesReplacing(target, { "[a]=b|$$" }));
    EXPECT_EQ(ReadFile(target), "[a]=b|$$\r\n");
}

TEST_F(LearningFile, SaveIntoAMissingFolderFails)
{
    const auto failure = SaveLinesReplacing(FDir / "no" / "x.itl", { "line" });
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->Message.find("x.itl"), std::string::npos);
}

} // namespace
