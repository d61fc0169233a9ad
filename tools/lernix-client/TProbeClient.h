#pragma once

#include "TkdbDemonClient.h"

#include <string>

// The host-link client of lernix-client: a participant in host mode whose host window is
// named by the suffix it is given, not by the program's own command line. It loads no
// dictionary and takes no single-copy lock, so any number of probes may run at once.
class TProbeClient : public TkdbDemonClient {
public:
    // Makes the hidden window and looks up the host window with Suffix. Messaging must
    // outlive the client. Throws ELernix when the window cannot be made.
    TProbeClient(platform::TWindowMessaging& Messaging, const std::string& Suffix);

    // Registers at the host. Throws ELernix "Lernix server application is not running"
    // when no host window was found.
    void Join();
};
