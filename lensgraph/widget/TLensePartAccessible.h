#pragma once

#include "LensePart.h"

#include <QAccessibleInterface>
#include <QPointer>

class TLenseGraph;

// One part of the diagram (TLensePart) as assistive technology sees it: a spin button
// named after the part, whose number is the part's value in pixels and whose text says
// that number with the situation it gives. Screen readers speak that text when the
// focused part's value changes. Lives as long as the diagram's own interface.
class TLensePartAccessible : public QAccessibleInterface,
                             public QAccessibleValueInterface,
                             public QAccessibleTextInterface {
public:
    TLensePartAccessible(TLenseGraph* Graph, TLensePart Part);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int Index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* Child) const override;
    QAccessibleInterface* childAt(int X, int Y) const override;
    QString text(QAccessible::Text Which) const override;
    void setText(QAccessible::Text Which, const QString& Text) override;
    // A square around the element, in screen coordinates.
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType Type) override;

    QVariant currentValue() const override;
    // Moves the element as a drag would; the value is held within the picture.
    void setCurrentValue(const QVariant& Value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // The text is read-only and has no selection.
    void selection(int Index, int* Start, int* End) const override;
    int selectionCount() const override;
    void addSelection(int Start, int End) override;
    void removeSelection(int Index) override;
    void setSelection(int Index, int Start, int End) override;
    int cursorPosition() const override;
    void setCursorPosition(int Position) override;
    QString text(int Start, int End) const override;
    int characterCount() const override;
    QRect characterRect(int Offset) const override;
    int offsetAtPoint(const QPoint& Point) const override;
    void scrollToSubstring(int Start, int End) override;
    QString attributes(int Offset, int* Start, int* End) const override;

private:
    QString Spoken() const;
    TLensePartRange Range() const;

    QPointer<TLenseGraph> FGraph;
    TLensePart FPart;
};
