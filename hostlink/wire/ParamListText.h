#pragma once

#include <string>
#include <vector>

class TMemoryStream;

// The parameter list as it travels in an lmParams message: every line followed
// by CR LF, nothing before the first line and nothing after the last CR LF.
// Lines holding CR, LF or NUL do not survive the trip.
void WriteParamListText(TMemoryStream& Stream, const std::vector<std::string>& Lines);
// Splits Text into lines at CR, at LF and at CR LF (one break each); a NUL byte
// ends the text, and a last line without a break still counts.
std::vector<std::string> SplitParamListText(const std::string& Text);
// Splits everything from Stream's position to its end; the position ends at the end.
std::vector<std::string> ReadParamListText(TMemoryStream& Stream);
