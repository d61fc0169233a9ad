#include "ChunkedStream.h"
#include "EngineFixture.h"

#include <string>
#include <vector>

namespace {

using Tolkar2000 = EngineTest;
using Lines = std::vector<std::string>;

TEST_F(Tolkar2000, EmptyTableGivesTheKeyAndRecordsItOnce)
{
    TTolkar2000 engine;
    EXPECT_EQ(engine.Translate("HomePageURL"), "HomePageURL");
    EXPECT_TRUE(engine.MissingKeys().empty());
    engine.SetAutoCreateItlFile(true);
    engine.Translate("HomePageURL");
    engine.Translate("HOMEPAGEURL");
    engine.Translate("homepageurl");
    EXPECT_EQ(engine.MissingKeys(), Lines { "[HomePageURL]=HomePageURL|$$" });
    engine.SetAutoCreateItlFile(false);
}

TEST_F(Tolkar2000, KeysMatchIgnoringCaseOfAToZOnly)
{
    TTolkar2000 engine;
    Load(engine, "[Display Lens]=Linse zeigen|$$\r\n[\xC4rger]=upper|$$\r\n");
    EXPECT_EQ(engine.Translate("DISPLAY LENS"), "Linse zeigen");
    EXPECT_EQ(engine.Translate("display lens"), "Linse zeigen");
    EXPECT_EQ(engine.Translate("\xC4RGER"), "upper");
    EXPECT_EQ(engine.Translate("\xE4rger"), "\xE4rger");
}

TEST_F(Tolkar2000, FileKeysAreNormalisedLookupKeysAreNot)
{
    TTolkar2000 engine;
    Load(engine, "[Focus\r\nRay]=A|$$\r\n[Trail ]=B|$$\r\n[  Lead]=C|$$");
    EXPECT_EQ(engine.Keys(), (Lines { "focus ray", "trail ", "lead" }));
    EXPECT_EQ(engine.Translate("Focus Ray"), "A");
    EXPECT_EQ(engine.Translate("focus  ray"), "focus  ray");
    EXPECT_EQ(engine.Translate("trail "), "B");
    EXPECT_EQ(engine.Translate("trail"), "trail");
    EXPECT_EQ(engine.Translate(" lead"), " lead");
}

TEST_F(Tolkar2000, ArgumentsFillNumberedPlaceholders)
{
    TTolkar2000 engine;
    Load(engine, "[v]=Value <%1%> of <%2%>|$$");
    EXPECT_EQ(engine.Translate("v", { "3", "7" }), "Value 3 of 7");
    EXPECT_EQ(engine.Translate("v"), "Value <%1%> of <%2%>");
    EXPECT_EQ(engine.Translate("v", { "<%2%>", "x" }), "Value x of x");
    EXPECT_EQ(engine.Translate("missed <%1%>", { "key" }), "missed key");
}

TEST_F(Tolkar2000, FillingStopsBeforeATextGrowsPastTheBound)
{
    TTolkar2000 engine;
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "<%1%>";
    Load(engine, "[k]=" + text + "<%2%>|$$");
    const std::string big(TTolkar2000::MaxFilledTextLength / 500, 'x');
    EXPECT_EQ(engine.Translate("k", { big, "two" }), text + "<%2%>");
    EXPECT_EQ(engine.Translate("k", { "1", "2" }), std::string(1000, '1') + "2");
}

TEST_F(Tolkar2000, FirstOfDuplicateKeysWinsAndBothAreKept)
{
    TTolkar2000 engine;
    Load(engine, "[Key]=first|$$\r\n[KEY]=second|$$\r\n");
    EXPECT_EQ(engine.Translate("key"), "first");
    EXPECT_EQ(engine.LearningLines(), (Lines { "[key]=first|$$", "[key]=second|$$" }));
}

TEST_F(Tolkar2000, OnlyTerminatedEntriesLoadAndEachLoadReplacesTheTable)
{
    TTolkar2000 engine;
    Load(engine, "[a]=1|$$\r\n[b]=2|$$\r\n[c]=3");
    EXPECT_EQ(engine.Keys(), (Lines { "a", "b" }));
    Load(engine, "[c]=3");
    EXPECT_TRUE(engine.Keys().empty());
    EXPECT_EQ(engine.Translate("a"), "a");
}

TEST_F(Tolkar2000, LoadReadsFromTheStartOfASeekableStream)
{
    TTolkar2000 engine;
    std::istringstream in("[a]=1|$$");
    in.ignore(5);
    engine.LoadFromStream(in);
    EXPECT_EQ(engine.Texts(), Lines { "1" });
}

TEST_F(Tolkar2000, ShortReadsGiveTheSameTable)
{
    std::string file;
    for (int i = 0; i < 200; ++i)
        file += "[Key " + std::to_string(i) + "]=Text\\nnumber " + std::string(i % 13, '.') + "|$$\r\n";
    TTolkar2000 whole;
    Load(whole, file);
    ASSERT_EQ(whole.Keys().size(), 200u);
    EXPECT_EQ(whole.Translate("KEY 150"), "Text\r\nnumber " + std::string(150 % 13, '.'));
    for (const std::size_t block : { 1, 255, 256, 257 }) {
        TTolkar2000 engine;
        TChunkedStream stream(file, block);
        engine.LoadFromStream(stream);
        EXPECT_EQ(engine.Keys(), whole.Keys()) << "block " << block;
        EXPECT_EQ(engine.Texts(), whole.Texts()) << "block " << block;
    }
}

TEST_F(Tolkar2000, HookSeesTheCallersKeyAndMayChangeTheText)
{
    TTolkar2000 engine;
    Load(engine, "[exit]=Beenden|$$");
    std::vector<std::string> seen;
    engine.OnTranslateKey = [&](TTolkar2000&, const std::string& Key, std::string& Text) {
        seen.push_back(Key);
        Text += "!";
    };
    EXPECT_EQ(engine.Translate("EXIT"), "Beenden!");
    EXPECT_EQ(engine.Translate("missing"), "missing");
    EXPECT_EQ(seen, Lines { "EXIT" });
}

TEST_F(Tolkar2000, LearningLinesLoadBackAsTheSameTable)
{
    TTolkar2000 engine;
    engine.SetAutoCreateItlFile(true);
    Load(engine, "[Exit]=Beenden|$$\r\n[multi]=a\\nb|$$");
    engine.Translate("Unknown Key");
    std::string file;
    for (const std::string& line : engine.LearningLines())
        file += line + "\r\n";
    engine.SetAutoCreateItlFile(false);
    TTolkar2000 reloaded;
    Load(reloaded, file);
    EXPECT_EQ(reloaded.Keys(), (Lines { "unknown key", "exit", "multi" }));
    EXPECT_EQ(reloaded.Texts(), (Lines { "Unknown Key", "Beenden", "a\r\nb" }));
}

} // namespace
