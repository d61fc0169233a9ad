#include "TStoredGlyphSource.h"

const TStoredGlyphSource& TStoredGlyphSource::LenseCaptionGlyphs()
{
    static const TStoredGlyphSource Source({});
    return Source;
}
