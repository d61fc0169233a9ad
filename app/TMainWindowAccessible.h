#pragma once

#include <QAccessibleWidget>

// The main window as assistive technology sees it: a frame named by its title, so a
// screen reader can speak the title bar. Qt gives a plain top-level widget the role of
// a filler.
class TMainWindowAccessible : public QAccessibleWidget {
public:
    explicit TMainWindowAccessible(QWidget* Window);

    // Makes queryAccessibleInterface give this interface for the program's main window;
    // safe to call more than once.
    static void Register();
};
