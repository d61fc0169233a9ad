#include "TQtGlyphSource.h"

#include "TTextCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

namespace {

QFont CanvasFont()
{
    QFont Font(QString::fromLatin1(TTextCache::FontFamily));
    Font.setPixelSize(TTextCache::FontPixelSize);
    Font.setStyleStrategy(QFont::NoAntialias);
    Font.setHintingPreference(QFont::PreferFullHinting);
    return Font;
}

} // namespace

TGlyphSource::TMask TQtGlyphSource::Render(std::string_view Text) const
{
    const QString String = QString::fromLocal8Bit(Text.data(), static_cast<qsizetype>(Text.size()));
    const QFont Font = CanvasFont();
    const QFontMetrics Metrics(Font);
    TMask Mask;
    Mask.Width = Metrics.horizontalAdvance(String);
    Mask.Height = Metrics.height();
    Mask.Ascent = Metrics.ascent();
    // Glyphs may overhang their advance; the margin keeps those pixels.
    const int Margin = Mask.Height;
    QImage Image(Mask.Width + 2 * Margin, Mask.Height + 2 * Margin, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        Painter.setFont(Font);
        Painter.setPen(Qt::black);
        Painter.drawText(Margin, Margin + Mask.Ascent, String);
    }
    for (int Y = 0; Y < Image.height(); ++Y) {
        const auto* Row = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
        for (int X = 0; X < Image.width();) {
            if (qRed(Row[X]) >= 128) {
                ++X;
                continue;
            }
            const int From = X;
            while (X < Image.width() && qRed(Row[X]) < 128)
                ++X;
            Mask.Runs.push_back({ Y - Margin, From - Margin, X - Margin });
        }
    }
    return Mask;
}

void TQtGlyphSource::Install()
{
    static const TQtGlyphSource Source;
    TTextCache::SetGlyphSource(&Source);
}
