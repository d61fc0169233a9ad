#pragma once

#include <string>

// The running program's file: the real path of its executable.
std::string ApplicationFileName();
