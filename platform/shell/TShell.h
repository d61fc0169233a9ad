#pragma once

#include <QString>

#include <system_error>

namespace platform {

// What a link label asks of the desktop: open a web address, start a program.
class TShell {
public:
    TShell() = default;
    virtual ~TShell() = default;
    TShell(const TShell&) = delete;
    TShell& operator=(const TShell&) = delete;

    // Hands Address to the desktop's handler of web addresses. Whether a page opens
    // is not reported.
    virtual void OpenUrl(const QString& Address) = 0;

    // Starts Program without waiting for it, with Params split into its arguments as a
    // POSIX shell splits words (no shell runs, nothing is expanded). Returns no error once
    // the program runs, otherwise the system's error number (ENOENT when there is no such
    // program).
    virtual std::error_code StartProgram(const QString& Program, const QString& Params) = 0;
};

} // namespace platform
