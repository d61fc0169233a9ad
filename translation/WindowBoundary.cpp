#include "WindowBoundary.h"

#include <QWidget>

// QObject::isWidgetType and QWidget::isWindow are inline flag reads, so this needs the
// widget header but not the widget library: the engine links Qt Core only.
bool IsSeparateWindow(const QObject& Obj)
{
    return Obj.isWidgetType() && static_cast<const QWidget&>(Obj).isWindow();
}
