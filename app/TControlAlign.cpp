#include "TControlAlign.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

TControlAlign::TControlAlign(QWidget* Container)
    : QObject(Container)
    , FContainer(Container)
{
    Container->installEventFilter(this);
}

void TControlAlign::SetAlignMargin(int Margin)
{
    FAlignMargin = Margin;
    Realign();
}

void TControlAlign::Place(QWidget* Control, const QRect& Bounds, TAlign Align, TAnchors Anchors)
{
    const QSize Client = FContainer->contentsRect().size();
    FEntries.push_back({ Control, Bounds, Align, Anchors, Client.width() - Bounds.x() - Bounds.width(),
        Client.height() - Bounds.y() - Bounds.height() });
    Realign();
}

void TControlAlign::Realign()
{
    const QRect Client = FContainer->contentsRect();
    QRect Free = Client.marginsRemoved(QMargins(FAlignMargin, FAlignMargin, FAlignMargin, FAlignMargin));
    for (TAlign Align : { TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client }) {
        for (const TEntry& Entry : FEntries) {
            if (Entry.Align == Align)
                Entry.Control->setGeometry(AlignedBounds(Entry, Free));
        }
    }
    for (const TEntry& Entry : FEntries) {
        if (Entry.Align == TAlign::None)
            Entry.Control->setGeometry(AnchoredBounds(Entry, Client.size()).translated(Client.topLeft()));
    }
}

bool TControlAlign::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FContainer && Event->type() == QEvent::Resize)
        Realign();
    return QObject::eventFilter(Watched, Event);
}

QRect TControlAlign::AlignedBounds(const TEntry& Entry, QRect& Free) const
{
    const int Width = std::clamp(Entry.Designed.width(), 0, std::max(0, Free.width()));
    const int Height = std::clamp(Entry.Designed.height(), 0, std::max(0, Free.height()));
    QRect Bounds = Free;
    switch (Entry.Align) {
    case TAlign::Top:
        Bounds.setHeight(Height);
        Free.setTop(Free.top() + Height);
        break;
    case TAlign::Bottom:
        Bounds.setTop(Free.bottom() + 1 - Height);
        Free.setBottom(Free.bottom() - Height);
        break;
    case TAlign::Left:
        Bounds.setWidth(Width);
        Free.setLeft(Free.left() + Width);
        break;
    case TAlign::Right:
        Bounds.setLeft(Free.right() + 1 - Width);
        Free.setRight(Free.right() - Width);
        break;
    case TAlign::Client:
    case TAlign::None:
        break;
    }
    return Bounds;
}

QRect TControlAlign::AnchoredBounds(const TEntry& Entry, const QSize& Client) const
{
    QRect Bounds = Entry.Designed;
    if (Entry.Anchors & TAnchorKind::Right) {
        if (Entry.Anchors & TAnchorKind::Left)
            Bounds.setWidth(std::max(0, Client.width() - Entry.RightGap - Bounds.x()));
        else
            Bounds.moveLeft(Client.width() - Entry.RightGap - Bounds.width());
    }
    if (Entry.Anchors & TAnchorKind::Bottom) {
        if (Entry.Anchors & TAnchorKind::Top)
            Bounds.setHeight(std::max(0, Client.height() - Entry.BottomGap - Bounds.y()));
        else
            Bounds.moveTop(Client.height() - Entry.BottomGap - Bounds.height());
    }
    return Bounds;
}
