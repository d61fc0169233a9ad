#pragma once

#include <string_view>

// The About box's two texts that no dictionary carries, in the dictionary's dialog
// language: German when its key "$dlglanguage$" gives "lggerman" in any letter case, else
// English. One home for the desktop's box and the page's.
struct TAboutTexts {
    // The heading of the links.
    const char* WebSite;
    const char* Description;
};

// DialogLanguage is the dictionary's text for "$dlglanguage$".
TAboutTexts AboutTexts(std::string_view DialogLanguage);
