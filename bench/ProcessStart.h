#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// What the start-up benchmarks share to start a program and tell what it took.

// CLOCK_MONOTONIC in nanoseconds.
std::int64_t MonotonicNs();

// The environment of this process with the variables of Set set to their values and those
// named in Dropped left out, as "NAME=value" texts.
std::vector<std::string> EnvironmentWith(
    const std::map<std::string, std::string>& Set, const std::set<std::string>& Dropped = {});

// Pointers to the texts, ended by a null pointer, for exec and posix_spawn; valid while
// Texts stays unchanged.
std::vector<char*> Pointers(std::vector<std::string>& Texts);

// The median of Values (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> Values);
