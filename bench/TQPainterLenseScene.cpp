#include "TQPainterLenseScene.h"

#include "LenseOutline.h"

#include <QtMath>

#include <cmath>

namespace {

QColor ToQColor(TColor Color)
{
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

void DrawFigure(QPainter& Painter, const TStickFigure& Figure)
{
    Painter.drawLine(Figure.Column, Figure.Neck, Figure.Column, Figure.Hip);
    Painter.drawLine(Figure.Column, Figure.Hip, Figure.Left, Figure.Feet);
    Painter.drawLine(Figure.Column, Figure.Hip, Figure.Right, Figure.Feet);
    Painter.drawLine(Figure.Column, Figure.Shoulder, Figure.Left, Figure.Hands);
    Painter.drawLine(Figure.Column, Figure.Shoulder, Figure.Right, Figure.Hands);
    Painter.drawEllipse(
        QRect(QPoint(Figure.Left, Figure.HeadTop), QPoint(Figure.Right, Figure.Neck)).normalized());
}

QPainterPath LensPath(const TLenseOutline& Outline)
{
    QPainterPath Path;
    const auto Face = [](const auto& Arc) {
        return QRectF(
            QPointF(double(Arc.Left), double(Arc.Top)), QPointF(double(Arc.Right), double(Arc.Bottom)))
            .normalized();
    };
    const QRectF LeftFace = Face(Outline.Arc1);
    const QRectF RightFace = Face(Outline.Arc2);
    const double Sweep = 2.0
        * qRadiansToDegrees(std::asin(double(Outline.Arc1.EndY - Outline.Arc1.StartY) / LeftFace.height()));
    Path.arcMoveTo(LeftFace, 180.0 - Sweep / 2);
    Path.arcTo(LeftFace, 180.0 - Sweep / 2, Sweep);
    Path.arcTo(RightFace, -Sweep / 2, Sweep);
    Path.closeSubpath();
    return Path;
}

}

TQPainterLenseScene::TQPainterLenseScene(const TLenseDiagramState& Diagram, int Width, int Height)
    : FDiagram(Diagram)
    , FWidth(Width)
    , FHeight(Height)
    , FFrame(Width, Height)
    , FConstruction(ConstructImage(Diagram, FFrame.Cx()))
    , FLens(LensPath(*LenseOutline(Diagram, Width, Height, false)))
    , FObject(StickFigure(-Diagram.ObjectX, Diagram.ObjectH, FFrame.Cx(), FFrame.Cy()))
    , FImage(StickFigure(
          static_cast<int>(FConstruction.I.X), static_cast<int>(FConstruction.I.Y), FFrame.Cx(), FFrame.Cy()))
{
}

QPoint TQPainterLenseScene::At(uVectors::TVector2D Point) const
{
    const auto Pixel = *FFrame.ToPixel(Point);
    return QPoint(static_cast<int>(Pixel.X), static_cast<int>(Pixel.Y));
}

void TQPainterLenseScene::Paint(QPainter& Painter) const
{
    const TLenseConstruction& C = FConstruction;
    const int Cx = FFrame.Cx(), Cy = FFrame.Cy();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.fillRect(0, 0, FWidth, FHeight, ToQColor(FDiagram.BackColor));
    Painter.setPen(ToQColor(FDiagram.LenseColor));
    Painter.setBrush(ToQColor(FDiagram.LenseColor));
    Painter.drawPath(FLens);
    Painter.setBrush(ToQColor(FDiagram.BackColor));
    Painter.setPen(ToQColor(FDiagram.ObjectColor));
    DrawFigure(Painter, FObject);
    Painter.setPen(ToQColor(FDiagram.ImageColor));
    DrawFigure(Painter, FImage);
    Painter.setBackgroundMode(Qt::OpaqueMode);
    Painter.setBackground(ToQColor(FDiagram.BackColor));
    Painter.setPen(ToQColor(FDiagram.LineColor1));
    Painter.drawLine(At(C.O), At(C.A));
    Painter.drawLine(At(C.A), At(C.E1));
    Painter.setPen(QPen(ToQColor(FDiagram.LineColor1), 1, Qt::DotLine));
    Painter.drawLine(At(C.A), At(C.I));
    Painter.setPen(ToQColor(FDiagram.LineColor2));
    Painter.drawLine(At(C.O), At(C.E2));
    Painter.setPen(QPen(ToQColor(FDiagram.LineColor2), 1, Qt::DotLine));
    Painter.drawLine(At(C.O), At(C.I));
    Painter.setBackgroundMode(Qt::TransparentMode);
    Painter.setPen(ToQColor(FDiagram.GridColor));
    Painter.drawLine(0, Cy, FWidth, Cy);
    Painter.drawLine(Cx, 0, Cx, FHeight);
    for (int K : { -2, -1, 1, 2 }) {
        const int X = Cx + K * FDiagram.F;
        Painter.drawLine(X - FDiagram.MarkWidth, Cy, X + FDiagram.MarkWidth, Cy);
        Painter.drawLine(X, Cy - FDiagram.MarkWidth, X, Cy + FDiagram.MarkWidth);
        Painter.drawText(X - 6, Cy + FDiagram.MarkCapSpace + 12, K == 1 || K == -1 ? "F" : "2F");
    }
}
