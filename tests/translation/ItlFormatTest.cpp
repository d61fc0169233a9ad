#include "ItlFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(ItlFormat, NormalizeKeyBlanksBreaksAndCollapsesRuns)
{
    EXPECT_EQ(NormalizeKey("focus\r\nray"), "focus ray");
    EXPECT_EQ(NormalizeKey("\t a\t\tb"), "a b");
    EXPECT_EQ(NormalizeKey("trailing  "), "trailing ");
    EXPECT_EQ(NormalizeKey("   "), "");
    EXPECT_EQ(NormalizeKey(""), "");
}

TEST(ItlFormat, DecodeTextTurnsEscapesIntoBreaksAndAppName)
{
    EXPECT_EQ(DecodeText("First\\nSecond", "App"), "First\r\nSecond");
    EXPECT_EQ(DecodeText("two\r\nlines", "App"), "two  lines");
    EXPECT_EQ(DecodeText("<%APPNAME%>/<%appname%>/<%AppName%>", "Fok"), "Fok/Fok/Fok");
    EXPECT_EQ(DecodeText("\\N and\ttab  run", ""), "\\N and\ttab  run");
    EXPECT_EQ(DecodeText("<%APPNAME%>", "a\\nb"), "a\\nb");
}

struct TSplitCase {
    const char* Name;
    const char* Span;
    const char* Key;
    const char* Text;
};

class SplitEntryTest : public testing::TestWithParam<TSplitCase> { };

TEST_P(SplitEntryTest, FindsKeyAndText)
{
    const TItlEntry Entry = SplitEntry(GetParam().Span);
    EXPECT_EQ(Entry.Key, GetParam().Key);
    EXPECT_EQ(Entry.Text, GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(ItlFormat, SplitEntryTest,
    testing::Values(TSplitCase { "plain", "\r\n[Exit]=Beenden|$$", "Exit", "Beenden" },
        TSplitCase { "text_with_brackets", "[k]=a [b]=c|$$", "k", "a [b]=c" },
        TSplitCase { "no_open_bracket", "key]=text|$$", "key", "text" },
        TSplitCase { "no_close", "[key text|$$", "", "key text" },
        TSplitCase { "close_before_open", "a]=b[c|$$", "", "b[c" },
        TSplitCase { "empty_key_and_text", "[]=|$$", "", "" },
        TSplitCase { "terminator_only", "|$$", "", "" }),
    [](const testing::TestParamInfo<TSplitCase>& Info) { return Info.param.Name; });

} // namespace
