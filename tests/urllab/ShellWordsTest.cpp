#include "ShellWords.h"

#include <gtest/gtest.h>

namespace {

using platform::SplitShellWords;

TEST(ShellWords, SplitAsAShellSplitsWithoutExpanding)
{
    struct Row {
        const char* Text;
        QStringList Words;
    };
    const Row Rows[] = {
        { "", {} },
        { " \t\n ", {} },
        { "  -a  b\tc\n", { "-a", "b", "c" } },
        { R"('a  b' "c d")", { "a  b", "c d" } },
        { R"(x'y'"z"w)", { "xyzw" } },
        { R"('' "")", { "", "" } },
        { R"("say \"hi\" \$x \\ \n")", { R"(say "hi" $x \ \n)" } },
        { R"('it\'s')", { R"(it\s)" } },
        { R"(a\ b \'c)", { "a b", "'c" } },
        { "$HOME * ~", { "$HOME", "*", "~" } },
        { "a\\\nb \"c\\\nd\"", { "ab", "cd" } },
        { "'open to the end", { "open to the end" } },
        { "\"open \\", { "open \\" } },
        { "end\\", { "end\\" } },
    };
    for (const Row& Expected : Rows) {
        SCOPED_TRACE(Expected.Text);
        EXPECT_EQ(SplitShellWords(QString::fromUtf8(Expected.Text)), Expected.Words);
    }
}

}
