#pragma once

#include <QObject>

// A list of item objects reached through an object-valued property (the columns of a list
// view, the panels of a status bar). The translation walk translates each item's properties.
class TCollection : public QObject {
    Q_OBJECT

public:
    explicit TCollection(QObject* Parent = nullptr);

    virtual int Count() const = 0;
    // Item Index, 0 <= Index < Count().
    virtual QObject* Item(int Index) const = 0;
};
