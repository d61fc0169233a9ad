#include "FigureFile.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <functional>

namespace {

// Write fills the open file and returns its own reason when it fails.
std::optional<QString> SaveAtomically(const QString& FileName, QIODevice::OpenMode Mode,
    const std::function<std::optional<QString>(QSaveFile&)>& Write)
{
    QSaveFile File(FileName);
    std::optional<QString> Reason;
    if (!File.open(QIODevice::WriteOnly | Mode))
        Reason = File.errorString();
    else if (const auto Failed = Write(File))
        Reason = File.error() != QFileDevice::NoError ? File.errorString() : *Failed;
    // commit() flushes too but does not look at the result.
    else if (!File.flush() || !File.commit())
        Reason = File.errorString();
    if (Reason)
        File.cancelWriting();
    return Reason;
}

} // namespace

TFigureFormat FigureFormatOf(const QString& FileName)
{
    return FileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? TFigureFormat::Svg
                                                                          : TFigureFormat::Png;
}

std::optional<QString> WritePngFile(const QString& FileName, const QImage& Picture)
{
    return SaveAtomically(FileName, QIODevice::NotOpen, [&](QSaveFile& File) -> std::optional<QString> {
        QImageWriter Writer(&File, "png");
        if (Writer.write(Picture))
            return std::nullopt;
        return Writer.errorString();
    });
}

std::optional<QString> WriteSvgFile(const QString& FileName, std::string_view Document)
{
    // Unbuffered, so that the write that fails is the one that reports why (a
    // buffered flush that gets only part of its bytes out knows no reason).
    return SaveAtomically(FileName, QIODevice::Unbuffered, [&](QSaveFile& File) -> std::optional<QString> {
        for (std::string_view Rest = Document; !Rest.empty();) {
            const qint64 Written = File.write(Rest.data(), static_cast<qint64>(Rest.size()));
            if (Written <= 0)
                return File.errorString();
            Rest.remove_prefix(static_cast<std::size_t>(Written));
        }
        return std::nullopt;
    });
}
