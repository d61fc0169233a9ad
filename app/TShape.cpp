#include "TShape.h"

#include <QPainter>

#include <algorithm>

TShape::TShape(QWidget* Parent)
    : QWidget(Parent)
{
}

void TShape::SetBrushColor(const QColor& Color)
{
    FBrushColor = Color;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(Qt::black, 1));
    Painter.setBrush(FBrushColor);
    const qreal Diameter = std::min(width(), height()) - 1;
    const QRectF Circle(
        (width() - 1 - Diameter) / 2 + 0.5, (height() - 1 - Diameter) / 2 + 0.5, Diameter, Diameter);
    Painter.drawEllipse(Circle);
}
