#pragma once

#include <QAccessibleWidget>

class TLenseGraph;

// What assistive technology sees of the diagram: a picture whose name and description
// are the diagram's own texts, which the diagram announces itself when they change.
class TLenseGraphAccessible : public QAccessibleWidget {
public:
    explicit TLenseGraphAccessible(TLenseGraph* Graph);

    QString text(QAccessible::Text Which) const override;

    // Makes queryAccessibleInterface give this interface for every TLenseGraph; safe to
    // call more than once.
    static void Register();
};
