#pragma once

// Thrown by the host-link component to end the program at once and in order, with
// ExitCode, while the program is still starting (a second running copy). The program's
// entry catches it after the stack has unwound (so every window and component has been
// destroyed as in any shutdown) and returns ExitCode. It is no error and derives from no
// exception class, so error handlers that catch std::exception let it pass.
struct TProgramHalt {
    int ExitCode = 0;
};
