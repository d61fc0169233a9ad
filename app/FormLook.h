#pragma once

#include "TCanvas.h"

#include <QColor>
#include <QFont>
#include <QStringList>

// The look of the form library mapped onto Qt: its window font and the system
// colours that the windows name, taken from the application's palette so that
// they follow the desktop's colour scheme.
namespace FormLook {

// Families without those that are not installed (all of them when none is), in their
// order: a font asked for by a family that is missing sends Qt through a sort of every
// installed font for a substitute.
QStringList InstalledFamilies(const QStringList& Families);

// "MS Sans Serif" at PixelSize (a character height in pixels, never scaled to the
// screen's resolution), replaced by the closest sans font that is installed.
QFont WindowFont(int PixelSize, bool Bold = false);

QColor clBtnFace();
QColor clInfoBk();
QColor clWindowText();
inline QColor clWhite()
{
    return QColor(Qt::white);
}
inline QColor clBlue()
{
    return QColor(Qt::blue);
}

// A colour of the diagram (0x00BBGGRR) as Qt's colour.
QColor FromTColor(TColor Color);

}
