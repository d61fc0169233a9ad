#include "TUrlLabAccessible.h"

#include "TUrlLab.h"

namespace {

QAccessibleInterface* Factory(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TUrlLab") && Object && Object->isWidgetType())
        return new TUrlLabAccessible(static_cast<TUrlLab*>(Object));
    return nullptr;
}

} // namespace

TUrlLabAccessible::TUrlLabAccessible(TUrlLab* Link)
    : QAccessibleWidget(Link, QAccessible::Link)
{
}

QString TUrlLabAccessible::text(QAccessible::Text Which) const
{
    const auto* Link = static_cast<const TUrlLab*>(widget());
    switch (Which) {
    case QAccessible::Name:
        return Link->accessibleName().isEmpty() ? Link->Caption() : Link->accessibleName();
    case QAccessible::Value:
        return Link->URL();
    default:
        return QAccessibleWidget::text(Which);
    }
}

QAccessible::State TUrlLabAccessible::state() const
{
    QAccessible::State State = QAccessibleWidget::state();
    State.linked = true;
    return State;
}

QStringList TUrlLabAccessible::actionNames() const
{
    return { pressAction() };
}

void TUrlLabAccessible::doAction(const QString& ActionName)
{
    if (ActionName == pressAction())
        static_cast<TUrlLab*>(widget())->Activate();
}

void TUrlLabAccessible::Register()
{
    static const bool Installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)Installed;
}
