#include "StringHelpers.h"
#include "TChunkedStream.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct TFindCase {
    const char* Name;
    std::string Sub;
    std::string S;
    std::size_t Start;
    std::size_t Count;
    bool IgnoreCase;
    std::size_t Expected;
};

class FindNthTest : public testing::TestWithParam<TFindCase> { };

TEST_P(FindNthTest, GivesTheOneBasedPosition)
{
    const TFindCase& Case = GetParam();
    EXPECT_EQ(FindNth(Case.Sub, Case.S, Case.Start, Case.Count, Case.IgnoreCase), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(StringHelpers, FindNthTest,
    testing::Values(TFindCase { "first", "ab", "xxabab", 1, 1, false, 3 },
        TFindCase { "second", "ab", "xxabab", 1, 2, false, 5 },
        TFindCase { "fewer_than_count", "ab", "xxabab", 1, 3, false, 0 },
        TFindCase { "no_overlap", "aa", "aaa", 1, 2, false, 0 },
        TFindCase { "start_skips", "ab", "abxab", 2, 1, false, 4 },
        TFindCase { "start_zero_is_one", "ab", "abxab", 0, 1, false, 1 },
        TFindCase { "start_past_end", "ab", "ab", 5, 1, false, 0 },
        TFindCase { "empty_sub", "", "abc", 1, 1, false, 0 },
        TFindCase { "count_zero", "a", "abc", 1, 0, false, 0 },
        TFindCase { "case_respected", "AB", "xab", 1, 1, false, 0 },
        TFindCase { "case_ignored", "AB", "xaB", 1, 1, true, 2 },
        TFindCase { "only_a_to_z_fold", "\xC4", "\xE4\xC4", 1, 1, true, 2 }),
    [](const testing::TestParamInfo<TFindCase>& Info) { return Info.param.Name; });

TEST(StringHelpers, ReplaceAllNeverSearchesInsertedText)
{
    EXPECT_EQ(ReplaceAll("a-a", "a", "aa", false), "aa-aa");
    EXPECT_EQ(ReplaceAll("xx", "x", "xyx", false), "xyxxyx");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b", false), "ba");
}

TEST(StringHelpers, ReplaceAllCaseAndEmptyOld)
{
    EXPECT_EQ(ReplaceAll("Hi <%AppName%> and <%appname%>", "<%APPNAME%>", "Fokalis", true),
        "Hi Fokalis and Fokalis");
    EXPECT_EQ(ReplaceAll("Hi <%AppName%>", "<%APPNAME%>", "Fokalis", false), "Hi <%AppName%>");
    EXPECT_EQ(ReplaceAll("abc", "", "x", true), "abc");
}

std::vector<std::optional<std::string>> SpansOf(const std::string& Bytes, std::size_t BlockSize)
{
    TChunkedStream Stream(Bytes, BlockSize);
    std::vector<std::optional<std::string>> Spans;
    do
        Spans.push_back(ReadUntil(Stream, "|$$"));
    while (Spans.back());
    return Spans;
}

TEST(StringHelpers, ReadUntilSplitsAtEachDelimiterAndDropsTheRest)
{
    const auto Spans = SpansOf("a|$$\r\nbb|$$tail", 1000);
    ASSERT_EQ(Spans.size(), 3u);
    EXPECT_EQ(Spans[0], "a|$$");
    EXPECT_EQ(Spans[1], "\r\nbb|$$");
    EXPECT_EQ(Spans[2], std::nullopt);
}

TEST(StringHelpers, ReadUntilFindsADelimiterAcrossBlockBoundaries)
{
    std::string Bytes(ReadUntilBlockSize - 1, 'x');
    Bytes += "|$$y|$$";
    for (const std::size_t Block : { std::size_t { 1 }, std::size_t { 2 }, ReadUntilBlockSize }) {
        const auto Spans = SpansOf(Bytes, Block);
        ASSERT_EQ(Spans.size(), 3u) << "block " << Block;
        EXPECT_EQ(Spans[0], std::string(ReadUntilBlockSize - 1, 'x') + "|$$");
        EXPECT_EQ(Spans[1], "y|$$");
    }
}

TEST(StringHelpers, ReadUntilWithoutDelimiterGivesNothing)
{
    EXPECT_EQ(SpansOf(std::string(1000, 'x'), 256).front(), std::nullopt);
    EXPECT_EQ(SpansOf("", 256).front(), std::nullopt);
    TChunkedStream Stream("abc", 1);
    EXPECT_EQ(ReadUntil(Stream, ""), std::nullopt);
}

} // namespace
