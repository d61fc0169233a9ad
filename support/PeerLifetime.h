#pragma once

// How a test peer program ends in order on every path, so that no peer outlives the test or
// benchmark that started it.

// SIGINT and SIGTERM make the Qt event loop quit (through a self-pipe) instead of killing
// the program, so its windows are taken down as on any other way out.
void QuitOnTerminationSignals();
// The event loop quits when standard input ends: a starter that keeps the write end open
// while it lives takes the peer down with it, however the starter ends.
void QuitAtEndOfInput();
