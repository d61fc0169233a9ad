#include "Registry.h"

#include <QSettings>
#include <QStringList>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

// The part of the path that Windows Qt puts in front of organisation and application.
const QString SoftwareRoot = QStringLiteral("Software");

std::unique_ptr<QSettings> OpenSystemSettings(const QString& Organisation, const QString& Application)
{
    if (const char* Folder = std::getenv("LERNIX_REGISTRY_DIR"); Folder && *Folder)
        return std::make_unique<QSettings>(
            QString::fromLocal8Bit(Folder) + '/' + Organisation + '/' + Application + QStringLiteral(".conf"),
            QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::SystemScope, Organisation, Application);
}

} // namespace

std::string ReadLocalMachineString(const std::string& KeyPath, const std::string& ValueName)
{
    QStringList Parts = QString::fromLocal8Bit(KeyPath).split(QChar('\\'), Qt::SkipEmptyParts);
    if (Parts.size() < 3 || Parts.front().compare(SoftwareRoot, Qt::CaseInsensitive) != 0
        || ValueName.empty())
        return {};
    const QString Organisation = Parts.at(1);
    const QString Application = Parts.at(2);
    Parts.erase(Parts.begin(), Parts.begin() + 3);
    Parts.append(QString::fromLocal8Bit(ValueName));
    const auto Settings = OpenSystemSettings(Organisation, Application);
    const QVariant Value = Settings->value(Parts.join('/'));
    return Value.isValid() ? Value.toString().toLocal8Bit().toStdString() : std::string();
}

} // namespace platform
