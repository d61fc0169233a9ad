#pragma once

#include <QAccessibleWidget>

class TUrlLab;

// What assistive technology sees of a TUrlLab: a link named by its caption, whose value
// is its address, with one action that opens it as a click would.
class TUrlLabAccessible : public QAccessibleWidget {
public:
    explicit TUrlLabAccessible(TUrlLab* Link);

    QString text(QAccessible::Text Which) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& ActionName) override;

    // Makes queryAccessibleInterface give this interface for every TUrlLab; safe to call
    // more than once.
    static void Register();
};
