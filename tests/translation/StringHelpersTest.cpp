#include "StringHelpers.h"
#include "ChunkedStream.h"

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
    const TFindCase& c = GetParam();
    EXPECT_EQ(FindNth(c.Sub, c.S, c.Start, c.Count, c.IgnoreCase), c.Expected);
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
    [](const testing::TestParamInfo<TFindCase>& info) { return info.param.Name; });

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
    TChunkedStream stream(Bytes, BlockSize);
    std::vector<std::optional<std::string>> spans;
    do
        spans.push_back(ReadUntil(stream, "|$$"));
    while (spans.back());
    return spans;
}

TEST(StringHelpers, ReadUntilSplitsAtEachDelimiterAndDropsTheRest)
{
    const auto spans = SpansOf("a|$$\r\nbb|$$tail", 1000);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0], "a|$$");
    EXPECT_EQ(spans[1], "\r\nbb|$$");
    EXPECT_EQ(spans[2], std::nullopt);
}

TEST(StringHelpers, ReadUntilFindsADelimiterAcrossBlockBoundaries)
{
    std::string bytes(ReadUntilBlockSize - 1, 'x');
    bytes += "|$$y|$$";
    for (const std::size_t block : { std::size_t { 1 }, std::size_t { 2 }, ReadUntilBlockSize }) {
        const auto spans = SpansOf(bytes, block);
        ASSERT_EQ(spans.size(), 3u) << "block " << block;
        EXPECT_EQ(spans[0], std::string(ReadUntilBlockSize - 1, 'x') + "|$$");
        EXPECT_EQ(spans[1], "y|$$");
    }
}

TEST(StringHelpers, ReadUntilWithoutDelimiterGivesNothing)
{
    EXPECT_EQ(SpansOf(std::string(1000, 'x'), 256).front(), std::nullopt);
    EXPECT_EQ(SpansOf("", 256).front(), std::nullopt);
    TChunkedStream stream("abc", 1);
    EXPECT_EQ(ReadUntil(stream, ""), std::nullopt);
}

} // namespace
