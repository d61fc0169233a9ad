#include "HostDiscovery.h"

#include "AsciiCase.h"
#include "Registry.h"
#include "WindowMessaging.h"

#include <QCoreApplication>

std::string ReadRegistryString(TRegistryRoot, const std::string& KeyPath, const std::string& ValueName)
{
    return platform::ReadLocalMachineString(KeyPath, ValueName);
}

std::vector<std::string> CommandLineParameters()
{
    std::vector<std::string> parameters;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(arguments[i].toLocal8Bit().toStdString());
    return parameters;
}

std::string GetServerHandleSuffix(
    const std::string& RegistryValue, const std::vector<std::string>& Parameters)
{
    if (!RegistryValue.empty() && RegistryValue != UnsetServerHandle)
        return RegistryValue;
    const std::string prefix = ServerHandleSwitch;
    std::string suffix = RegistryValue;
    for (const std::string& parameter : Parameters) {
        const std::string lower = LowerAscii(parameter);
        if (lower.starts_with(prefix))
            suffix = lower.substr(prefix.size());
    }
    return suffix;
}

std::string GetServerHandleSuffix()
{
    return GetServerHandleSuffix(
        ReadRegistryString(TRegistryRoot::LocalMachine, DemonRegistryKey, ViewerHandleValue),
        CommandLineParameters());
}

TWindowHandle FindServerWindow(platform::TWindowMessaging& Messaging, const std::string& Suffix)
{
    return Messaging.FindWindow(ServerWindowClassName + Suffix, ServerWindowName + Suffix);
}

TWindowHandle FindServerWindow(platform::TWindowMessaging& Messaging)
{
    return FindServerWindow(Messaging, GetServerHandleSuffix());
}
