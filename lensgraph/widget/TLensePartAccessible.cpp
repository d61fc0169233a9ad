#include "TLensePartAccessible.h"

#include "TLenseGraph.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

TLensePartAccessible::TLensePartAccessible(TLenseGraph* Graph, TLensePart Part)
    : FGraph(Graph)
    , FPart(Part)
{
}

bool TLensePartAccessible::isValid() const
{
    return !FGraph.isNull();
}

QObject* TLensePartAccessible::object() const
{
    return nullptr;
}

QWindow* TLensePartAccessible::window() const
{
    const QAccessibleInterface* Parent = parent();
    return Parent ? Parent->window() : nullptr;
}

QAccessibleInterface* TLensePartAccessible::parent() const
{
    return FGraph ? QAccessible::queryAccessibleInterface(FGraph.data()) : nullptr;
}

QAccessibleInterface* TLensePartAccessible::child(int) const
{
    return nullptr;
}

int TLensePartAccessible::childCount() const
{
    return 0;
}

int TLensePartAccessible::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QAccessibleInterface* TLensePartAccessible::childAt(int, int) const
{
    return nullptr;
}

QString TLensePartAccessible::text(QAccessible::Text Which) const
{
    if (!FGraph)
        return {};
    switch (Which) {
    case QAccessible::Name:
        return FGraph->AccessiblePartName(FPart);
    case QAccessible::Value:
        return QString::number(LensePartValue(FGraph->State(), FPart));
    case QAccessible::Help:
        return FGraph->AccessibleHelp();
    default:
        return {};
    }
}

void TLensePartAccessible::setText(QAccessible::Text, const QString&) { }

QRect TLensePartAccessible::rect() const
{
    if (!FGraph)
        return {};
    constexpr int Radius = TLenseGraph::FocusRingRadius;
    const QPoint Centre = FGraph->mapToGlobal(FGraph->ElementPixel(GrabTargetOf(FPart)));
    return { Centre - QPoint(Radius, Radius), QSize(2 * Radius + 1, 2 * Radius + 1) };
}

QAccessible::Role TLensePartAccessible::role() const
{
    // A screen reader speaks the whole text of a spin button whose value changes, but
    // only the number of a slider.
    return QAccessible::SpinBox;
}

QAccessible::State TLensePartAccessible::state() const
{
    QAccessible::State State;
    if (!FGraph) {
        State.invalid = true;
        return State;
    }
    State.focusable = true;
    State.focused = FGraph->hasFocus() && FGraph->KeyPart() == FPart;
    State.readOnly = true;
    State.offscreen
        = !FGraph->isVisible() || !FGraph->rect().contains(FGraph->mapFromGlobal(rect().center()));
    return State;
}

void* TLensePartAccessible::interface_cast(QAccessible::InterfaceType Type)
{
    if (Type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    if (Type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return nullptr;
}

TLensePartRange TLensePartAccessible::Range() const
{
    return FGraph ? LensePartRange(FPart, FGraph->width(), FGraph->height()) : TLensePartRange { 0, 0 };
}

QVariant TLensePartAccessible::currentValue() const
{
    return FGraph ? QVariant(static_cast<qlonglong>(LensePartValue(FGraph->State(), FPart))) : QVariant();
}

void TLensePartAccessible::setCurrentValue(const QVariant& Value)
{
    bool Number = false;
    const double Wanted = Value.toDouble(&Number);
    if (FGraph && Number && std::isfinite(Wanted))
        FGraph->SetPartValue(FPart, static_cast<long long>(std::clamp(Wanted, -1e15, 1e15)));
}

QVariant TLensePartAccessible::maximumValue() const
{
    return Range().Maximum;
}

QVariant TLensePartAccessible::minimumValue() const
{
    return Range().Minimum;
}

QVariant TLensePartAccessible::minimumStepSize() const
{
    return FPart == TLensePart::DoubleFocus ? 2 : 1;
}

QString TLensePartAccessible::Spoken() const
{
    return FGraph ? FGraph->AccessiblePartText(FPart) : QString();
}

void TLensePartAccessible::selection(int, int* Start, int* End) const
{
    *Start = 0;
    *End = 0;
}

int TLensePartAccessible::selectionCount() const
{
    return 0;
}

void TLensePartAccessible::addSelection(int, int) { }

void TLensePartAccessible::removeSelection(int) { }

void TLensePartAccessible::setSelection(int, int, int) { }

int TLensePartAccessible::cursorPosition() const
{
    return 0;
}

void TLensePartAccessible::setCursorPosition(int) { }

QString TLensePartAccessible::text(int Start, int End) const
{
    const QString All = Spoken();
    if (End < 0 || End > All.size())
        End = static_cast<int>(All.size());
    Start = std::clamp(Start, 0, End);
    return All.mid(Start, End - Start);
}

int TLensePartAccessible::characterCount() const
{
    return static_cast<int>(Spoken().size());
}

QRect TLensePartAccessible::characterRect(int) const
{
    return {};
}

int TLensePartAccessible::offsetAtPoint(const QPoint&) const
{
    return -1;
}

void TLensePartAccessible::scrollToSubstring(int, int) { }

QString TLensePartAccessible::attributes(int, int* Start, int* End) const
{
    *Start = 0;
    *End = characterCount();
    return {};
}
