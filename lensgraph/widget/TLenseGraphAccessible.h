#pragma once

#include "LensePart.h"

#include <QAccessibleWidget>

#include <array>

class TLenseGraph;

// What assistive technology sees of the diagram: a picture whose name and description
// are the diagram's own texts, whose help names the keys, and whose children are the
// parts the keyboard moves (TLensePartAccessible), the chosen one focused.
class TLenseGraphAccessible : public QAccessibleWidget {
public:
    explicit TLenseGraphAccessible(TLenseGraph* Graph);
    ~TLenseGraphAccessible() override;

    QString text(QAccessible::Text Which) const override;
    int childCount() const override;
    QAccessibleInterface* child(int Index) const override;
    int indexOfChild(const QAccessibleInterface* Child) const override;
    QAccessibleInterface* focusChild() const override;

    // Makes queryAccessibleInterface give this interface for every TLenseGraph; safe to
    // call more than once.
    static void Register();

private:
    // Registered with Qt's cache, which gives each a lasting identity on the bus.
    std::array<QAccessible::Id, LensePartCount> FParts {};
};
