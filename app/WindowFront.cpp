#include "WindowFront.h"

#include <QApplication>
#include <QWidget>

void BringToFront(QWidget& Window)
{
    Window.setWindowState((Window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    Window.show();
    Window.raise();
    Window.activateWindow();
    if (QWidget* Modal = QApplication::activeModalWidget()) {
        Modal->raise();
        Modal->activateWindow();
    }
}
