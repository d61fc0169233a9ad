#include "TSvgTarget.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Fffd = "\xef\xbf\xbd";

// The character data of the document's one text element.
std::string TextData(const std::string& Caption)
{
    TSvgTarget Svg(10, 10);
    Svg.SetBrushStyle(TBrushStyle::Clear);
    Svg.TextOut(0, 0, Caption);
    const std::string Document = Svg.Document();
    const std::size_t Start = Document.find('>', Document.find("<text")) + 1;
    return Document.substr(Start, Document.find("</text>") - Start);
}

// Whatever bytes a dictionary gives a caption, the document holds well-formed UTF-8
// character data: markup escaped, characters XML cannot hold left out, and every byte
// that starts no well-formed character one U+FFFD.
TEST(SvgText, AnyCaptionBytesBecomeWellFormedCharacterData)
{
    struct TCase {
        const char* Name;
        std::string Caption;
        std::string Data;
    };
    for (const TCase& Case : {
             TCase { "Markup", "a<b & \"c\" > 'd'", "a&lt;b &amp; &quot;c&quot; &gt; 'd'" },
             TCase { "ControlsLeftOut", "x\x01\x1fy\tz", "xy\tz" },
             TCase { "TwoThreeAndFourBytes", "\xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80",
                 "\xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80" },
             TCase { "Latin1Bytes", "gr\xfc\xdf", "gr" + Fffd + Fffd },
             TCase { "CutShort", "\xe2\x82", Fffd + Fffd },
             TCase { "Overlong", "\xc0\xaf", Fffd + Fffd },
             TCase { "Surrogate", "\xed\xa0\x80", Fffd + Fffd + Fffd },
             TCase { "BeyondUnicode", "\xf4\x90\x80\x80", Fffd + Fffd + Fffd + Fffd },
             TCase { "NonCharacterLeftOut", "a\xef\xbf\xbe", "a" },
         }) {
        EXPECT_EQ(TextData(Case.Caption), Case.Data) << Case.Name;
    }
}

} // namespace
