#include "TChunkedStream.h"
#include "TEngineFixture.h"

#include <string>
#include <vector>

namespace {

using Tolkar2000 = TEngineFixture;
using TLines = std::vector<std::string>;

TEST_F(Tolkar2000, EmptyTableGivesTheKeyAndRecordsItOnce)
{
    TTolkar2000 Engine;
    EXPECT_EQ(Engine.Translate("HomePageURL"), "HomePageURL");
    EXPECT_TRUE(Engine.MissingKeys().empty());
    Engine.SetAutoCreateItlFile(true);
    Engine.Translate("HomePageURL");
    Engine.Translate("HOMEPAGEURL");
    Engine.Translate("homepageurl");
    EXPECT_EQ(Engine.MissingKeys(), TLines { "[HomePageURL]=HomePageURL|$$" });
    Engine.SetAutoCreateItlFile(false);
}

TEST_F(Tolkar2000, KeysMatchIgnoringCaseOfAToZOnly)
{
    TTolkar2000 Engine;
    Load(Engine, "[Display Lens]=Linse zeigen|$$\r\n[\xC4rger]=upper|$$\r\n");
    EXPECT_EQ(Engine.Translate("DISPLAY LENS"), "Linse zeigen");
    EXPECT_EQ(Engine.Translate("display lens"), "Linse zeigen");
    EXPECT_EQ(Engine.Translate("\xC4RGER"), "upper");
    EXPECT_EQ(Engine.Translate("\xE4rger"), "\xE4rger");
}

TEST_F(Tolkar2000, FileKeysAreNormalisedLookupKeysAreNot)
{
    TTolkar2000 Engine;
    Load(Engine, "[Focus\r\nRay]=A|$$\r\n[Trail ]=B|$$\r\n[  Lead]=C|$$");
    EXPECT_EQ(Engine.Keys(), (TLines { "focus ray", "trail ", "lead" }));
    EXPECT_EQ(Engine.Translate("Focus Ray"), "A");
    EXPECT_EQ(Engine.Translate("focus  ray"), "focus  ray");
    EXPECT_EQ(Engine.Translate("trail "), "B");
    EXPECT_EQ(Engine.Translate("trail"), "trail");
    EXPECT_EQ(Engine.Translate(" lead"), " lead");
}

TEST_F(Tolkar2000, ArgumentsFillNumberedPlaceholders)
{
    TTolkar2000 Engine;
    Load(Engine, "[v]=Value <%1%> of <%2%>|$$");
    EXPECT_EQ(Engine.Translate("v", { "3", "7" }), "Value 3 of 7");
    EXPECT_EQ(Engine.Translate("v"), "Value <%1%> of <%2%>");
    EXPECT_EQ(Engine.Translate("v", { "<%2%>", "x" }), "Value x of x");
    EXPECT_EQ(Engine.Translate("missed <%1%>", { "key" }), "missed key");
}

TEST_F(Tolkar2000, FillingStopsBeforeATextGrowsPastTheBound)
{
    TTolkar2000 Engine;
    std::string Text;
    for (int I = 0; I < 1000; ++I)
        Text += "<%1%>";
    Load(Engine, "[k]=" + Text + "<%2%>|$$");
    const std::string Big(TTolkar2000::MaxFilledTextLength / 500, 'x');
    EXPECT_EQ(Engine.Translate("k", { Big, "two" }), Text + "<%2%>");
    EXPECT_EQ(Engine.Translate("k", { "1", "2" }), std::string(1000, '1') + "2");
}

TEST_F(Tolkar2000, FirstOfDuplicateKeysWinsAndBothAreKept)
{
    TTolkar2000 Engine;
    Load(Engine, "[Key]=first|$$\r\n[KEY]=second|$$\r\n");
    EXPECT_EQ(Engine.Translate("key"), "first");
    EXPECT_EQ(Engine.LearningLines(), (TLines { "[key]=first|$$", "[key]=second|$$" }));
}

TEST_F(Tolkar2000, OnlyTerminatedEntriesLoadAndEachLoadReplacesTheTable)
{
    TTolkar2000 Engine;
    Load(Engine, "[a]=1|$$\r\n[b]=2|$$\r\n[c]=3");
    EXPECT_EQ(Engine.Keys(), (TLines { "a", "b" }));
    Load(Engine, "[c]=3");
    EXPECT_TRUE(Engine.Keys().empty());
    EXPECT_EQ(Engine.Translate("a"), "a");
}

TEST_F(Tolkar2000, LoadReadsFromTheStartOfASeekableStream)
{
    TTolkar2000 Engine;
    std::istringstream In("[a]=1|$$");
    In.ignore(5);
    Engine.LoadFromStream(In);
    EXPECT_EQ(Engine.Texts(), TLines { "1" });
}

TEST_F(Tolkar2000, ShortReadsGiveTheSameTable)
{
    std::string File;
    for (std::size_t I = 0; I < 200; ++I)
        File += "[Key " + std::to_string(I) + "]=Text\\nnumber " + std::string(I % 13, '.') + "|$$\r\n";
    TTolkar2000 Whole;
    Load(Whole, File);
    ASSERT_EQ(Whole.Keys().size(), 200u);
    EXPECT_EQ(Whole.Translate("KEY 150"), "Text\r\nnumber " + std::string(150 % 13, '.'));
    for (const std::size_t Block : { 1u, 255u, 256u, 257u }) {
        TTolkar2000 Engine;
        TChunkedStream Stream(File, Block);
        Engine.LoadFromStream(Stream);
        EXPECT_EQ(Engine.Keys(), Whole.Keys()) << "block " << Block;
        EXPECT_EQ(Engine.Texts(), Whole.Texts()) << "block " << Block;
    }
}

TEST_F(Tolkar2000, HookSeesTheCallersKeyAndMayChangeTheText)
{
    TTolkar2000 Engine;
    Load(Engine, "[exit]=Beenden|$$");
    std::vector<std::string> Seen;
    Engine.OnTranslateKey = [&](TTolkar2000&, const std::string& Key, std::string& Text) {
        Seen.push_back(Key);
        Text += "!";
    };
    EXPECT_EQ(Engine.Translate("EXIT"), "Beenden!");
    EXPECT_EQ(Engine.Translate("missing"), "missing");
    EXPECT_EQ(Seen, TLines { "EXIT" });
}

TEST_F(Tolkar2000, LearningLinesLoadBackAsTheSameTable)
{
    TTolkar2000 Engine;
    Engine.SetAutoCreateItlFile(true);
    Load(Engine, "[Exit]=Beenden|$$\r\n[multi]=a\\nb|$$");
    Engine.Translate("Unknown Key");
    std::string File;
    for (const std::string& Line : Engine.LearningLines())
        File += Line + "\r\n";
    Engine.SetAutoCreateItlFile(false);
    TTolkar2000 Reloaded;
    Load(Reloaded, File);
    EXPECT_EQ(Reloaded.Keys(), (TLines { "unknown key", "exit", "multi" }));
    EXPECT_EQ(Reloaded.Texts(), (TLines { "Unknown Key", "Beenden", "a\r\nb" }));
}

} // namespace
