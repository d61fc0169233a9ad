#include "TTolkar2000.h"

#include "AsciiCase.h"
#include "ItlFormat.h"
#include "LearningFile.h"
#include "StringHelpers.h"
#include "TStdByteStream.h"

#include <exception>
#include <iostream>
#include <istream>

namespace {

std::size_t CountOccurrences(std::string_view Sub, std::string_view S)
{
    std::size_t Count = 0;
    for (std::size_t At = FindNth(Sub, S, 1, 1, true); At != 0;
         At = FindNth(Sub, S, At + Sub.size(), 1, true))
        ++Count;
    return Count;
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
    } catch (const std::exception& Error) {
        std::cerr << "cannot write the learning file: " << Error.what() << '\n';
    }
}

void TTolkar2000::LoadFromStream(std::istream& Stream)
{
    Stream.clear();
    Stream.seekg(0);
    Stream.clear();
    TStdByteStream Bytes(Stream);
    LoadFromStream(Bytes);
}

void TTolkar2000::LoadFromStream(TByteStream& Stream)
{
    FKeys.clear();
    FTexts.clear();
    FIndex.Clear();
    while (const std::optional<std::string> Span = ReadUntil(Stream, ItlTerminator)) {
        const TItlEntry Entry = SplitEntry(*Span);
        FKeys.push_back(NormalizeKey(LowerAscii(Entry.Key)));
        FIndex.Add(FKeys, FKeys.size() - 1);
        FTexts.push_back(DecodeText(Entry.Text, FAppName));
    }
}

std::string TTolkar2000::Translate(std::string_view Key, const std::vector<std::string>& Args)
{
    const std::optional<std::size_t> Found = FIndex.Find(FKeys, LowerAscii(Key));
    if (!Found) {
        std::string Text(Key);
        FillArguments(Text, Args);
        if (FAutoCreateItlFile)
            RecordMissing(Key);
        return Text;
    }
    std::string Text = FTexts[*Found];
    FillArguments(Text, Args);
    if (OnTranslateKey)
        OnTranslateKey(*this, std::string(Key), Text);
    return Text;
}

void TTolkar2000::FillArguments(std::string& Text, const std::vector<std::string>& Args) const
{
    for (std::size_t K = 1; K <= Args.size(); ++K) {
        const std::string Marker = Placeholder(K);
        const std::string& Arg = Args[K - 1];
        if (Arg.size() > Marker.size()) {
            const std::size_t Grown
                = Text.size() + CountOccurrences(Marker, Text) * (Arg.size() - Marker.size());
            if (Grown > MaxFilledTextLength && Grown > Text.size())
                return;
        }
        Text = ReplaceAll(Text, Marker, Arg, true);
    }
}

void TTolkar2000::RecordMissing(std::string_view Key)
{
    std::string Line = FormatEntry(Key, Key);
    if (FMissingFolded.insert(LowerAscii(Line)).second)
        FMissingKeys.push_back(std::move(Line));
}

std::vector<std::string> TTolkar2000::LearningLines() const
{
    std::vector<std::string> Lines = FMissingKeys;
    Lines.reserve(FMissingKeys.size() + FKeys.size());
    for (std::size_t I = 0; I < FKeys.size(); ++I)
        Lines.push_back(FormatEntry(FKeys[I], ReplaceAll(FTexts[I], "\r\n", "\\n", false)));
    return Lines;
}

void TTolkar2000::WriteLearningFile() const
{
    const std::optional<std::filesystem::path> Program = ProgramFilePath();
    if (!Program) {
        std::cerr << "cannot write the learning file: the program's file name is unknown\n";
        return;
    }
    if (const auto Failure = SaveLinesReplacing(LearningFileName(Program->string()), LearningLines()))
        std::cerr << Failure->Message << '\n';
}

bool TTolkar2000::HasPrefix(std::string_view S, std::string_view Prefix)
{
    return S.starts_with(Prefix);
}
