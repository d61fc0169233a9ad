#include "ProgramFile.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::error_code CheckProgramFile(const QString& Path)
{
    const QByteArray Name = QFile::encodeName(Path);
    struct stat Status { };
    if (::stat(Name.constData(), &Status) != 0)
        return { errno, std::generic_category() };
    if (!S_ISREG(Status.st_mode))
        return std::make_error_code(std::errc::permission_denied);
    if (::access(Name.constData(), X_OK) != 0)
        return { errno, std::generic_category() };
    return {};
}

bool IsExecutableFile(const QString& Path)
{
    return Path.startsWith(u'/') && !CheckProgramFile(Path);
}

} // namespace platform
