#include "FormLook.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>

namespace FormLook {

QStringList InstalledFamilies(const QStringList& Families)
{
    const QStringList Installed = QFontDatabase::families();
    QStringList Result;
    for (const QString& Family : Families)
        if (Installed.contains(Family, Qt::CaseInsensitive))
            Result << Family;
    return Result.isEmpty() ? Families : Result;
}

QFont WindowFont(int PixelSize, bool Bold)
{
    // Looked up once: the list of installed families does not change while the program runs.
    static const QStringList Families
        = InstalledFamilies({ "MS Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans" });
    QFont Font;
    Font.setFamilies(Families);
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
