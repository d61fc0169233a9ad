#pragma once

#include <QFlags>
#include <QObject>
#include <QRect>

#include <vector>

class QWidget;

enum class TAlign { None, Top, Bottom, Left, Right, Client };

enum class TAnchorKind { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAnchors)

// Places the child controls of one container with fixed pixel geometry and keeps
// them in place when the container is resized, as the form library's Align and
// Anchors did:
// - aligned controls take, in the order top, bottom, left, right, client, a strip
//   of their designed thickness from what the earlier ones left free (the client
//   control takes the rest);
// - anchored controls keep their distance to each anchored edge: anchored left and
//   right they stretch, anchored right or bottom alone they move.
// Positions are client coordinates: the container's contentsRect() is the client
// area; aligned controls keep AlignMargin pixels away from its edges.
class TControlAlign : public QObject {
    Q_OBJECT

public:
    explicit TControlAlign(QWidget* Container);

    void SetAlignMargin(int Margin);

    // Puts Control at Bounds; distances to anchored edges are taken from the
    // container's present client size, so call this once the container has its
    // designed size.
    void Place(QWidget* Control, const QRect& Bounds, TAlign Align = TAlign::None,
        TAnchors Anchors = TAnchors(TAnchorKind::Left) | TAnchorKind::Top);

    // Lays the controls out for the container's present size (done on every resize).
    void Realign();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    struct TEntry {
        QWidget* Control;
        QRect Designed;
        TAlign Align;
        TAnchors Anchors;
        int RightGap;
        int BottomGap;
    };

    QRect AlignedBounds(const TEntry& Entry, QRect& Free) const;
    QRect AnchoredBounds(const TEntry& Entry, const QSize& Client) const;

    QWidget* FContainer;
    int FAlignMargin = 0;
    std::vector<TEntry> FEntries;
};
