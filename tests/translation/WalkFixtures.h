#pragma once

#include "TCollection.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

#include <vector>

// A control with the kinds of properties the walk meets on our windows.
class TFixtureControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(QString Name MEMBER FName)
    Q_PROPERTY(QStringList Items MEMBER FItems)
    Q_PROPERTY(TCollection* Columns READ Columns)
    Q_PROPERTY(QObject* Buddy MEMBER FBuddy)

public:
    explicit TFixtureControl(QWidget* Parent = nullptr, Qt::WindowFlags Flags = {})
        : QWidget(Parent, Flags)
    {
    }

    TCollection* Columns() const { return FColumns; }
    void SetColumns(TCollection* Columns) { FColumns = Columns; }

    QString FCaption;
    QString FName;
    QStringList FItems;
    TCollection* FColumns = nullptr;
    QObject* FBuddy = nullptr;
};

// A memo as our windows make it: a plain-text editor whose text is also its list of lines.
class TFixtureMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)

public:
    explicit TFixtureMemo(QWidget* Parent = nullptr)
        : QPlainTextEdit(Parent)
    {
    }

    QStringList Lines() const
    {
        const QString Text = toPlainText();
        return Text.isEmpty() ? QStringList() : Text.split(u'\n');
    }
    void SetLines(const QStringList& Lines) { setPlainText(Lines.join(u'\n')); }
};

// A plain object with a caption: a collection item or a non-visual component.
class TFixtureItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER FCaption)

public:
    explicit TFixtureItem(QObject* Parent = nullptr)
        : QObject(Parent)
    {
    }

    QString FCaption;
};

class TFixtureColumns : public TCollection {
    Q_OBJECT

public:
    using TCollection::TCollection;

    int Count() const override { return static_cast<int>(FItems.size()); }
    QObject* Item(int Index) const override { return FItems.at(static_cast<std::size_t>(Index)); }

    std::vector<TFixtureItem*> FItems;
};
