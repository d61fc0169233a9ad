#include "Tolkar2000.h"

#include "ByteStream.h"
#include "ItlFormat.h"
#include "LearningFile.h"
#include "StringHelpers.h"

#include <exception>
#include <iostream>
#include <istream>

namespace {

std::size_t CountOccurrences(std::string_view Sub, std::string_view S)
{
    std::size_t count = 0;
    for (std::size_t at = FindNth(Sub, S, 1, 1, true); at != 0;
         at = FindNth(Sub, S, at + Sub.size(), 1, true))
        ++count;
    return count;
}

std::string Placeholder(std::size_t Number)
{
    return "<%" + std::to_string(Number) + "%>";
}

} // namespace

TTolkar2000::TTolkar2000(std::string AppName)
    : FAppName(std::move(AppName))
{
}

TTolkar2000::~TTolkar2000()
{
    if (!FAutoCreateItlFile)
        return;
    try {
        WriteLearningFile();
    } catch (const std::exception& error) {
        std::cerr << "cannot write the learning file: " << error.what() << '\n';
    }
}

void TTolkar2000::LoadFromStream(std::istream& Stream)
{
    Stream.clear();
    Stream.seekg(0);
    Stream.clear();
    TStdByteStream bytes(Stream);
    LoadFromStream(bytes);
}

void TTolkar2000::LoadFromStream(TByteStream& Stream)
{
    FKeys.clear();
    FTexts.clear();
    FIndex.Clear();
    while (const std::optional<std::string> span = ReadUntil(Stream, ItlTerminator)) {
        TItlEntry entry = SplitEntry(*span);
        std::string key = NormalizeKey(LowerAscii(entry.Key));
        FKeys.push_back(std::move(key));
        FIndex.Add(FKeys, FKeys.size() - 1);
        FTexts.push_back(DecodeText(entry.Text, FAppName));
    }
}

std::string TTolkar2000::Translate(std::string_view Key, const std::vector<std::string>& Args)
{
    const std::optional<std::size_t> found = FIndex.Find(FKeys, LowerAscii(Key));
    if (!found) {
        std::string text(Key);
        FillArguments(text, Args);
        if (FAutoCreateItlFile)
            RecordMissing(Key);
        return text;
    }
    std::string text = FTexts[*found];
    FillArguments(text, Args);
    if (OnTranslateKey)
        OnTranslateKey(*this, std::string(Key), text);
    return text;
}

void TTolkar2000::FillArguments(std::string& Text, const std::vector<std::string>& Args) const
{
    for (std::size_t k = 1; k <= Args.size(); ++k) {
        const std::string placeholder = Placeholder(k);
        const std::string& arg = Args[k - 1];
        if (arg.size() > placeholder.size()) {
            const std::size_t grown
                = Text.size() + CountOccurrences(placeholder, Text) * (arg.size() - placeholder.size());
            if (grown > MaxFilledTextLength && grown > Text.size())
                return;
        }
        Text = ReplaceAll(Text, placeholder, arg, true);
    }
}

void TTolkar2000::RecordMissing(std::string_view Key)
{
    std::string line = FormatEntry(Key, Key);
    if (FMissingFolded.insert(LowerAscii(line)).second)
        FMissingKeys.push_back(std::move(line));
}

std::vector<std::string> TTolkar2000::LearningLines() const
{
    std::vector<std::string> lines = FMissingKeys;
    lines.reserve(FMissingKeys.size() + FKeys.size());
    for (std::size_t i = 0; i < FKeys.size(); ++i)
        lines.push_back(FormatEntry(FKeys[i], ReplaceAll(FTexts[i], "\r\n", "\\n", false)));
    return lines;
}

void TTolkar2000::WriteLearningFile() const
{
    const std::optional<std::filesystem::path> program = ProgramFilePath();
    if (!program) {
        std::cerr << "cannot write the learning file: the program's file name is unknown\n";
        return;
    }
    if (const auto failure = SaveLinesReplacing(LearningFileName(program->string()), LearningLines()))
        std::cerr << failure->Message << '\n';
}

bool TTolkar2000::HasPrefix(std::string_view S, std::string_view Prefix)
{
    return S.starts_with(Prefix);
}
