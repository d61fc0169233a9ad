#include "Registry.h"

#include "TUniqueFd.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace platform {

namespace {

// The part of the path that Windows Qt puts in front of organisation and application.
const QString SoftwareRoot = QStringLiteral("Software");

// A value's settings store and its key inside that store.
struct TValueLocation {
    std::unique_ptr<QSettings> Settings;
    QString Key;
};

// The folder of the system's settings files, where QSettings' system scope looks.
QString SystemConfigFolder()
{
    if (const char* Folder = std::getenv("LERNIX_REGISTRY_DIR"); Folder && *Folder)
        return QString::fromLocal8Bit(Folder);
    const QString First = qEnvironmentVariable("XDG_CONFIG_DIRS").section(QChar(':'), 0, 0);
    return First.isEmpty() ? QStringLiteral("/etc/xdg") : First;
}

// Why the store at Path must not be opened, or the empty text. Anyone who can write the
// folder could put a link there (a write would go through it) or a pipe (a read would
// wait forever): only a regular file, or none yet, is a store.
std::string UnfitStore(const QString& Path)
{
    const QByteArray Name = QFile::encodeName(Path);
    struct stat Info { };
    const QByteArray Folder = Name.left(Name.lastIndexOf('/'));
    if (::lstat(Folder.constData(), &Info) == 0 && !S_ISDIR(Info.st_mode))
        return Folder.toStdString() + " is not a folder";
    if (::lstat(Name.constData(), &Info) != 0)
        return errno == ENOENT ? std::string() : Name.toStdString() + ": cannot be examined";
    if (!S_ISREG(Info.st_mode))
        return Name.toStdString() + " is not a regular file";
    const TUniqueFd File(::open(Name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!File.Valid() || ::fstat(File.Get(), &Info) != 0 || !S_ISREG(Info.st_mode))
        return Name.toStdString() + " is not a regular file";
    return {};
}

// Where the values under a key path live: the store's file and the group in it.
struct TKeyPlace {
    QString Store;
    QStringList Group;
};

// None when KeyPath is not under "\\Software\\<organisation>\\<application>".
std::optional<TKeyPlace> PlaceOf(const std::string& KeyPath)
{
    QStringList Parts = QString::fromLocal8Bit(KeyPath).split(QChar('\\'), Qt::SkipEmptyParts);
    if (Parts.size() < 3 || Parts.front().compare(SoftwareRoot, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    TKeyPlace Place { SystemConfigFolder() + '/' + Parts.at(1) + '/' + Parts.at(2) + QStringLiteral(".conf"),
        {} };
    Parts.erase(Parts.begin(), Parts.begin() + 3);
    Place.Group = std::move(Parts);
    return Place;
}

// None when KeyPath has no place or its store is unfit.
std::optional<TValueLocation> LocateValue(const std::string& KeyPath, const std::string& ValueName)
{
    auto Place = PlaceOf(KeyPath);
    if (!Place)
        return std::nullopt;
    if (const std::string Why = UnfitStore(Place->Store); !Why.empty()) {
        qWarning("registry: %s; its values are ignored", Why.c_str());
        return std::nullopt;
    }
    Place->Group.append(QString::fromLocal8Bit(ValueName));
    return TValueLocation { std::make_unique<QSettings>(Place->Store, QSettings::IniFormat),
        Place->Group.join('/') };
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
    QSettings& Settings = *Location->Settings;
    if (Value)
        Settings.setValue(Location->Key, QString::fromLocal8Bit(*Value));
    else
        Settings.remove(Location->Key);
    Settings.sync();
    if (Settings.status() != QSettings::NoError)
        return false;
    // A store without values is the same as none; an empty file would only be left over.
    if (Settings.allKeys().isEmpty() && QFile::exists(Settings.fileName()))
        return QFile::remove(Settings.fileName());
    return true;
}

std::string LocalMachineStore(const std::string& KeyPath)
{
    const auto Place = PlaceOf(KeyPath);
    return Place ? QFile::encodeName(Place->Store).toStdString() : std::string();
}

} // namespace platform
