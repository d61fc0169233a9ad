#pragma once

class QObject;

// True when Obj is a widget with a window of its own (a dialog or tool window parented to
// another window), which a walk over its parent's children must not enter. A program whose
// windows are widgets hands it to TTolkar2000Walk::SetWindowBoundary.
bool IsSeparateWindow(const QObject& Obj);
