#include "ShellWords.h"

#include <utility>

namespace platform {

namespace {

bool IsSeparator(QChar C)
{
    return C == u' ' || C == u'\t' || C == u'\n';
}

// Reads a double-quoted part that starts after its opening quote at Pos; leaves Pos
// after the closing quote.
void ReadDoubleQuoted(QStringView Text, qsizetype& Pos, QString& Word)
{
    static const QStringView Escapable = u"$`\"\\\n";
    while (Pos < Text.size() && Text[Pos] != u'"') {
        if (Text[Pos] == u'\\' && Pos + 1 < Text.size() && Escapable.contains(Text[Pos + 1])) {
            if (Text[Pos + 1] != u'\n')
                Word += Text[Pos + 1];
            Pos += 2;
        } else {
            Word += Text[Pos++];
        }
    }
    ++Pos;
}

} // namespace

QStringList SplitShellWords(QStringView Text)
{
    QStringList Words;
    QString Word;
    bool InWord = false;
    qsizetype Pos = 0;
    while (Pos < Text.size()) {
        const QChar C = Text[Pos++];
        if (IsSeparator(C)) {
            if (InWord)
                Words << std::exchange(Word, {});
            InWord = false;
            continue;
        }
        if (C == u'\\' && Pos < Text.size() && Text[Pos] == u'\n') {
            ++Pos;
            continue;
        }
        InWord = true;
        if (C == u'\\' && Pos < Text.size()) {
            Word += Text[Pos++];
        } else if (C == u'\'') {
            const qsizetype Close = Text.indexOf(u'\'', Pos);
            const qsizetype End = Close < 0 ? Text.size() : Close;
            Word += Text.mid(Pos, End - Pos);
            Pos = End + 1;
        } else if (C == u'"') {
            ReadDoubleQuoted(Text, Pos, Word);
        } else {
            Word += C;
        }
    }
    if (InWord)
        Words << Word;
    return Words;
}

} // namespace platform
