#include "AsciiCase.h"
#include "TTolkar2000.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace {

// Every key that the program's windows, the About box and the diagram's texts look up.
const std::set<std::string> ProgramKeys { "Fokalis", "Exit", "About", "Type of Lens", "Concave", "Convex",
    "Display Lens", "Key", "Object", "Image", "Focus Ray", "Center Ray", "MMExplain", "OK", "HomePage",
    "HomePageURL", "$dlglanguage$", "Save Figure", "Cannot save the figure", "Show Values", "Lens Diagram",
    "Describe Convex", "Describe Concave", "Object Beyond 2F", "Object At 2F", "Object Between F And 2F",
    "Object At F", "Object Inside F", "Describe Image", "Describe No Image", "Image Real", "Image Virtual",
    "Image Upright", "Image Inverted", "Image Enlarged", "Image Reduced", "Image Same Size",
    "Image Right Side", "Image Left Side", "Decimal Point", "Values Object", "Values Image", "Values Focal",
    "Values Magnification", "Values Equation", "Values No Image", "Values Units", "Copy Figure",
    "Save Figure As", "Reset Figure", "Lens Diagram Help", "Part Object", "Part Object Height", "Part Focus",
    "Part Double Focus", "Object Distance Value", "Object Height Value", "Focus Value", "Double Focus Value",
    "Object Outside", "Focus Outside", "Double Focus Outside", "Commands", "Explanation", "Values", "Program",
    "Links", "Copyright 2026 the Fokalis project", "Qt application toolkit", "Qt documentation" };

std::string ReadDictionary(const std::string& Name)
{
    std::ifstream In(std::string(FOKALIS_DICTIONARY_DIR) + "/" + Name, std::ios::binary);
    return { std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>() };
}

void LoadDictionary(TTolkar2000& Engine, const std::string& Name)
{
    std::istringstream In(ReadDictionary(Name));
    Engine.LoadFromStream(In);
}

class ShippedDictionary : public testing::TestWithParam<const char*> { };

TEST_P(ShippedDictionary, HoldsEveryKeyOnceOnItsOwnLine)
{
    const std::string Bytes = ReadDictionary(GetParam());
    ASSERT_FALSE(Bytes.empty());
    TTolkar2000 Engine;
    LoadDictionary(Engine, GetParam());
    std::set<std::string> Expected;
    for (const std::string& Key : ProgramKeys)
        Expected.insert(LowerAscii(Key));
    const std::set<std::string> Loaded(Engine.Keys().begin(), Engine.Keys().end());
    EXPECT_EQ(Loaded, Expected);
    EXPECT_EQ(Engine.Keys().size(), Loaded.size()) << "a key is given twice";
    const auto LineCount = static_cast<std::size_t>(std::count(Bytes.begin(), Bytes.end(), '\n'));
    EXPECT_EQ(LineCount, Engine.Keys().size()) << "one entry per line, none running over";
    EXPECT_TRUE(Bytes.ends_with("|$$\r\n"));
    std::size_t CrLfCount = 0;
    for (std::size_t At = Bytes.find("\r\n"); At != std::string::npos; At = Bytes.find("\r\n", At + 2))
        ++CrLfCount;
    EXPECT_EQ(CrLfCount, LineCount) << "every line ends in CR LF";
    for (const std::string& Text : Engine.Texts())
        EXPECT_FALSE(Text.empty());
}

TEST_P(ShippedDictionary, LinksAndExplanationAreUsable)
{
    TTolkar2000 Engine;
    LoadDictionary(Engine, GetParam());
    EXPECT_TRUE(Engine.Translate("HomePageURL").starts_with("http://"));
    EXPECT_NE(Engine.Translate("HomePage"), "HomePage");
    const std::string Explanation = Engine.Translate("MMExplain");
    EXPECT_GE(std::count(Explanation.begin(), Explanation.end(), '\n'), 2);
    EXPECT_NE(Explanation.find("2F"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Dictionaries, ShippedDictionary, testing::Values("english.itl", "german.itl"),
    [](const testing::TestParamInfo<const char*>& Info) {
        return std::string(Info.param).substr(0, std::string(Info.param).find('.'));
    });

TEST(Dictionaries, LanguageNamesSelectTheAboutBoxTexts)
{
    TTolkar2000 Engine;
    LoadDictionary(Engine, "english.itl");
    EXPECT_EQ(Engine.Translate("$dlglanguage$"), "lgEnglish");
    LoadDictionary(Engine, "german.itl");
    EXPECT_EQ(Engine.Translate("$dlglanguage$"), "lgGerman");
}

} // namespace
