#include "Tolkar2000.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace {

// Every key that the program's windows and the About box look up.
const std::set<std::string> ProgramKeys { "Fokalis", "Exit", "About", "Type of Lens", "Concave", "Convex",
    "Display Lens", "Key", "Object", "Image", "Focus Ray", "Center Ray", "MMExplain", "OK", "HomePage",
    "HomePageURL", "$dlglanguage$" };

std::string ReadDictionary(const std::string& Name)
{
    std::ifstream in(std::string(FOKALIS_DICTIONARY_DIR) + "/" + Name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void LoadDictionary(TTolkar2000& Engine, const std::string& Name)
{
    std::istringstream in(ReadDictionary(Name));
    Engine.LoadFromStream(in);
}

class ShippedDictionary : public testing::TestWithParam<const char*> { };

TEST_P(ShippedDictionary, HoldsEveryKeyOnceOnItsOwnLine)
{
    const std::string bytes = ReadDictionary(GetParam());
    ASSERT_FALSE(bytes.empty());
    TTolkar2000 engine;
    LoadDictionary(engine, GetParam());
    std::set<std::string> expected;
    for (const std::string& key : ProgramKeys) {
        std::string lower(key);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char C) { return std::tolower(C); });
        expected.insert(lower);
    }
    const std::set<std::string> loaded(engine.Keys().begin(), engine.Keys().end());
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(engine.Keys().size(), loaded.size()) << "a key is given twice";
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    EXPECT_EQ(lines, engine.Keys().size()) << "one entry per line, none running over";
    EXPECT_TRUE(bytes.ends_with("|$$\r\n"));
    for (const std::string& text : engine.Texts())
        EXPECT_FALSE(text.empty());
}

TEST_P(ShippedDictionary, LinksAndExplanationAreUsable)
{
    TTolkar2000 engine;
    LoadDictionary(engine, GetParam());
    EXPECT_TRUE(engine.Translate("HomePageURL").starts_with("http://"));
    EXPECT_NE(engine.Translate("HomePage"), "HomePage");
    const std::string explanation = engine.Translate("MMExplain");
    EXPECT_GE(std::count(explanation.begin(), explanation.end(), '\n'), 2);
    EXPECT_NE(explanation.find("2F"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Dictionaries, ShippedDictionary, testing::Values("english.itl", "german.itl"),
    [](const testing::TestParamInfo<const char*>& info) {
        return std::string(info.param).substr(0, std::string(info.param).find('.'));
    });

TEST(Dictionaries, LanguageNamesSelectTheAboutBoxTexts)
{
    TTolkar2000 engine;
    LoadDictionary(engine, "english.itl");
    EXPECT_EQ(engine.Translate("$dlglanguage$"), "lgEnglish");
    LoadDictionary(engine, "german.itl");
    EXPECT_EQ(engine.Translate("$dlglanguage$"), "lgGerman");
}

} // namespace
