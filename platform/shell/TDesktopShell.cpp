#include "TDesktopShell.h"

#include "ProgramFile.h"
#include "ShellWords.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

void TDesktopShell::OpenUrl(const QString& Address)
{
    QDesktopServices::openUrl(QUrl(Address, QUrl::TolerantMode));
}

std::error_code TDesktopShell::StartProgram(const QString& Program, const QString& Params)
{
    const QString Path = Program.contains(u'/') ? Program : QStandardPaths::findExecutable(Program);
    if (Path.isEmpty())
        return std::make_error_code(std::errc::no_such_file_or_directory);
    if (const std::error_code Refused = CheckProgramFile(Path))
        return Refused;
    if (!QProcess::startDetached(Path, SplitShellWords(Params)))
        // The checks above give every reason that has a number; Qt tells none for what is
        // left, and of that a file the system cannot run is what a user can change.
        return std::make_error_code(std::errc::executable_format_error);
    return {};
}

TShell& DesktopShell()
{
    static TDesktopShell Shell;
    return Shell;
}

} // namespace platform
