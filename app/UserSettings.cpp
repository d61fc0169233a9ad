#include "UserSettings.h"

#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include <cstdio>

namespace {

constexpr const char* GeometryKey = "MainWindow/Geometry";

} // namespace

QString UserSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/fokalis/fokalis.conf");
}

void RestoreWindowGeometry(QWidget& Window)
{
    const QSettings Settings(UserSettingsFile(), QSettings::IniFormat);
    const QByteArray Geometry = Settings.value(GeometryKey).toByteArray();
    if (!Geometry.isEmpty())
        Window.restoreGeometry(Geometry);
}

void SaveWindowGeometry(const QWidget& Window)
{
    QSettings Settings(UserSettingsFile(), QSettings::IniFormat);
    Settings.setValue(GeometryKey, Window.saveGeometry());
    Settings.sync();
    if (Settings.status() != QSettings::NoError)
        std::fprintf(stderr, "fokalis: cannot save the window's position in %s\n",
            UserSettingsFile().toLocal8Bit().constData());
}
