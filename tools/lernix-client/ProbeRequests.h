#pragma once

#include "TClientOptions.h"

#include <iosfwd>
#include <string>

class TkdbDemonClient;

// What lernix-client does with its command line.

// The suffix of the host window's names: --suffix as it stands, else what the program
// makes of the registry value and the /serverhandle= switches.
std::string HostSuffix(const TClientOptions& Options);

// Sends the request of Options through Client and writes the answer to Out: a file's bytes
// as they are, a text or a number on a line of its own, a participant as four lines
// "Handle=", "MutexHandle=", "ExeName=", "Title=". Throws std::runtime_error naming what is
// missing when the host has no such file or participant, and the client's exceptions
// (ELernix, EReadError) when the request fails.
void AskHost(TkdbDemonClient& Client, const TClientOptions& Options, std::ostream& Out);
