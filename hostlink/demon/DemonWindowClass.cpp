#include "DemonWindowClass.h"

#include "ELernix.h"
#include "SystemError.h"

#include <cerrno>

std::string GetLastErrorString()
{
    return platform::GetLastErrorString();
}

void RegisterDemonWindowClass(const std::string& ClassName)
{
    if (ClassName.empty() || ClassName.size() > MaxWindowClassNameLength
        || ClassName.find('\0') != std::string::npos) {
        errno = EINVAL;
        throw ELernix(GetLastErrorString());
    }
}
