#include "TMainWindowAccessible.h"

#include <QWidget>

namespace {

QAccessibleInterface* Factory(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TfrmExample") && Object && Object->isWidgetType())
        return new TMainWindowAccessible(static_cast<QWidget*>(Object));
    return nullptr;
}

} // namespace

TMainWindowAccessible::TMainWindowAccessible(QWidget* Window)
    : QAccessibleWidget(Window, QAccessible::Window)
{
}

void TMainWindowAccessible::Register()
{
    static const bool Installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)Installed;
}
