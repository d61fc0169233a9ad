#pragma once

#include <QString>

#include <system_error>

namespace platform {

// Whether Path names a file that this process may run: no error for an executable
// regular file, otherwise the error number that starting it would give (ENOENT, EACCES
// for a folder or a file without execute permission, ...).
std::error_code CheckProgramFile(const QString& Path);

// Whether Path is an absolute path to an executable regular file.
bool IsExecutableFile(const QString& Path);

} // namespace platform
