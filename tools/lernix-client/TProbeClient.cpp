#include "TProbeClient.h"

#include "ELernix.h"
#include "HostDiscovery.h"

TProbeClient::TProbeClient(platform::TWindowMessaging& Messaging, const std::string& Suffix)
    : TkdbDemonClient(nullptr, &Messaging)
{
    SetUseVandrelServer(true);
    FServerEntity->Handle = FindServerWindow(Messaging, Suffix);
}

void TProbeClient::Join()
{
    if (FServerEntity->Handle == 0)
        throw ELernix("Lernix server application is not running");
    RegisterAtHost();
}
