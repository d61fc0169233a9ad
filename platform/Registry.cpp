#include "Registry.h"

#include <QSettings>
#include <QStringList>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

// The part of the path that Windows Qt puts in front of organisation and application.
const QString SoftwareRoot = QStringLiteral("Software");

// A value's settings store and its key inside that store.
struct TValueLocation {
    std::unique_ptr<QSettings> Settings;
    QString Key;
};

std::unique_ptr<QSettings> OpenSystemSettings(const QString& Organisation, const QString& Application)
{
    if (const char* Folder = std::getenv("LERNIX_REGISTRY_DIR"); Folder && *Folder)
        return std::make_unique<QSettings>(
            QString::fromLocal8Bit(Folder) + '/' + Organisation + '/' + Application + QStringLiteral(".conf"),
            QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::SystemScope, Organisation, Application);
}

// None when KeyPath is not under "\Software\<organisation>\<application>".
std::optional<TValueLocation> LocateValue(const std::string& KeyPath, const std::string& ValueName)
{
    QStringList Parts = QString::fromLocal8Bit(KeyPath).split(QChar('\\'), Qt::SkipEmptyParts);
    if (Parts.size() < 3 || Parts.front().compare(SoftwareRoot, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    auto Settings = OpenSystemSettings(Parts.at(1), Parts.at(2));
    Parts.erase(Parts.begin(), Parts.begin() + 3);
    Parts.append(QString::fromLocal8Bit(ValueName));
    return TValueLocation { std::move(Settings), Parts.join('/') };
}

} // namespace

std::optional<std::string> FindLocalMachineString(const std::string& KeyPath, const std::string& ValueName)
{
    if (ValueName.empty())
        return std::nullopt;
    const auto Location = LocateValue(KeyPath, ValueName);
    if (!Location)
        return std::nullopt;
    const QVariant Value = Location->Settings->value(Location->Key);
    if (!Value.isValid())
        return std::nullopt;
    return Value.toString().toLocal8Bit().toStdString();
}

std::string ReadLocalMachineString(const std::string& KeyPath, const std::string& ValueName)
{
    return FindLocalMachineString(KeyPath, ValueName).value_or(std::string());
}

bool WriteLocalMachineString(
    const std::string& KeyPath, const std::string& ValueName, const std::optional<std::string>& Value)
{
    const auto Location = ValueName.empty() ? std::nullopt : LocateValue(KeyPath, ValueName);
    if (!Location)
        return false;
    if (Value)
        Location->Settings->setValue(Location->Key, QString::fromLocal8Bit(*Value));
    else
        Location->Settings->remove(Location->Key);
    Location->Settings->sync();
    return Location->Settings->status() == QSettings::NoError;
}

std::string LocalMachineStore(const std::string& KeyPath)
{
    const auto Location = LocateValue(KeyPath, std::string());
    return Location ? Location->Settings->fileName().toLocal8Bit().toStdString() : std::string();
}

} // namespace platform
