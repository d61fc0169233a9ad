#include "AboutTexts.h"

#include "AsciiCase.h"

namespace {

const char* const EnglishWebSite = "More information can be found at the following Web sites:";
const char* const GermanWebSite = "Mehr Informationen finden Sie auf folgenden Webseiten:";
const char* const EnglishDescription
    = "Fokalis simulates how rays of light pass through a thin lens and where the lens forms the "
      "image of an object. It is one of a series of interactive simulations for electronic "
      "textbooks and is written in C++ with the Qt toolkit.";
const char* const GermanDescription
    = "Fokalis simuliert den Weg der Lichtstrahlen durch eine dünne Linse und zeigt, wo die Linse "
      "das Bild eines Gegenstands erzeugt. Es gehört zu einer Reihe interaktiver Simulationen für "
      "elektronische Lehrbücher und ist in C++ mit dem Qt-Toolkit geschrieben.";

} // namespace

TAboutTexts AboutTexts(std::string_view DialogLanguage)
{
    if (LowerAscii(DialogLanguage) == "lggerman")
        return { GermanWebSite, GermanDescription };
    return { EnglishWebSite, EnglishDescription };
}
