#include "TViewerHandlePublication.h"

#include "HostDiscovery.h"

#include <QSettings>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

// Where ReadRegistryString finds DemonRegistryKey: organisation, application and
// the rest of the key as the group. The constructor reads the value back through
// ReadRegistryString, so the two cannot drift apart unnoticed.
const QString ValueKey = QStringLiteral("demon/ViewerHandle");

std::unique_ptr<QSettings> OpenDemonSettings()
{
    const QString Organisation = QStringLiteral("Orvik");
    const QString Application = QStringLiteral("vandrel");
    if (const char* Folder = std::getenv("LERNIX_REGISTRY_DIR"); Folder && *Folder)
        return std::make_unique<QSettings>(
            QString::fromLocal8Bit(Folder) + '/' + Organisation + '/' + Application + QStringLiteral(".conf"),
            QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::SystemScope, Organisation, Application);
}

std::string ReadViewerHandle()
{
    return ReadRegistryString(TRegistryRoot::LocalMachine, DemonRegistryKey, ViewerHandleValue);
}

} // namespace

TViewerHandlePublication::TViewerHandlePublication(const std::string& Suffix)
    : FSuffix(Suffix)
{
    const auto Settings = OpenDemonSettings();
    if (Settings->contains(ValueKey))
        FPrevious = Settings->value(ValueKey).toString().toLocal8Bit().toStdString();
    Settings->setValue(ValueKey, QString::fromLocal8Bit(Suffix));
    Settings->sync();
    if (Settings->status() != QSettings::NoError || ReadViewerHandle() != Suffix)
        throw std::runtime_error("cannot publish the suffix in "
            + Settings->fileName().toLocal8Bit().toStdString() + " (is it writable?)");
}

TViewerHandlePublication::~TViewerHandlePublication()
{
    if (ReadViewerHandle() != FSuffix)
        return;
    const auto Settings = OpenDemonSettings();
    if (FPrevious)
        Settings->setValue(ValueKey, QString::fromLocal8Bit(*FPrevious));
    else
        Settings->remove(ValueKey);
}
