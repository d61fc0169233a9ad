#include "WindowBoundary.h"

#include <QWidget>

bool IsSeparateWindow(const QObject& Obj)
{
    const auto* Widget = qobject_cast<const QWidget*>(&Obj);
    return Widget && Widget->isWindow();
}
