#include "TRadioGroup.h"

#include <QFontMetrics>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int ButtonLeft = 8;
constexpr int HorizontalSpace = 10;
constexpr int BottomSpace = 5;

}

TRadioGroup::TRadioGroup(QWidget* Parent)
    : QGroupBox(Parent)
{
}

void TRadioGroup::SetItems(const QStringList& Items)
{
    FItems = Items;
    while (FButtons.size() > static_cast<std::size_t>(FItems.size())) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (FButtons.size() < static_cast<std::size_t>(FItems.size())) {
        auto* Button = new QRadioButton(this);
        connect(Button, &QRadioButton::clicked, this, [this, Button] { ButtonClicked(Button); });
        Button->show();
        FButtons.push_back(Button);
    }
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        FButtons[I]->setText(FItems[static_cast<qsizetype>(I)]);
    SetItemIndex(FItemIndex);
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int Index)
{
    FItemIndex = Index >= 0 && Index < static_cast<int>(FButtons.size()) ? Index : -1;
    for (std::size_t I = 0; I < FButtons.size(); ++I) {
        FButtons[I]->setAutoExclusive(false);
        FButtons[I]->setChecked(static_cast<int>(I) == FItemIndex);
        FButtons[I]->setAutoExclusive(true);
    }
    UpdateTabStop();
}

// Only the checked item is a Tab stop (the first while none is checked); the arrows
// move between the items, as in every radio group of the desktop.
void TRadioGroup::UpdateTabStop()
{
    const std::size_t Stop = FItemIndex >= 0 ? static_cast<std::size_t>(FItemIndex) : 0;
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        FButtons[I]->setFocusPolicy(I == Stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TRadioGroup::resizeEvent(QResizeEvent* Event)
{
    QGroupBox::resizeEvent(Event);
    ArrangeButtons();
}

void TRadioGroup::ButtonClicked(QRadioButton* Button)
{
    FItemIndex = static_cast<int>(std::find(FButtons.begin(), FButtons.end(), Button) - FButtons.begin());
    UpdateTabStop();
    emit Click();
}

void TRadioGroup::ArrangeButtons()
{
    if (FButtons.empty())
        return;
    const int TextHeight = QFontMetrics(font()).height();
    const int Count = static_cast<int>(FButtons.size());
    const int Room = std::max(0, height() - TextHeight - BottomSpace);
    const int ButtonHeight = Room / Count;
    int Top = TextHeight + 1 + (Room % Count) / 2;
    for (QRadioButton* Button : FButtons) {
        Button->setGeometry(ButtonLeft, Top, std::max(0, width() - HorizontalSpace), ButtonHeight);
        Top += ButtonHeight;
    }
}
