#include "FormLook.h"

#include <QApplication>
#include <QPalette>

namespace FormLook {

QFont WindowFont(int PixelSize, bool Bold)
{
    QFont Font;
    Font.setFamilies({ "MS Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans" });
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(PixelSize);
    Font.setBold(Bold);
    return Font;
}

QColor clBtnFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor clInfoBk()
{
    return QApplication::palette().color(QPalette::ToolTipBase);
}

QColor clWindowText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

QColor FromTColor(TColor Color)
{
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

}
