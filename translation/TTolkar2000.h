#pragma once

#include "TKeyIndex.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

class TByteStream;

// The translation engine: the dictionary of one language as an ordered table of keys and
// texts, lookups with numbered arguments, and the learning file of missed keys. Texts are
// byte strings in the 8-bit code page. The walk that translates whole windows is
// TTolkar2000Walk, beside the widgets.
class TTolkar2000 {
public:
    // Fired after a successful lookup; may change the text.
    using TTranslateKeyEvent
        = std::function<void(TTolkar2000& Sender, const std::string& Key, std::string& Text)>;

    // The marker of translatable texts in windows.
    static constexpr std::string_view FPrefix = "TK_";

    // AppName replaces "<%APPNAME%>" in texts when they are loaded.
    explicit TTolkar2000(std::string AppName = {});
    // With the learning switch on, writes the learning file (the program file's name with
    // ".itl") into the current directory; a failure to write is reported on stderr and the
    // old file, if any, stays untouched.
    ~TTolkar2000();
    TTolkar2000(const TTolkar2000&) = delete;
    TTolkar2000& operator=(const TTolkar2000&) = delete;

    // Replaces the table with the entries of a dictionary read from position 0 (or from
    // where the stream stands when it cannot seek). Loading stops at the first span without
    // a terminator; the entries before it stay. Any byte sequence is accepted.
    void LoadFromStream(std::istream& Stream);
    // The same, read from where Stream stands.
    void LoadFromStream(TByteStream& Stream);

    // The text for Key (matched after lower-casing A to Z, otherwise exactly), with "<%k%>"
    // replaced by Args[k-1] for k = 1, 2, ... in turn. Without an entry, Key itself (with the
    // arguments filled in), recorded for the learning file when the switch is on. Filling
    // never makes a text longer than MaxFilledTextLength: an argument that would is not
    // filled in, nor are those after it.
    std::string Translate(std::string_view Key, const std::vector<std::string>& Args = {});

    // True when S starts with Prefix, byte for byte.
    static bool HasPrefix(std::string_view S, std::string_view Prefix);

    bool AutoCreateItlFile() const { return FAutoCreateItlFile; }
    void SetAutoCreateItlFile(bool Value) { FAutoCreateItlFile = Value; }

    // Keys (lower case, normalised) and texts (decoded) in file order.
    const std::vector<std::string>& Keys() const { return FKeys; }
    const std::vector<std::string>& Texts() const { return FTexts; }
    // The learning file's lines for missed keys, in the order first missed.
    const std::vector<std::string>& MissingKeys() const { return FMissingKeys; }
    // All lines of the learning file: the missed keys, then the whole table, with line
    // breaks in texts written as "\n" again so that the file loads back to the same table.
    std::vector<std::string> LearningLines() const;

    TTranslateKeyEvent OnTranslateKey;

    // Bound on the growth of a text by argument filling.
    static constexpr std::size_t MaxFilledTextLength = std::size_t { 4 } << 20;

private:
    void FillArguments(std::string& Text, const std::vector<std::string>& Args) const;
    void RecordMissing(std::string_view Key);
    void WriteLearningFile() const;

    std::vector<std::string> FKeys;
    std::vector<std::string> FTexts;
    // The first of duplicate keys wins.
    TKeyIndex FIndex;
    std::vector<std::string> FMissingKeys;
    // FMissingKeys lower-cased, for the duplicate test without regard to letter case.
    std::unordered_set<std::string> FMissingFolded;
    bool FAutoCreateItlFile = false;
    std::string FAppName;
};
