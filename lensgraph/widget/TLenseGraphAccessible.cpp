#include "TLenseGraphAccessible.h"

#include "TLenseGraph.h"

namespace {

QAccessibleInterface* Factory(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TLenseGraph") && Object && Object->isWidgetType())
        return new TLenseGraphAccessible(static_cast<TLenseGraph*>(Object));
    return nullptr;
}

} // namespace

TLenseGraphAccessible::TLenseGraphAccessible(TLenseGraph* Graph)
    : QAccessibleWidget(Graph, QAccessible::Graphic)
{
}

QString TLenseGraphAccessible::text(QAccessible::Text Which) const
{
    const auto* Graph = static_cast<const TLenseGraph*>(widget());
    switch (Which) {
    case QAccessible::Name:
        return Graph->AccessibleName();
    case QAccessible::Description:
        return Graph->AccessibleDescription();
    default:
        return QAccessibleWidget::text(Which);
    }
}

void TLenseGraphAccessible::Register()
{
    static const bool Installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)Installed;
}
