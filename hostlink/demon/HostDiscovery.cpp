#include "HostDiscovery.h"

#include "AsciiCase.h"
#include "RawCommandLine.h"
#include "Registry.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>

std::string ReadViewerHandle()
{
    return platform::ReadLocalMachineString(DemonRegistryKey, ViewerHandleValue);
}

std::vector<std::string> CommandLine()
{
    if (const auto& Raw = RawCommandLine())
        return *Raw;
    std::vector<std::string> Arguments;
    for (const QString& Argument : QCoreApplication::arguments())
        Arguments.push_back(Argument.toLocal8Bit().toStdString());
    return Arguments;
}

std::vector<std::string> CommandLineParameters()
{
    std::vector<std::string> Parameters = CommandLine();
    if (!Parameters.empty())
        Parameters.erase(Parameters.begin());
    return Parameters;
}

std::string GetServerHandleSuffix(
    const std::string& RegistryValue, const std::vector<std::string>& Parameters)
{
    if (!RegistryValue.empty() && RegistryValue != UnsetServerHandle)
        return RegistryValue;
    const std::string Prefix = ServerHandleSwitch;
    std::string Suffix = RegistryValue;
    for (const std::string& Parameter : Parameters) {
        const std::string Lower = LowerAscii(Parameter);
        if (Lower.starts_with(Prefix))
            Suffix = Lower.substr(Prefix.size());
    }
    return Suffix;
}

std::string GetServerHandleSuffix()
{
    return GetServerHandleSuffix(ReadViewerHandle(), CommandLineParameters());
}

TWindowHandle FindServerWindow(platform::TWindowMessaging& Messaging, const std::string& Suffix)
{
    return Messaging.FindWindow(ServerWindowClassName + Suffix, ServerWindowName + Suffix);
}

TWindowHandle FindServerWindow(platform::TWindowMessaging& Messaging)
{
    return FindServerWindow(Messaging, GetServerHandleSuffix());
}
