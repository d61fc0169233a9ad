#pragma once

class QWidget;

// Brings Window to the front as far as the window system allows: out of the task bar when
// minimised, above the other windows and active. A modal dialog open over it stays on top.
void BringToFront(QWidget& Window);
