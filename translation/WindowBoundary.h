#pragma once

class QObject;

// True when Obj is a widget with a window of its own (a dialog or tool window parented to
// another window), which a walk over its parent's children must not enter.
bool IsSeparateWindow(const QObject& Obj);
