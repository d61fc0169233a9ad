#include "ProcessStart.h"

#include <algorithm>
#include <ctime>

extern char** environ;

std::int64_t MonotonicNs()
{
    timespec Now {};
    ::clock_gettime(CLOCK_MONOTONIC, &Now);
    return static_cast<std::int64_t>(Now.tv_sec) * 1000000000LL + Now.tv_nsec;
}

std::vector<std::string> EnvironmentWith(
    const std::map<std::string, std::string>& Set, const std::set<std::string>& Dropped)
{
    std::vector<std::string> Environment;
    for (char** Entry = environ; *Entry; ++Entry) {
        const std::string Text = *Entry;
        const std::string Name = Text.substr(0, Text.find('='));
        if (!Set.contains(Name) && !Dropped.contains(Name))
            Environment.push_back(Text);
    }
    for (const auto& [Name, Value] : Set)
        Environment.push_back(Name + "=" + Value);
    return Environment;
}

std::vector<char*> Pointers(std::vector<std::string>& Texts)
{
    std::vector<char*> Result;
    for (std::string& Text : Texts)
        Result.push_back(Text.data());
    Result.push_back(nullptr);
    return Result;
}

double Median(std::vector<double> Values)
{
    if (Values.empty())
        return 0;
    std::sort(Values.begin(), Values.end());
    const std::size_t Half = Values.size() / 2;
    return Values.size() % 2 ? Values[Half] : (Values[Half - 1] + Values[Half]) / 2;
}
