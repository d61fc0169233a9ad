#include "TLenseGraphAccessible.h"

#include "TLenseGraph.h"
#include "TLensePartAccessible.h"

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
    for (int I = 0; I < LensePartCount; ++I)
        FParts[static_cast<std::size_t>(I)] = QAccessible::registerAccessibleInterface(
            new TLensePartAccessible(Graph, static_cast<TLensePart>(I)));
}

TLenseGraphAccessible::~TLenseGraphAccessible()
{
    for (const QAccessible::Id Part : FParts)
        QAccessible::deleteAccessibleInterface(Part);
}

int TLenseGraphAccessible::childCount() const
{
    return LensePartCount;
}

QAccessibleInterface* TLenseGraphAccessible::child(int Index) const
{
    if (Index < 0 || Index >= LensePartCount)
        return nullptr;
    return QAccessible::accessibleInterface(FParts[static_cast<std::size_t>(Index)]);
}

int TLenseGraphAccessible::indexOfChild(const QAccessibleInterface* Child) const
{
    for (int I = 0; I < LensePartCount; ++I)
        if (child(I) == Child)
            return I;
    return -1;
}

QAccessibleInterface* TLenseGraphAccessible::focusChild() const
{
    const auto* Graph = static_cast<const TLenseGraph*>(widget());
    if (const std::optional<TLensePart> Part = Graph->KeyPart(); Part && Graph->hasFocus())
        return child(static_cast<int>(*Part));
    return QAccessibleWidget::focusChild();
}

QString TLenseGraphAccessible::text(QAccessible::Text Which) const
{
    const auto* Graph = static_cast<const TLenseGraph*>(widget());
    switch (Which) {
    case QAccessible::Name:
        return Graph->AccessibleName();
    case QAccessible::Description:
        return Graph->AccessibleDescription();
    case QAccessible::Help:
        return Graph->AccessibleHelp();
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
