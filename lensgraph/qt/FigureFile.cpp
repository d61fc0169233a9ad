#include "FigureFile.h"

#include "FigureTarget.h"

#include <QFile>
#include <QFileDevice>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <functional>

namespace {

// Write fills the open file and returns its own reason when it fails.
std::optional<QString> SaveAtomically(const QString& FileName, QIODevice::OpenMode Mode,
    const std::function<std::optional<QString>(QIODevice&)>& Write)
{
    if (const auto Problem = FigureTargetProblem(QFile::encodeName(FileName).toStdString()))
        return QString::fromStdString(*Problem);
    QSaveFile File(FileName);
    std::optional<QString> Reason;
    if (!File.open(QIODevice::WriteOnly | Mode))
        Reason = File.errorString();
    else if (const auto Failed = Write(File))
        Reason = *Failed;
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

std::optional<QString> WritePng(QIODevice& Device, const QImage& Picture)
{
    QImageWriter Writer(&Device, "png");
    if (Writer.write(Picture))
        return std::nullopt;
    // The file's own reason (a full disk) says more than the writer's.
    const auto* File = qobject_cast<QFileDevice*>(&Device);
    return File && File->error() != QFileDevice::NoError ? File->errorString() : Writer.errorString();
}

std::optional<QString> WriteSvg(QIODevice& Device, std::string_view Document)
{
    for (std::string_view Rest = Document; !Rest.empty();) {
        const qint64 Written = Device.write(Rest.data(), static_cast<qint64>(Rest.size()));
        if (Written <= 0)
            return Device.errorString();
        Rest.remove_prefix(static_cast<std::size_t>(Written));
    }
    return std::nullopt;
}

std::optional<QString> WritePngFile(const QString& FileName, const QImage& Picture)
{
    return SaveAtomically(
        FileName, QIODevice::NotOpen, [&](QIODevice& File) { return WritePng(File, Picture); });
}

std::optional<QString> WriteSvgFile(const QString& FileName, std::string_view Document)
{
    // Unbuffered, so that the write that fails is the one that reports why (a
    // buffered flush that gets only part of its bytes out knows no reason).
    return SaveAtomically(
        FileName, QIODevice::Unbuffered, [&](QIODevice& File) { return WriteSvg(File, Document); });
}
