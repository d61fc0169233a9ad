#pragma once

// Starting a Qt GUI application looks up the runtime folder, which no program of ours
// uses (the host link keeps its own), and without XDG_RUNTIME_DIR Qt warns about it on
// stderr: noise for a user and for callers that read our messages there.
// Installs a message handler that drops that warning and passes every other message on;
// call it before the application object is made.
void DropRuntimeFolderWarning();
