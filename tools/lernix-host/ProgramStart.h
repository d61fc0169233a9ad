#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Starting programs for lmExecute and for the participant of the command line.

// Parameters as one command-line text, split at spaces; double quotes group
// words with spaces, and three double quotes in a row stand for one.
std::vector<std::string> SplitParameters(const std::string& Parameters);
// Starts Program (looked up in PATH when it has no "/") with Arguments, detached
// from the host, with the host's standard streams. Gives its process id, or 0
// when it could not be started.
std::int64_t StartDetached(const std::string& Program, const std::vector<std::string>& Arguments);
