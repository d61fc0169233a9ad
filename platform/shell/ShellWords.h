#pragma once

#include <QStringList>
#include <QStringView>

namespace platform {

// Text split into words as a POSIX shell splits a command line, without expanding
// anything: blanks, tabs and line breaks separate words; single quotes keep everything
// up to the next single quote; double quotes keep everything up to the next double quote
// except that a backslash there escapes $ ` " \ and drops a line break; outside quotes a
// backslash keeps the next character (and drops a line break). Quotes and escapes join
// with the text around them, and an empty pair of quotes is an empty word. A quote
// without its closing one runs to the end of Text; a trailing backslash stays.
QStringList SplitShellWords(QStringView Text);

} // namespace platform
