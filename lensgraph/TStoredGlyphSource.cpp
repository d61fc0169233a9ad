#include "TStoredGlyphSource.h"

TGlyphSource::TMask TStoredGlyphSource::Render(std::string_view Text) const
{
    for (const TGlyphs& Glyphs : FTable) {
        if (Glyphs.Text == Text)
            return { Glyphs.Width, Glyphs.Height, Glyphs.Ascent, { Glyphs.Runs.begin(), Glyphs.Runs.end() } };
    }
    return {};
}
