#include "TPanel.h"

#include "TControlAlign.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {

constexpr int SingleBorderWidth = 2;
constexpr int BevelWidth = 1;

}

TPanel::TPanel(QWidget* Parent)
    : QWidget(Parent)
    , FControls(new TControlAlign(this))
{
    setAutoFillBackground(true);
    UpdateAlignMargin();
}

void TPanel::SetColor(const QColor& Color)
{
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, Color);
    setPalette(Palette);
}

void TPanel::SetBevelOuter(TBevelCut Bevel)
{
    FBevelOuter = Bevel;
    UpdateAlignMargin();
    update();
}

void TPanel::SetSingleBorder(bool Single)
{
    FSingleBorder = Single;
    const int Border = Single ? SingleBorderWidth : 0;
    setContentsMargins(Border, Border, Border, Border);
    FControls->Realign();
    update();
}

void TPanel::SetBorderWidth(int Width)
{
    FBorderWidth = Width;
    UpdateAlignMargin();
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    if (FSingleBorder)
        qDrawWinPanel(&Painter, rect(), palette(), true);
    if (FBevelOuter != TBevelCut::None)
        qDrawShadePanel(&Painter, contentsRect(), palette(), FBevelOuter == TBevelCut::Lowered, BevelWidth);
}

void TPanel::UpdateAlignMargin()
{
    FControls->SetAlignMargin(FBorderWidth + (FBevelOuter == TBevelCut::None ? 0 : BevelWidth));
}
