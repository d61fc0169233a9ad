#pragma once

#include "LenseDiagram.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Looks up the text of a dictionary key with its numbered values "<%1%>", "<%2%>", ...
// filled in from Args (the translation engine's Translate).
using TTextLookup = std::function<std::string(std::string_view Key, const std::vector<std::string>& Args)>;

// What a Width x Height diagram shows, in sentences: the lens and its focal length, then
// its situation (DescribeLenseSituation). Numbers are whole pixels.
std::string DescribeLenseDiagram(
    const TLenseDiagramState& State, int Width, int Height, const TTextLookup& Lookup);

// Where the object stands relative to F and 2F, what image forms and where, and, when
// the object's head or the left marks lie outside the Width x Height picture, that they
// do.
std::string DescribeLenseSituation(
    const TLenseDiagramState& State, int Width, int Height, const TTextLookup& Lookup);

// The thin-lens values as lines of text: the distances and the focal length, the
// magnification with the kind of image, the equation filled in (left out for an object on
// the lens plane), and the sign rule; in place of the image's values a line saying that no
// image forms. The magnification is rounded to two decimals; the image distance to one, or
// to as many more as make the shown equation give back the shown f. The decimal separator is the dictionary's
// "Decimal Point", a dot where it gives none.
std::vector<std::string> DescribeLenseValues(const TLenseDiagramState& State, const TTextLookup& Lookup);
