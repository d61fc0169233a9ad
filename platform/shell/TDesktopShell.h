#pragma once

#include "TShell.h"

namespace platform {

// The shell on the desktop: web addresses go to the desktop's browser (through
// xdg-open), programs are started detached.
class TDesktopShell : public TShell {
public:
    void OpenUrl(const QString& Address) override;
    // A Program without a slash is looked up on PATH.
    std::error_code StartProgram(const QString& Program, const QString& Params) override;
};

// The one desktop shell of the program.
TShell& DesktopShell();

} // namespace platform
