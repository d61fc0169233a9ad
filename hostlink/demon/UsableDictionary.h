#pragma once

#include "DictionaryBytes.h"

#include <functional>
#include <string>
#include <vector>

class TTolkar2000;

// Choosing among dictionary files: the first that can serve (DictionaryBytes.h) wins.

// Receives one complaint: the file's name and why it cannot be used.
using TDictionaryComplaint = std::function<void(const std::string& File, const std::string& Why)>;

// Loads into Engine the first of Files that can serve and gives its name. A file that does
// not exist is passed over in silence; one that exists but cannot serve (a folder, a pipe or
// device, unreadable, too large, or with a DictionaryProblem) is passed over with a
// Complaint. Empty when none could be loaded; Engine is then as it was.
std::string LoadFirstUsableDictionary(
    TTolkar2000& Engine, const std::vector<std::string>& Files, const TDictionaryComplaint& Complaint);
