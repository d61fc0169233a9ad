#pragma once

#include "LenseConstruction.h"
#include "LenseDiagram.h"
#include "StickFigure.h"
#include "TPixelFrame.h"

#include <QPainter>
#include <QPainterPath>

// The lens diagram drawn with QPainter alone: the same scene as our canvas composes
// (lens, figures, rays with their dotted extensions, axes, marks and their texts), the
// baseline that the paint and start-up benchmarks measure the diagram against. The
// geometry is worked out once, so Paint costs only the drawing.
class TQPainterLenseScene {
public:
    TQPainterLenseScene(const TLenseDiagramState& Diagram, int Width, int Height);

    // Fills the Width x Height area at the painter's origin and draws the scene on it.
    void Paint(QPainter& Painter) const;

private:
    QPoint At(uVectors::TVector2D Point) const;

    TLenseDiagramState FDiagram;
    int FWidth;
    int FHeight;
    TPixelFrame FFrame;
    TLenseConstruction FConstruction;
    QPainterPath FLens;
    TStickFigure FObject;
    TStickFigure FImage;
};
