#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QRadioButton;

// A group box with one radio button per line of Items, stacked in one column that
// fills the box below its title. Items are the texts shown: setting them renames
// the buttons at once. ItemIndex is the checked button, -1 for none; Tab stops at the
// checked one only.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)

public:
    explicit TRadioGroup(QWidget* Parent = nullptr);

    QStringList Items() const { return FItems; }
    void SetItems(const QStringList& Items);
    int ItemIndex() const { return FItemIndex; }
    // An index outside the items checks none.
    void SetItemIndex(int Index);

    // The button that shows item Index.
    QRadioButton* Button(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }

signals:
    // The user clicked an item (also the one already checked); ItemIndex is that item.
    void Click();

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void ButtonClicked(QRadioButton* Button);
    void ArrangeButtons();
    void UpdateTabStop();

    QStringList FItems;
    int FItemIndex = -1;
    std::vector<QRadioButton*> FButtons;
};
