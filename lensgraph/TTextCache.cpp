#include "TTextCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <map>
#include <mutex>
#include <string>

namespace {

QFont CanvasFont()
{
    QFont Font(QString::fromLatin1(TTextCache::FontFamily));
    Font.setPixelSize(TTextCache::FontPixelSize);
    Font.setStyleStrategy(QFont::NoAntialias);
    Font.setHintingPreference(QFont::PreferFullHinting);
    return Font;
}

TTextCache::TMask Render(std::string_view Text)
{
    const QString String = QString::fromLocal8Bit(Text.data(), static_cast<qsizetype>(Text.size()));
    const QFont Font = CanvasFont();
    const QFontMetrics Metrics(Font);
    TTextCache::TMask Mask;
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

} // namespace

const TTextCache::TMask& TTextCache::Mask(std::string_view Text)
{
    static std::mutex Lock;
    static std::map<std::string, TMask, std::less<>> Masks;
    const std::lock_guard<std::mutex> Guard(Lock);
    auto Found = Masks.find(Text);
    if (Found == Masks.end())
        Found = Masks.emplace(std::string(Text), Render(Text)).first;
    return Found->second;
}
